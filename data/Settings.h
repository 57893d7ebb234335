#pragma once

#include "data/ColHints.h"
#include "data/PrintConf.h"
#include "data/PupilColumnMemory.h"
#include "data/SettingsFile.h"

#include <QByteArray>
#include <QRect>
#include <QString>

// The main window's layout as the settings file keeps it. The defaults are
// the window's designed layout.
struct TWindowSettings {
    bool Normal = true;                       // false: maximized
    QRect Bounds = QRect(237, 106, 580, 443); // read from the file only for a normal window
    int TreeWidth = 169;
    int RemarksMemoHeight = 57;
    bool ToolBarVisible = true;
    bool BigIcons = true;
};

struct TSettings {
    TWindowSettings Window;
    TPrintConf PrintConf;
    TColHints ColHints = DefaultColHints();
    TPupilColumnMemory PupilColumns;
};

// Applies the file's keys over the defaults. A window that was not saved in
// its normal state keeps the designed bounds, to be used when it is restored.
TSettings ReadSettings(const TSettingsFile& file);

// The whole file, as it is written at quit.
QByteArray EncodeSettings(const TSettings& settings);

QString MissingSettingsMessage(const QString& path);
