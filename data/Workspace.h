#pragma once

#include "data/PData.h"

#include <QString>

#include <memory>
#include <vector>

// The workspace as the tree holds it: ordered class nodes, each with its
// ordered pupil nodes. A node's text and images are its own (a class
// node's caption is the name stored in its record, as the next start reads
// it); each node owns its record.
struct TNode {
    QString Text;
    int ImageIndex = 0;
    int SelectedIndex = 1;
    std::unique_ptr<TPData> Data;

    void SetImages(std::pair<int, int> images) {
        ImageIndex = images.first;
        SelectedIndex = images.second;
    }
};

struct TClassNode : TNode {
    std::vector<std::unique_ptr<TNode>> Pupils;
};

struct TWorkspace {
    std::vector<std::unique_ptr<TClassNode>> Classes;

    int PupilCount() const;
};

// The identity of a new pupil, as typed or imported.
struct TPupilIdentity {
    QString Surname;
    QString Name;
    QString BirthDay;
    QString Sexe;
    QString ClassName;
};

// A pupil node's caption: its surname and first name, parted by a blank.
QString PupilCaption(const TPData& record);

// A new pupil's node: the identity stored as a record stores texts (the
// names in their form, see NameForm), one
// entry per subject line of its class (the default level, no mark), no
// remarks; captioned with its surname and first name.
std::unique_ptr<TNode> NewPupilNode(const TPupilIdentity& identity, int subjectLines);

// Releases every record; the nodes stay.
void FreeWorkspace(TWorkspace& tree);

// The changes a loaded workspace goes through: classes and pupils are
// inserted and taken out whole (a taken node comes back to the caller, which
// may keep it to put it back), records are replaced whole (the old one comes
// back). A row outside the list raises EListError.
void InsertClass(TWorkspace& tree, int row, std::unique_ptr<TClassNode> schoolClass);
std::unique_ptr<TClassNode> TakeClass(TWorkspace& tree, int row);
void InsertPupil(TClassNode& schoolClass, int row, std::unique_ptr<TNode> pupil);
std::unique_ptr<TNode> TakePupil(TClassNode& schoolClass, int row);
std::unique_ptr<TPData> ReplaceRecord(TNode& node, std::unique_ptr<TPData> record);
