#include "data/PupilImport.h"

#include "data/Cp1252.h"
#include "data/NameCase.h"

#include <QSet>

namespace {

// Compared as the record would store them; a date of birth by its day,
// however it is written ("12 mars 1995" is "12/03/1995").
QString IdentityKey(const QString& surname, const QString& name, const QString& birthDay,
                    int thisYear) {
    auto part = [](const QString& text) {
        return TPData::StoredText(text).trimmed().toCaseFolded();
    };
    const std::optional<QDate> day = ParseBirthDate(birthDay, thisYear);
    return part(surname) + u'\n' + part(name) + u'\n' +
           (day ? day->toString(Qt::ISODate) : part(birthDay));
}

} // namespace

TPupilImportPlan PlanPupilImport(const TClassNode& schoolClass, const TPupilList& list,
                                 int thisYear) {
    QSet<QString> present;
    for (const auto& pupil : schoolClass.Pupils) {
        if (pupil->Data)
            present.insert(IdentityKey(pupil->Data->Surname(), pupil->Data->Name(),
                                       pupil->Data->BirthDay(), thisYear));
    }
    TPupilImportPlan plan;
    QSet<QString> listed;
    for (const TPupilListEntry& written : list.Pupils) {
        TPupilListEntry entry = written;
        entry.Surname = StoredName(written.Surname);
        entry.Name = StoredName(written.Name);
        const QString key = IdentityKey(entry.Surname, entry.Name, entry.BirthDay, thisYear);
        if (entry.Surname.isEmpty()) {
            plan.Skipped.push_back({written, QStringLiteral("nom vide")});
        } else if (present.contains(key)) {
            plan.Skipped.push_back({written, QStringLiteral("déjà dans la classe")});
        } else if (listed.contains(key)) {
            plan.Skipped.push_back({written, QStringLiteral("déjà plus haut dans la liste")});
        } else {
            listed.insert(key);
            // Only a change of letters is worth telling; a change of case is
            // the name's form, which the list shows as stored.
            const bool fitted = Cp1252::FitToWindows1252(written.Surname) != written.Surname ||
                                Cp1252::FitToWindows1252(written.Name) != written.Name;
            plan.Added.push_back(
                {entry, fitted ? written.Surname + u' ' + written.Name : QString()});
        }
    }
    return plan;
}
