#include "data/Settings.h"

#include "data/TextLines.h"

#include <QStringList>

#include <algorithm>

namespace {

constexpr int kLargestCoordinate = 1 << 24;

QString Key(const char* name) {
    return QString::fromLatin1(name);
}

QString ColKey(std::size_t entry) {
    return QStringLiteral("Col%1").arg(entry);
}

} // namespace

TSettings ReadSettings(const TSettingsFile& file) {
    TSettings settings;
    TWindowSettings& window = settings.Window;
    window.Normal = file.Value(Key("WindowState")) == QLatin1String("wsNormal");
    if (window.Normal) {
        // No screen is that large; bounded so that the rectangle's corners
        // stay within the integers. The screens bound the window further.
        auto coordinate = [&](const char* key) {
            return std::min(file.Number(Key(key)), kLargestCoordinate);
        };
        window.Bounds =
            QRect(coordinate("Left"), coordinate("Top"), coordinate("Width"), coordinate("Height"));
    }
    window.TreeWidth = file.Number(Key("TreeWidth"));
    window.RemarksMemoHeight = file.Number(Key("RemarksMemoHeight"));
    window.ToolBarVisible = file.Value(Key("ToolBarVisible")) == QLatin1String("1");
    window.BigIcons = file.Value(Key("BigIcons")) != QLatin1String("0");

    TPrintConf& print = settings.PrintConf;
    print.FontName = file.Value(Key("FontName"));
    print.FontSize = file.Number(Key("FontSize"));
    // Bold and italic are on unless the file says "0".
    if (file.Value(Key("FontBold")) != QLatin1String("0"))
        print.FontStyle |= TFontStyle::Bold;
    if (file.Value(Key("FontItalic")) != QLatin1String("0"))
        print.FontStyle |= TFontStyle::Italic;
    print.DrawTitle = file.Number(Key("DrawTitle"));
    print.DrawRemarks = file.Number(Key("DrawRemarks"));
    print.ColWidth = file.Number(Key("ColWidth"));
    print.MarkColWidth = file.Number(Key("MarkColWidth"));
    print.RowHeight = file.Number(Key("RowHeight"));
    print.ZoomIndex = file.Number(Key("ZoomIndex"));
    print.LeftMargin = file.Number(Key("LeftMargin"));

    for (std::size_t i = 0; i < settings.ColHints.size(); ++i) {
        const QString hint = file.Value(ColKey(i));
        if (!hint.isEmpty())
            settings.ColHints[i] = hint;
    }
    settings.PupilColumns = TPupilColumnMemory::Read(file);
    return settings;
}

QByteArray EncodeSettings(const TSettings& settings) {
    const TWindowSettings& window = settings.Window;
    const TPrintConf& print = settings.PrintConf;
    auto number = [](const char* key, int value) {
        return QString::fromLatin1(key) + QString::number(value);
    };
    auto flag = [](const char* key, bool value) {
        return QString::fromLatin1(key) + FlagText(value);
    };

    QStringList lines;
    lines << QStringLiteral("[Window state and size]");
    if (window.Normal) {
        lines << QStringLiteral("WindowState=wsNormal") << number("Left=", window.Bounds.left())
              << number("Top=", window.Bounds.top()) << number("Width=", window.Bounds.width())
              << number("Height=", window.Bounds.height());
    } else {
        lines << QStringLiteral("WindowState=wsMaximized");
    }
    lines << number("TreeWidth=", window.TreeWidth)
          << number("RemarksMemoHeight=", window.RemarksMemoHeight) << QString()
          << QStringLiteral("[ToolBar]") << flag("ToolBarVisible=", window.ToolBarVisible)
          << flag("BigIcons=", window.BigIcons) << QString() << QStringLiteral("[Print Form]")
          << QStringLiteral("FontName=") + print.FontName << number("FontSize=", print.FontSize)
          << flag("FontBold=", print.FontStyle.testFlag(TFontStyle::Bold))
          << flag("FontItalic=", print.FontStyle.testFlag(TFontStyle::Italic))
          << flag("DrawTitle=", print.DrawTitle > 0) << flag("DrawRemarks=", print.DrawRemarks > 0)
          << number("ColWidth=", print.ColWidth) << number("MarkColWidth=", print.MarkColWidth)
          << number("RowHeight=", print.RowHeight) << number("ZoomIndex=", print.ZoomIndex)
          << number("LeftMargin=", print.LeftMargin) << QString() << QStringLiteral("[Hints]");
    for (std::size_t i = 0; i < settings.ColHints.size(); ++i)
        lines << ColKey(i) + u'=' + settings.ColHints[i];
    if (!settings.PupilColumns.IsEmpty())
        lines << QString() << QStringLiteral("[Pupil import]") << settings.PupilColumns.Lines();
    return JoinLines(lines);
}

QString MissingSettingsMessage(const QString& path) {
    return QStringLiteral(
               "Le fichier '%1' est introuvable,\rles paramètres par defaut seront utilisés.")
        .arg(path);
}
