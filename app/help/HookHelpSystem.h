#pragma once

#include "app/help/ChmLibrary.h"
#include "app/help/HelpLog.h"

#include <QObject>
#include <QString>

#include <map>
#include <memory>

class THelpViewer;

// The program's help glue: shows topics of the compiled help file in help
// windows of its own, one per window definition, and closes them all when it
// is released. The help control (chmlib) is loaded by LoadHelpControl or the
// first topic shown, whichever comes first, and unloaded when the hook goes.
class THookHelpSystem : public QObject {
    Q_OBJECT

public:
    // helpFile: the full path of the help file; windowDefinition: the window
    // used by requests that name none (empty for the file's default).
    THookHelpSystem(const QString& helpFile, const QString& windowDefinition,
                    const THelpDebugOptions& debugOptions = {}, QObject* parent = nullptr);
    ~THookHelpSystem() override;

    // The major version of the help viewer: 4 when the help control can be
    // loaded, 0 when it cannot. Found once, on the first call.
    static int HelpViewerVersion();

    // request: file "::" topic ">" window, e.g.
    // "quillorin.chm::/firstpage.htm>main window". A relative file name is
    // taken from the folder of the hook's help file. The window of that name
    // is made or reused and brought to the front; a topic that cannot be read
    // shows an explanation in it. Returns whether a window was shown.
    bool DisplayTopic(const QString& request);

    // Closes every help window.
    void CloseAll();

    // Loads the help control now rather than at the first topic.
    void LoadHelpControl();

    const QString& HelpFile() const { return FHelpFile; }

private:
    void WriteLogHeader(const THelpDebugOptions& debugOptions);
    void Log(const QString& line);
    const std::shared_ptr<const TChmLibrary>& Library();

    QString FHelpFile;
    QString FWindowDefinition;
    std::shared_ptr<const TChmLibrary> FLibrary;
    std::unique_ptr<THelpLog> FLog;
    // Keyed by the window name in lower case.
    std::map<QString, std::unique_ptr<THelpViewer>> FViewers;
};
