#include "app/ImageLists.h"

#include "app/DrawingsIcon.h"
#include "widgets/ResourceImage.h"

#include <QApplication>
#include <QFile>
#include <QString>
#include <QStyle>

namespace {

constexpr int kTreeImages = 8;
constexpr int kToolBarImages = 5;

QString ImagePath(const char* list, const char* size, int index, const char* suffix = "") {
    return QStringLiteral(":/images/%1/%2/%3%4.png")
        .arg(QLatin1String(list), QLatin1String(size))
        .arg(index)
        .arg(QLatin1String(suffix));
}

// The 64-, 32- and 16-pixel drawings of one image: the icon gives each
// screen the one of its pixel density (a small image on a 200 % screen is
// the 32-pixel drawing).
void AddDrawings(std::vector<TDrawing>& drawings, const char* list, int index, QIcon::Mode mode) {
    const int big = TImageLists::BigSize;
    drawings.push_back({ImagePath(list, "big", index, "@2x"), 2 * big, 2, mode});
    drawings.push_back({ImagePath(list, "big", index), big, 1, mode});
    drawings.push_back({ImagePath(list, "small", index), TImageLists::SmallSize, 1, mode});
}

} // namespace

QIcon ImageIcon(const QString& name) {
    const QString path = QStringLiteral(":/images/") + name;
    QIcon icon(ReadResourcePixmap(path));
    icon.addPixmap(ReadResourcePixmap(path.chopped(4) + QStringLiteral("@2x.png")));
    return icon;
}

QIcon SaveIcon() {
    const auto path = [](int size) {
        return QStringLiteral(
                   ":/qt-project.org/styles/commonstyle/images/standardbutton-save-%1.png")
            .arg(size);
    };
    if (!QFile::exists(path(16)))
        return QApplication::style()->standardIcon(QStyle::SP_DialogSaveButton);
    std::vector<TDrawing> drawings;
    for (const int size : {16, 32, 128})
        drawings.push_back({path(size), size});
    return DrawingsIcon(std::move(drawings));
}

TImageLists::TImageLists()
    : FPictures(std::make_shared<std::map<QString, QPixmap>>()) {
    for (int i = 0; i < kToolBarImages; ++i) {
        std::vector<TDrawing> drawings;
        AddDrawings(drawings, "toolbar", i, QIcon::Normal);
        FToolBar.push_back(DrawingsIcon(std::move(drawings)));
    }
}

QIcon TImageLists::TreeIcon(int image, int selected) const {
    auto valid = [](int index) {
        return index >= 0 && index < kTreeImages;
    };
    std::vector<TDrawing> drawings;
    if (valid(image))
        AddDrawings(drawings, "tree", image, QIcon::Normal);
    if (valid(selected))
        AddDrawings(drawings, "tree", selected, QIcon::Selected);
    // Every node shows one of a few images: each drawing is read once, for
    // all of them.
    return DrawingsIcon(std::move(drawings), [pictures = FPictures](const QString& path) {
        auto [at, added] = pictures->try_emplace(path);
        if (added)
            at->second = ReadResourcePixmap(path);
        return at->second;
    });
}

QIcon TImageLists::ToolBarIcon(int image) const {
    return FToolBar.at(std::size_t(image));
}
