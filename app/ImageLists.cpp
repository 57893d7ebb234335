#include "app/ImageLists.h"

#include "app/DeferredIcon.h"

#include <QApplication>
#include <QString>
#include <QStyle>

namespace {

constexpr int kTreeImages = 8;
constexpr int kToolBarImages = 5;

QPixmap Image(const char* list, const char* size, int index, const char* suffix = "") {
    return QPixmap(QStringLiteral(":/images/%1/%2/%3%4.png")
                       .arg(QLatin1String(list), QLatin1String(size))
                       .arg(index)
                       .arg(QLatin1String(suffix)));
}

// The 16-, 32- and 64-pixel drawings of one image: the icon gives each
// screen the one of its pixel density (a small image on a 200 % screen is
// the 32-pixel drawing).
std::vector<QPixmap> Sizes(const char* list, int index) {
    return {Image(list, "big", index, "@2x"), Image(list, "big", index),
            Image(list, "small", index)};
}

void AddSizes(QIcon& icon, const std::vector<QPixmap>& sizes, QIcon::Mode mode) {
    for (const QPixmap& pixmap : sizes)
        icon.addPixmap(pixmap, mode);
}

} // namespace

QIcon ImageIcon(const QString& name) {
    const QString path = QStringLiteral(":/images/") + name;
    QIcon icon(path);
    icon.addFile(path.chopped(4) + QStringLiteral("@2x.png"));
    return icon;
}

QIcon SaveIcon() {
    return DeferredIcon([] {
        QIcon icon;
        for (const int size : {16, 32, 128})
            icon.addFile(
                QStringLiteral(
                    ":/qt-project.org/styles/commonstyle/images/standardbutton-save-%1.png")
                    .arg(size));
        return icon.isNull() ? QApplication::style()->standardIcon(QStyle::SP_DialogSaveButton)
                             : icon;
    });
}

TImageLists::TImageLists()
    : FTree(kTreeImages) {
    for (int i = 0; i < kToolBarImages; ++i)
        FToolBar.push_back(DeferredIcon([i] {
            QIcon icon;
            AddSizes(icon, Sizes("toolbar", i), QIcon::Normal);
            return icon;
        }));
}

QIcon TImageLists::TreeIcon(int image, int selected) const {
    auto valid = [](int index) {
        return index >= 0 && index < kTreeImages;
    };
    QIcon icon;
    if (valid(image))
        AddSizes(icon, TreeSizes(image), QIcon::Normal);
    if (valid(selected))
        AddSizes(icon, TreeSizes(selected), QIcon::Selected);
    return icon;
}

const std::vector<QPixmap>& TImageLists::TreeSizes(int image) const {
    std::vector<QPixmap>& sizes = FTree[std::size_t(image)];
    if (sizes.empty())
        sizes = Sizes("tree", image);
    return sizes;
}

QIcon TImageLists::ToolBarIcon(int image) const {
    return FToolBar.at(std::size_t(image));
}
