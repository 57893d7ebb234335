#pragma once

#include <QIcon>
#include <QProxyStyle>

#include <array>

// One of Qt's own styles (Fusion, Windows) with the arrows of a tool bar or
// a menu bar too narrow for its buttons read in their format (see
// ReadResourceImage): the style would have every image plugin loaded for
// them while the main window is built. Everything else is the style's.
class TApplicationStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

    // Puts the style in place of the one in force when that is one of Qt's
    // own; another (a desktop's) is left as it is, with its own arrows.
    static void Install();

private:
    // Read at the first request: the menu bar and the tool bar each ask
    // while the main window is built. Left to right, right to left, vertical.
    mutable std::array<QIcon, 3> FArrows;
};
