#pragma once

#include "data/Messages.h"
#include "data/RegionalSettings.h"
#include "data/Workspace.h"

#include <QByteArrayView>
#include <QString>

// What a load gave. A load that is not Complete() left out part of what the
// file held, so the file must not be overwritten without keeping a copy.
struct TLoadResult {
    bool Found = true;
    int CorruptLevels = 0;
    QString Error; // a block cut short, or an unreadable file: the error report's text
    // What would be written back differs from the file beyond its date line
    // and its line ends: lines the reader skipped or could not make sense of.
    bool LostContent = false;

    bool Complete() const { return Found && CorruptLevels == 0 && Error.isEmpty() && !LostContent; }
};

// Appends the classes and pupils of the workspace file to the tree. A missing
// file shows "... est introuvable ..." and leaves the tree as it was; every
// unreadable "Levels=" value shows the corrupt-file message once; a block
// cut short by the end of the file ends the load with Error set, the classes
// and pupils attached before it staying in the tree; so does any other
// failure (memory exhausted). The file is then compared with what the tree
// would write back.
TLoadResult LoadWorkspace(const QString& path, TWorkspace& tree, const TRegionalSettings& regional,
                          const TMessageSink& messages);
TLoadResult LoadWorkspaceFromBytes(QByteArrayView bytes, TWorkspace& tree,
                                   const TRegionalSettings& regional, const TMessageSink& messages);

QString MissingWorkspaceMessage(const QString& path);
QString CorruptWorkspaceMessage();
QString OutOfMemoryMessage();
