#include "data/PupilImport.h"

#include <QSet>

namespace {

// Compared as the record would store them.
QString IdentityKey(const QString& surname, const QString& name, const QString& birthDay) {
    auto part = [](const QString& text) {
        return TPData::StoredText(text).trimmed().toCaseFolded();
    };
    return part(surname) + u'\n' + part(name) + u'\n' + part(birthDay);
}

} // namespace

TPupilImportPlan PlanPupilImport(const TClassNode& schoolClass, const TPupilList& list) {
    QSet<QString> present;
    for (const auto& pupil : schoolClass.Pupils) {
        if (pupil->Data)
            present.insert(
                IdentityKey(pupil->Data->Surname(), pupil->Data->Name(), pupil->Data->BirthDay()));
    }
    TPupilImportPlan plan;
    QSet<QString> listed;
    for (const TPupilListEntry& entry : list.Pupils) {
        const QString key = IdentityKey(entry.Surname, entry.Name, entry.BirthDay);
        if (entry.Surname.isEmpty())
            plan.Skipped.push_back({entry, QStringLiteral("nom vide")});
        else if (present.contains(key))
            plan.Skipped.push_back({entry, QStringLiteral("déjà dans la classe")});
        else if (listed.contains(key))
            plan.Skipped.push_back({entry, QStringLiteral("déjà plus haut dans la liste")});
        else {
            listed.insert(key);
            plan.Added.push_back(entry);
        }
    }
    return plan;
}
