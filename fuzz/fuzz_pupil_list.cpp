// Any bytes given as a pupil list read without a crash, and the pupils read,
// written back as a plain list and read again, are the same pupils.

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TPupilList first = ReadPupilList(QByteArrayView(data, qsizetype(size)));
    if (!first.Error.isEmpty()) {
        if (!first.Pupils.empty())
            Fail("a refused list gave pupils");
        return 0;
    }
    if (int(first.Pupils.size()) > MaxPupilListRows)
        Fail("more pupils than a list may hold");
    for (const TPupilListEntry& entry : first.Pupils) {
        if (std::find(SexeValues().begin(), SexeValues().end(), entry.Sexe) == SexeValues().end())
            Fail("a sex outside the three values");
    }
    const QByteArray written = Written(first);
    if (written.size() > MaxPupilListBytes)
        return 0;
    const TPupilList second = ReadPupilList(written);
    if (!second.Error.isEmpty() || !SamePupils(first, second))
        Fail("a list written back read as other pupils");
    return 0;
}
