#include "app/ApplicationStyle.h"

#include "widgets/ResourceImage.h"

#include <QApplication>
#include <QStyleOption>

namespace {

// Qt's styles draw these arrows from its own resources, at three sizes.
QIcon ExtensionArrow(bool horizontal, bool rightToLeft) {
    const QString name =
        horizontal ? (rightToLeft ? QStringLiteral("h-rtl-%1.png") : QStringLiteral("h-%1.png"))
                   : QStringLiteral("v-%1.png");
    QIcon icon;
    const std::array<int, 3> sizes =
        horizontal ? std::array<int, 3>{8, 16, 32} : std::array<int, 3>{5, 10, 20};
    for (const int size : sizes)
        icon.addPixmap(ReadResourcePixmap(
            QStringLiteral(":/qt-project.org/styles/commonstyle/images/toolbar-ext-") +
            name.arg(size)));
    return icon;
}

} // namespace

QIcon TApplicationStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                      const QWidget* widget) const {
    if (standardIcon == SP_ToolBarHorizontalExtensionButton ||
        standardIcon == SP_ToolBarVerticalExtensionButton) {
        const bool horizontal = standardIcon == SP_ToolBarHorizontalExtensionButton;
        const bool rightToLeft =
            option ? option->direction == Qt::RightToLeft : QGuiApplication::isRightToLeft();
        QIcon& arrow = FArrows[horizontal ? (rightToLeft ? 1 : 0) : 2];
        if (arrow.isNull())
            arrow = ExtensionArrow(horizontal, rightToLeft);
        // Another build of Qt may keep its pictures elsewhere.
        if (!arrow.isNull())
            return arrow;
    }
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

void TApplicationStyle::Install() {
    const QString name = QApplication::style()->name();
    if (name == QStringLiteral("fusion") || name == QStringLiteral("windows"))
        QApplication::setStyle(new TApplicationStyle(name));
}
