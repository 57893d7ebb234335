// Any bytes given as a pupil list read without a crash, through the columns
// its headers name and through a choice of columns taken from the input; the
// pupils read, written back as a plain list and read again, are the same
// pupils.

#include "data/NameCase.h"
#include "data/PupilList.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

QString Quoted(QString field) {
    return u'"' + field.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QByteArray Written(const TPupilList& list) {
    QString text = QStringLiteral("Nom;Prénom;Date de naissance;Sexe\r\n");
    for (const TPupilListEntry& entry : list.Pupils)
        text += QStringList{Quoted(entry.Surname), Quoted(entry.Name), Quoted(entry.BirthDay),
                            Quoted(entry.Sexe)}
                    .join(u';') +
                QStringLiteral("\r\n");
    return text.toUtf8();
}

bool SamePupils(const TPupilList& a, const TPupilList& b) {
    if (a.Pupils.size() != b.Pupils.size())
        return false;
    for (std::size_t i = 0; i < a.Pupils.size(); ++i) {
        const TPupilListEntry& x = a.Pupils[i];
        const TPupilListEntry& y = b.Pupils[i];
        if (x.Surname != y.Surname || x.Name != y.Name || x.BirthDay != y.BirthDay ||
            x.Sexe != y.Sexe)
            return false;
    }
    return true;
}

TPupilValueFormat French() {
    static const TPupilValueFormat format{
        TRegionalSettings::FromLocale(QLocale(QLocale::French, QLocale::France)), 2026};
    return format;
}

void CheckList(const TPupilList& list) {
    if (int(list.Pupils.size()) > MaxPupilListRows)
        Fail("more pupils than a list may hold");
    for (const TPupilListEntry& entry : list.Pupils) {
        if (std::find(SexeValues().begin(), SexeValues().end(), entry.Sexe) == SexeValues().end())
            Fail("a sex outside the three values");
        // The name's form is settled: giving it again changes nothing.
        const QString stored = StoredName(entry.Surname);
        if (StoredName(stored) != stored)
            Fail("a name's form is not stable");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    const TPupilTable table = ReadPupilTable(bytes);
    if (!table.Error.isEmpty()) {
        if (!table.Rows.empty())
            Fail("a refused list gave rows");
        return 0;
    }
    if (table.Headers.size() > MaxPupilListColumns)
        Fail("more columns than a list may hold");
    // Columns as a user might choose them: from the input's first bytes.
    TPupilColumns chosen;
    for (std::size_t i = 0; i < chosen.Index.size() && i < size; ++i)
        chosen.Index[i] = int(data[i] % 8) - 1;
    CheckList(PupilListOf(table, chosen, French()));

    const TPupilList first = ReadPupilList(bytes, French());
    if (!first.Error.isEmpty()) {
        if (!first.Pupils.empty())
            Fail("a refused list gave pupils");
        return 0;
    }
    CheckList(first);
    const QByteArray written = Written(first);
    if (written.size() > MaxPupilListBytes)
        return 0;
    const TPupilList second = ReadPupilList(written, French());
    if (!second.Error.isEmpty() || !SamePupils(first, second))
        Fail("a list written back read as other pupils");
    return 0;
}
