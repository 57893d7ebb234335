#include "app/help/HookHelpSystem.h"

#include "app/help/ChmFile.h"
#include "app/help/ChmWindows.h"
#include "app/help/HelpRequest.h"
#include "app/help/HelpViewer.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

#include <utility>

using namespace Qt::StringLiterals;

THookHelpSystem::THookHelpSystem(const QString& helpFile, const QString& windowDefinition,
                                 const THelpDebugOptions& debugOptions, QObject* parent)
    : QObject(parent)
    , FHelpFile(helpFile)
    , FWindowDefinition(windowDefinition) {
    if (THelpLog::IsRequested(debugOptions)) {
        FLog = std::make_unique<THelpLog>(debugOptions.ProgramFolder);
        WriteLogHeader(debugOptions);
    }
}

THookHelpSystem::~THookHelpSystem() {
    CloseAll();
}

int THookHelpSystem::HelpViewerVersion() {
    // Asked without unloading: a second instance that unloads the library can
    // take it away from the hook's own, whatever QLibrary's reference count.
    static const int version = TChmLibrary::CanLoad() ? 4 : 0;
    return version;
}

bool THookHelpSystem::DisplayTopic(const QString& request) {
    const std::optional<THelpRequest> parsed = THelpRequest::Parse(request);
    if (!parsed) {
        Log(u"DisplayTopic \"%1\": not a help request"_s.arg(request));
        return false;
    }
    const QString path = QFileInfo(FHelpFile).dir().absoluteFilePath(parsed->FileName);
    const QString windowName =
        parsed->WindowName.isEmpty() ? FWindowDefinition : parsed->WindowName;

    std::unique_ptr<THelpViewer>& viewer = FViewers[windowName.toLower()];
    if (viewer == nullptr || viewer->HelpPath() != path) {
        auto file = std::make_shared<const TChmFile>(Library(), path);
        TWindowDefinition definition;
        definition.Name = windowName;
        if (const auto found = FindWindowDefinition(*file, windowName))
            definition = *found;
        viewer = std::make_unique<THelpViewer>(std::move(file), definition);
    }
    viewer->ShowTopic(parsed->Topic);
    viewer->setWindowState(viewer->windowState() & ~Qt::WindowMinimized);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    Log(u"DisplayTopic \"%1\": shown in \"%2\" from %3"_s.arg(request, windowName, path));
    return true;
}

void THookHelpSystem::LoadHelpControl() {
    Library();
}

const std::shared_ptr<const TChmLibrary>& THookHelpSystem::Library() {
    // Not needed to show the main window: loaded once it is on the screen.
    if (FLibrary == nullptr)
        FLibrary = std::make_shared<const TChmLibrary>();
    return FLibrary;
}

void THookHelpSystem::CloseAll() {
    const std::size_t count = FViewers.size();
    FViewers.clear();
    Log(u"CloseAll: %1 help window(s) closed"_s.arg(count));
}

void THookHelpSystem::WriteLogHeader(const THelpDebugOptions& debugOptions) {
    const QLocale locale = QLocale::system();
    const QFileInfo helpFile(FHelpFile);
    const TChmLibrary& control = *Library();
    const QString library = control.IsLoaded() ? control.FileName() + u" (loaded)"_s
                                               : u"not loaded: "_s + control.ErrorString();
    const QStringList lines{
        u"Quillorin help diagnostics"_s,
        u"Help file name: %1"_s.arg(helpFile.fileName()),
        u"Date: %1"_s.arg(QDateTime::currentDateTime().toString(Qt::ISODate)),
        u"Locale: %1"_s.arg(locale.name()),
        u"Decimal separator: %1"_s.arg(locale.decimalPoint()),
        u"Program folder: %1"_s.arg(QDir::toNativeSeparators(debugOptions.ProgramFolder)),
        u"Help file path: %1 (%2)"_s.arg(QDir::toNativeSeparators(helpFile.absoluteFilePath()),
                                         helpFile.isFile() ? u"found"_s : u"missing"_s),
        u"Working folder: %1"_s.arg(QDir::toNativeSeparators(QDir::currentPath())),
        u"Help library: %1"_s.arg(library),
        u"Help viewer version: %1"_s.arg(HelpViewerVersion()),
    };
    for (const QString& line : lines)
        FLog->Write(line);
}

// One line per help call, with the time of the call.
void THookHelpSystem::Log(const QString& line) {
    if (FLog != nullptr)
        FLog->Write(QTime::currentTime().toString(u"HH:mm:ss "_s) + line);
}
