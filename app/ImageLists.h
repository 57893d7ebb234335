#pragma once

#include <QIcon>
#include <QPixmap>

#include <vector>

// The image of the resources at ":/images/" + name with its double-size
// drawing (name@2x.png) beside it, for high-density screens.
QIcon ImageIcon(const QString& name);
// The save picture of Qt's own style. QStyle::standardIcon looks in the
// desktop's icon theme first, a scan of its folders that cost a sixth of the
// start-up; the tool bar's other pictures are ours, which a theme's would not
// match anyway.
QIcon SaveIcon();

// The tree's node images and the tool bar's command images, each in a
// 32-pixel and a 16-pixel list, with a 64-pixel drawing for high-density
// screens. An icon holds every size, so a view picks the list in force
// through its icon size alone and Qt the drawing for the screen. A tree
// image is decoded when a node first shows it: a window opens on classes
// alone, and decoding all eight is a good part of what the images cost at
// start.
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
    const std::vector<QPixmap>& TreeSizes(int image) const;

    // Empty until the image is first asked for.
    mutable std::vector<std::vector<QPixmap>> FTree;
    std::vector<QIcon> FToolBar;
};
