#include "app/ImageLists.h"

#include <QString>

namespace {

constexpr int kTreeImages = 8;
constexpr int kToolBarImages = 5;

QPixmap Image(const char* list, const char* size, int index) {
    return QPixmap(QStringLiteral(":/images/%1/%2/%3.png")
                       .arg(QLatin1String(list), QLatin1String(size))
                       .arg(index));
}

} // namespace

TImageLists::TImageLists() {
    for (int i = 0; i < kTreeImages; ++i) {
        FTreeBig.push_back(Image("tree", "big", i));
        FTreeSmall.push_back(Image("tree", "small", i));
    }
    for (int i = 0; i < kToolBarImages; ++i) {
        QIcon icon;
        icon.addPixmap(Image("toolbar", "big", i));
        icon.addPixmap(Image("toolbar", "small", i));
        FToolBar.push_back(icon);
    }
}

QIcon TImageLists::TreeIcon(int image, int selected) const {
    auto valid = [](int index) {
        return index >= 0 && index < kTreeImages;
    };
    QIcon icon;
    if (valid(image)) {
        icon.addPixmap(FTreeBig[std::size_t(image)], QIcon::Normal);
        icon.addPixmap(FTreeSmall[std::size_t(image)], QIcon::Normal);
    }
    if (valid(selected)) {
        icon.addPixmap(FTreeBig[std::size_t(selected)], QIcon::Selected);
        icon.addPixmap(FTreeSmall[std::size_t(selected)], QIcon::Selected);
    }
    return icon;
}

QIcon TImageLists::ToolBarIcon(int image) const {
    return FToolBar.at(std::size_t(image));
}
