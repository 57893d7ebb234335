// The settings file applied to the window at start and read from it at quit.

#include "app/MainForm.h"

#include "app/MessageBoxes.h"
#include "app/WindowPlacement.h"
#include "data/SafeFile.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QToolBar>

#include <algorithm>

namespace {

constexpr int kRemarksMinHeight = 40;

QList<QRect> AvailableScreens() {
    QList<QRect> screens;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        screens << primary->availableGeometry();
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            screens << screen->availableGeometry();
    }
    return screens;
}

} // namespace

void TMainForm::LoadSettings(const QString& path) {
    const std::optional<QByteArray> bytes = ReadWholeFile(path);
    TSettings settings;
    if (!bytes) {
        ShowMessage(MessageParent(), MissingSettingsMessage(path));
    } else {
        settings = ReadSettings(TSettingsFile(*bytes));
    }
    ApplyWindowSettings(settings.Window);
    FPrintConf = settings.PrintConf;
    FColHints = settings.ColHints;
    FPupilColumns = settings.PupilColumns;
}

void TMainForm::ApplyWindowSettings(const TWindowSettings& window) {
    FStartMaximized = !window.Normal;
    if (window.Normal) {
        const QRect bounds = ReachableBounds(window.Bounds, AvailableScreens());
        move(bounds.topLeft());
        resize(bounds.size());
    }
    // The panels share the window: neither the tree nor the remarks may
    // take more than it has, which would hide the sheet.
    QList<int> columns = FColumns->sizes();
    const int total = std::max(columns.value(0) + columns.value(1), width());
    const int treeWidth = std::min(window.TreeWidth, total);
    FColumns->setSizes({treeWidth, total - treeWidth});
    QList<int> rows = FRows->sizes();
    const int remarks = std::clamp(window.RemarksMemoHeight, kRemarksMinHeight,
                                   std::max(kRemarksMinHeight, height()));
    rows[1] = std::max(0, rows[1] + rows[2] - remarks);
    rows[2] = remarks;
    FRows->setSizes(rows);
    ToolBar->setVisible(window.ToolBarVisible);
    FileToolBar->setChecked(window.ToolBarVisible);
    if (!window.BigIcons)
        FileBigIconsExecute();
}

TSettings TMainForm::CurrentSettings() const {
    TSettings settings;
    TWindowSettings& window = settings.Window;
    window.Normal =
        !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    window.Bounds = QRect(pos(), size());
    window.TreeWidth = FColumns->sizes().value(0);
    window.RemarksMemoHeight = FRows->sizes().value(2);
    window.ToolBarVisible = FileToolBar->isChecked();
    window.BigIcons = FileBigIconsItem->isChecked();
    settings.PrintConf = FPrintConf;
    settings.ColHints = FColHints;
    settings.PupilColumns = FPupilColumns;
    return settings;
}
