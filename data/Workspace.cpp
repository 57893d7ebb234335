#include "data/Workspace.h"

#include "data/NameCase.h"

#include <algorithm>

int TWorkspace::PupilCount() const {
    int count = 0;
    for (const auto& schoolClass : Classes)
        count += int(schoolClass->Pupils.size());
    return count;
}

QString PupilCaption(const TPData& record) {
    // Built in place: a load makes one for every pupil, and each temporary
    // of a sum would be one more block to allocate and free.
    const QString& surname = record.Surname();
    const QString& name = record.Name();
    QString caption(surname.size() + 1 + name.size(), Qt::Uninitialized);
    QChar* out = caption.data();
    out = std::copy(surname.cbegin(), surname.cend(), out);
    *out++ = u' ';
    std::copy(name.cbegin(), name.cend(), out);
    return caption;
}

std::unique_ptr<TNode> NewPupilNode(const TPupilIdentity& identity, int subjectLines) {
    auto record = std::make_unique<TPData>(TDataType::dtPupil);
    record->SetSurname(StoredName(identity.Surname));
    record->SetName(StoredName(identity.Name));
    record->SetBirthDay(identity.BirthDay);
    record->SetSexe(identity.Sexe);
    record->SetClassName(identity.ClassName);
    record->SetLevelCount(subjectLines);
    auto node = std::make_unique<TNode>();
    node->Text = PupilCaption(*record);
    node->SetImages(NodeImages(*record));
    node->Data = std::move(record);
    return node;
}

void FreeWorkspace(TWorkspace& tree) {
    for (const auto& schoolClass : tree.Classes) {
        schoolClass->Data.reset();
        for (const auto& pupil : schoolClass->Pupils)
            pupil->Data.reset();
    }
}

namespace {

template <typename List> void CheckRow(const List& list, int row, bool insert) {
    const auto count = qsizetype(list.size());
    if (row < 0 || row > count || (!insert && row == count))
        throw EListError(row);
}

} // namespace

void InsertClass(TWorkspace& tree, int row, std::unique_ptr<TClassNode> schoolClass) {
    CheckRow(tree.Classes, row, true);
    tree.Classes.insert(tree.Classes.begin() + row, std::move(schoolClass));
}

std::unique_ptr<TClassNode> TakeClass(TWorkspace& tree, int row) {
    CheckRow(tree.Classes, row, false);
    auto taken = std::move(tree.Classes[std::size_t(row)]);
    tree.Classes.erase(tree.Classes.begin() + row);
    return taken;
}

void InsertPupil(TClassNode& schoolClass, int row, std::unique_ptr<TNode> pupil) {
    CheckRow(schoolClass.Pupils, row, true);
    schoolClass.Pupils.insert(schoolClass.Pupils.begin() + row, std::move(pupil));
}

std::unique_ptr<TNode> TakePupil(TClassNode& schoolClass, int row) {
    CheckRow(schoolClass.Pupils, row, false);
    auto taken = std::move(schoolClass.Pupils[std::size_t(row)]);
    schoolClass.Pupils.erase(schoolClass.Pupils.begin() + row);
    return taken;
}

std::unique_ptr<TPData> ReplaceRecord(TNode& node, std::unique_ptr<TPData> record) {
    std::swap(node.Data, record);
    return record;
}
