#pragma once

#include "data/Messages.h"
#include "data/RegionalSettings.h"
#include "data/Workspace.h"

#include <QByteArrayView>
#include <QFlags>
#include <QString>

// What of a workspace file a save of the loaded tree would not give back.
// The reader normalises, and so never counts: line ends, the date line, the
// counts, empty lines, the decimal separator of marks, the order of the
// blocks and the letter case of their headers.
enum class TLoss : unsigned {
    UnreadLevels = 1 << 0, // "Levels=" values that could not be read whole
    CutShort = 1 << 1,     // a block cut short by the end of the file, or a failed load
    Notes = 1 << 2,        // lines outside the blocks: notes, stray text
    // A value the save writes otherwise: a key spelled otherwise or a missing
    // line (the fields then shift), a text over 255 characters, text after
    // the last "|", a number written in another form, evaluations beyond the
    // class's subjects.
    Values = 1 << 3,
};
Q_DECLARE_FLAGS(TLosses, TLoss)
Q_DECLARE_OPERATORS_FOR_FLAGS(TLosses)

// What a load gave. A load that NeedsCopy() left out or changed part of what
// the file held, so the file must not be overwritten without keeping a copy.
struct TLoadResult {
    bool Found = true;
    int CorruptLevels = 0; // pupils whose "Levels=" value could not be read whole
    QString Error;         // a block cut short, or an unreadable file: the error report's text
    TLosses Losses;
    long long FirstLossLine = 0; // the file's line (from 1) of the first loss, 0 when unknown

    bool NeedsCopy() const { return Found && Losses.toInt() != 0; }
    bool Complete() const { return Found && !NeedsCopy(); }
    // Marks the load as failed part way, for a caller that could not finish it.
    void SetCutShort() { Losses |= TLoss::CutShort; }
};

// Appends the classes and pupils of the workspace file to the tree. A missing
// file shows "... est introuvable ..." and leaves the tree as it was; a file
// with unreadable "Levels=" values shows one message saying how many pupils
// they concern; a block cut short by the end of the file ends the load with
// Error set, the classes and pupils attached before it staying in the tree;
// so does any other failure (memory exhausted). The reader notes, as it
// goes, whatever it drops or reads otherwise than the save will write it.
TLoadResult LoadWorkspace(const QString& path, TWorkspace& tree, const TRegionalSettings& regional,
                          const TMessageSink& messages);
TLoadResult LoadWorkspaceFromBytes(QByteArrayView bytes, TWorkspace& tree,
                                   const TRegionalSettings& regional, const TMessageSink& messages);

QString MissingWorkspaceMessage(const QString& path);
// The message for unreadable "Levels=" values in that many pupils.
QString CorruptWorkspaceMessage(int pupils = 1);
QString OutOfMemoryMessage();
