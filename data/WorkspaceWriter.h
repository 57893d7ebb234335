#pragma once

#include "data/RegionalSettings.h"
#include "data/Workspace.h"

#include <QByteArray>
#include <QDate>
#include <QSaveFile>
#include <QString>

#include <optional>

// The workspace file's bytes for the tree: the two header lines (the second
// with the given day in the user's short date format), the class and pupil
// counts, then every node's block in display order, every line ended by
// CR LF. Nodes whose record was released are left out. Marks take the
// user's decimal separator when it is "," and "." otherwise: the only two
// the file can be read back with.
QByteArray EncodeWorkspace(const TWorkspace& tree, const TRegionalSettings& regional, QDate today);

// The same bytes in parts, for a copy kept up to date class by class: the
// head for the counts, then each class's blocks (its own and its pupils').
struct TWorkspaceCounts {
    int Classes = 0;
    int Pupils = 0;

    TWorkspaceCounts& operator+=(TWorkspaceCounts other) {
        Classes += other.Classes;
        Pupils += other.Pupils;
        return *this;
    }
};
TWorkspaceCounts CountsOf(const TWorkspace& tree);
TWorkspaceCounts CountsOf(const TClassNode& schoolClass);
QByteArray EncodeWorkspaceHead(TWorkspaceCounts counts, const TRegionalSettings& regional,
                               QDate today);
QByteArray EncodeClassBlocks(const TClassNode& schoolClass, const TRegionalSettings& regional);

// Replaces the file with the tree, completely or not at all. Returns the
// user's error message when the file cannot be written.
std::optional<QString> SaveWorkspace(const QString& path, const TWorkspace& tree,
                                     const TRegionalSettings& regional, QDate today);
std::optional<QString> SaveWorkspace(QSaveFile& file, const TWorkspace& tree,
                                     const TRegionalSettings& regional, QDate today);
