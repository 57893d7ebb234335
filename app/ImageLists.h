#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

#include <map>
#include <memory>
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
// through its icon size alone and Qt the drawing for the screen. A drawing
// is read when an icon first needs it: a window opens on classes alone, at
// one size and one density, and reading every drawing was a good part of
// what its first picture cost.
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
    // The tree's drawings read so far, shared by the icons given out.
    std::shared_ptr<std::map<QString, QPixmap>> FPictures;
    std::vector<QIcon> FToolBar;
};
