#include "data/SubjectRemap.h"

#include <QHash>

std::unique_ptr<TPData> RemapPupil(const TPData& pupil, const QStringList& oldMatters,
                                   const QStringList& newMatters, const QLocale& locale) {
    auto remapped = std::make_unique<TPData>(TDataType::dtPupil);
    remapped->SetSurname(pupil.Surname());
    remapped->SetName(pupil.Name());
    remapped->SetBirthDay(pupil.BirthDay());
    remapped->SetClassName(pupil.ClassName());
    remapped->SetSexe(pupil.Sexe());
    remapped->AssignLines(&pupil.Lines());
    remapped->SetLevelCount(int(newMatters.size()));

    // One look-up per new line instead of a search of the old list each time.
    QHash<QString, int> firstOld;
    firstOld.reserve(oldMatters.size());
    for (int j = 0; j < oldMatters.size(); ++j) {
        const QString key = locale.toUpper(oldMatters[j]);
        if (!firstOld.contains(key))
            firstOld.insert(key, j);
    }

    for (int i = 0; i < newMatters.size(); ++i) {
        const QString& line = newMatters[i];
        if (line.isEmpty() || line.startsWith(u'$'))
            continue;
        const auto found = firstOld.constFind(locale.toUpper(line));
        if (found == firstOld.cend())
            continue;
        remapped->SetLevel(i, pupil.GetLevel(*found));
        remapped->SetMark(i, pupil.GetMark(*found));
        remapped->SetComment(i, pupil.GetComment(*found));
    }
    return remapped;
}
