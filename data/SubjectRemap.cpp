#include "data/SubjectRemap.h"

#include "data/SubjectLine.h"

#include <QHash>

namespace {

bool IsHeading(const QString& line) {
    return line.startsWith(u'$');
}

// The most subject names the question lists before saying how many more.
constexpr int kNamesShown = 10;

} // namespace

std::vector<int> MapSubjectLines(const QStringList& oldMatters, const QStringList& newMatters,
                                 const QList<int>& origins, const QLocale& locale) {
    // One look-up per new line instead of a search of the old list each time.
    QHash<QString, int> firstOld;
    firstOld.reserve(oldMatters.size());
    for (int j = 0; j < oldMatters.size(); ++j) {
        const QString key = locale.toUpper(oldMatters[j]);
        if (!firstOld.contains(key))
            firstOld.insert(key, j);
    }

    std::vector<int> mapping(std::size_t(newMatters.size()), -1);
    for (int i = 0; i < newMatters.size(); ++i) {
        const QString& line = newMatters[i];
        if (line.isEmpty() || IsHeading(line))
            continue;
        const int origin = origins.value(i, -1);
        if (origin >= 0 && origin < oldMatters.size() && !IsHeading(oldMatters[origin]) &&
            ParseSubjectLine(oldMatters[origin]).Depth == ParseSubjectLine(line).Depth) {
            mapping[std::size_t(i)] = origin;
            continue;
        }
        const auto found = firstOld.constFind(locale.toUpper(line));
        if (found != firstOld.cend())
            mapping[std::size_t(i)] = *found;
    }
    return mapping;
}

std::unique_ptr<TPData> RemapPupil(const TPData& pupil, const std::vector<int>& mapping) {
    auto remapped = std::make_unique<TPData>(TDataType::dtPupil);
    remapped->SetSurname(pupil.Surname());
    remapped->SetName(pupil.Name());
    remapped->SetBirthDay(pupil.BirthDay());
    remapped->SetClassName(pupil.ClassName());
    remapped->SetSexe(pupil.Sexe());
    remapped->AssignLines(&pupil.Lines());
    remapped->SetLevelCount(int(mapping.size()));
    for (int i = 0; i < int(mapping.size()); ++i) {
        const int old = mapping[std::size_t(i)];
        if (old < 0)
            continue;
        remapped->SetLevel(i, pupil.GetLevel(old));
        remapped->SetMark(i, pupil.GetMark(old));
        remapped->SetComment(i, pupil.GetComment(old));
    }
    return remapped;
}

std::unique_ptr<TPData> RemapPupil(const TPData& pupil, const QStringList& oldMatters,
                                   const QStringList& newMatters, const QLocale& locale) {
    return RemapPupil(pupil, MapSubjectLines(oldMatters, newMatters, {}, locale));
}

TLostEvaluations LostEvaluations(const std::vector<const TPData*>& pupils,
                                 const QStringList& oldMatters, const std::vector<int>& mapping) {
    std::vector<bool> kept(std::size_t(oldMatters.size()), false);
    for (const int old : mapping) {
        if (old >= 0 && old < oldMatters.size())
            kept[std::size_t(old)] = true;
    }
    TLostEvaluations lost;
    for (int j = 0; j < oldMatters.size(); ++j) {
        if (kept[std::size_t(j)] || IsHeading(oldMatters[j]))
            continue;
        int count = 0;
        for (const TPData* pupil : pupils) {
            if (pupil->GetLevel(j) != DefaultLevel || pupil->GetMark(j) != NoMark ||
                !pupil->GetComment(j).isEmpty())
                ++count;
        }
        if (count == 0)
            continue;
        lost.Count += count;
        const QString name = ParseSubjectLine(oldMatters[j]).Name;
        if (!lost.Subjects.contains(name))
            lost.Subjects.append(name);
    }
    return lost;
}

QString LostEvaluationsQuestion(const TLostEvaluations& lost) {
    QString names = lost.Subjects.mid(0, kNamesShown).join(QStringLiteral(", "));
    if (lost.Subjects.size() > kNamesShown)
        names += QStringLiteral(" et %1 autres").arg(lost.Subjects.size() - kNamesShown);
    const QString what =
        lost.Count == 1
            ? QStringLiteral("1 évaluation enregistrée sera effacée")
            : QStringLiteral("%1 évaluations enregistrées seront effacées").arg(lost.Count);
    return QStringLiteral("%1 (%2). Continuer ?").arg(what, names);
}
