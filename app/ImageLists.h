#pragma once

#include <QIcon>
#include <QPixmap>

#include <vector>

// The tree's node images and the tool bar's command images, each in a
// 32-pixel and a 16-pixel list. An icon holds both sizes, so a view picks
// the list in force through its icon size alone.
class TImageLists {
public:
    TImageLists();

    // The node's icon: image `image` normally, image `selected` when the
    // node is selected.
    QIcon TreeIcon(int image, int selected) const;
    QIcon ToolBarIcon(int image) const;

    static constexpr int BigSize = 32;
    static constexpr int SmallSize = 16;

private:
    std::vector<QPixmap> FTreeBig;
    std::vector<QPixmap> FTreeSmall;
    std::vector<QIcon> FToolBar;
};
