#include "data/PupilOrder.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <numeric>

namespace {

// The text without its accents: the letters of its canonical decomposition,
// the combining marks left out.
QString WithoutAccents(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString plain;
    plain.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            plain += c;
    }
    return plain;
}

} // namespace

std::vector<int> FrenchPupilOrder(const TClassNode& schoolClass) {
    QCollator collator{QLocale(QLocale::French, QLocale::France)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    struct TKey {
        QString Surname;
        QString Name;
    };
    std::vector<TKey> keys;
    keys.reserve(schoolClass.Pupils.size());
    for (const auto& pupil : schoolClass.Pupils) {
        if (pupil->Data)
            keys.push_back(
                {WithoutAccents(pupil->Data->Surname()), WithoutAccents(pupil->Data->Name())});
        else
            keys.push_back({WithoutAccents(pupil->Text), QString()});
    }
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int left, int right) {
        const TKey& a = keys[std::size_t(left)];
        const TKey& b = keys[std::size_t(right)];
        if (const int bySurname = collator.compare(a.Surname, b.Surname))
            return bySurname < 0;
        return collator.compare(a.Name, b.Name) < 0;
    });
    return order;
}
