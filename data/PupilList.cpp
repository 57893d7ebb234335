#include "data/PupilList.h"

#include "data/Cp1252.h"

#include <QStringDecoder>

#include <array>
#include <optional>

namespace {

// Lower case, no accents, no blanks: "Né(e) le" gives "ne(e)le".
QString Key(QStringView text) {
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_D);
    QString key;
    key.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (c.isMark() || c.isSpace())
            continue;
        key += c.toCaseFolded();
    }
    return key;
}

std::optional<QString> DecodeWith(QStringConverter::Encoding encoding, QByteArrayView bytes) {
    QStringDecoder decoder(encoding);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QString DecodeText(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return DecodeWith(QStringConverter::Utf8, bytes.sliced(3))
            .value_or(Cp1252::Decode(bytes.sliced(3)));
    if (bytes.startsWith("\xFF\xFE"))
        return DecodeWith(QStringConverter::Utf16LE, bytes.sliced(2)).value_or(QString());
    if (bytes.startsWith("\xFE\xFF"))
        return DecodeWith(QStringConverter::Utf16BE, bytes.sliced(2)).value_or(QString());
    // Text that is not valid UTF-8 is almost surely Windows-1252, which any
    // byte sequence is.
    return DecodeWith(QStringConverter::Utf8, bytes).value_or(Cp1252::Decode(bytes));
}

struct TRow {
    QStringList Fields;
    int Line = 0;
};

// Fields separated by the separator, rows by CR, LF or CR LF; a field in
// double quotes may hold either, and "" stands for one quote in it.
class TCsvParser {
public:
    TCsvParser(QStringView text, QChar separator)
        : FText(text)
        , FSeparator(separator) {}

    bool AtEnd() const { return FPos >= FText.size(); }

    TRow NextRow() {
        TRow row;
        row.Line = FLine;
        for (;;) {
            row.Fields << NextField();
            if (AtEnd())
                break;
            const QChar c = FText[FPos++];
            if (c == FSeparator)
                continue;
            EndLine(c);
            break;
        }
        return row;
    }

private:
    void EndLine(QChar c) {
        if (c == u'\r' && FPos < FText.size() && FText[FPos] == u'\n')
            ++FPos;
        ++FLine;
    }

    QString NextField() {
        QString field;
        qsizetype start = FPos;
        while (start < FText.size() && (FText[start] == u' ' || FText[start] == u'\t') &&
               FText[start] != FSeparator)
            ++start;
        if (start < FText.size() && FText[start] == u'"') {
            FPos = start + 1;
            while (FPos < FText.size()) {
                const QChar c = FText[FPos++];
                if (c == u'"') {
                    if (FPos < FText.size() && FText[FPos] == u'"') {
                        field += u'"';
                        ++FPos;
                        continue;
                    }
                    break;
                }
                if (c == u'\n' || (c == u'\r' && (FPos >= FText.size() || FText[FPos] != u'\n')))
                    ++FLine;
                field += c;
            }
            // Whatever follows the closing quote up to the separator is kept.
            while (FPos < FText.size() && !IsEnd(FText[FPos]))
                field += FText[FPos++];
            return field.trimmed();
        }
        while (FPos < FText.size() && !IsEnd(FText[FPos]))
            field += FText[FPos++];
        return field.trimmed();
    }

    bool IsEnd(QChar c) const { return c == FSeparator || c == u'\r' || c == u'\n'; }

    QStringView FText;
    QChar FSeparator;
    qsizetype FPos = 0;
    int FLine = 1;
};

// The separator the header row uses most (outside quotes); ";" for a row
// with none of them, as a list of surnames alone has.
QChar DetectSeparator(QStringView text) {
    const std::array<QChar, 3> candidates = {u'\t', u';', u','};
    std::array<int, 3> counts{};
    bool quoted = false;
    for (QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\r' || c == u'\n'))
            break;
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            if (!quoted && c == candidates[i])
                ++counts[i];
        }
    }
    std::size_t best = 1;
    for (std::size_t i : {0U, 2U}) {
        if (counts[i] > counts[best])
            best = i;
    }
    return candidates[best];
}

bool IsBlankRow(const TRow& row) {
    for (const QString& field : row.Fields) {
        if (!field.isEmpty())
            return false;
    }
    return true;
}

} // namespace

QString PupilListTooLargeError() {
    return QStringLiteral("Le fichier est trop grand pour une liste d'élèves (%1 élèves au plus).")
        .arg(MaxPupilListRows);
}

TPupilColumn PupilColumnOf(QStringView header) {
    const QString key = Key(header);
    if (key == u"nom" || key == u"nomeleve" || key == u"nomdefamille")
        return TPupilColumn::Surname;
    if (key == u"prenom" || key == u"prenomeleve")
        return TPupilColumn::Name;
    if (key == u"datedenaissance" || key == u"ne(e)le")
        return TPupilColumn::BirthDay;
    if (key == u"sexe" || key == u"genre")
        return TPupilColumn::Sexe;
    return TPupilColumn::None;
}

QString PupilSexeOf(QStringView text) {
    const QString key = Key(text);
    if (key == u"m" || key == u"g" || key == u"garcon" || key == u"masculin")
        return SexeValues()[0];
    if (key == u"f" || key == u"fille" || key == u"feminin")
        return SexeValues()[1];
    return SexeValues()[DefaultSexeIndex];
}

TPupilList ReadPupilList(QByteArrayView bytes) {
    TPupilList list;
    if (bytes.size() > MaxPupilListBytes) {
        list.Error = PupilListTooLargeError();
        return list;
    }
    QString text = DecodeText(bytes);
    QStringView rest(text);
    QChar separator;
    // A spreadsheet may name its separator on a first line of its own.
    if (rest.startsWith(u"sep=", Qt::CaseInsensitive) && rest.size() >= 5 &&
        (rest.size() == 5 || rest[5] == u'\r' || rest[5] == u'\n')) {
        separator = rest[4];
        rest = rest.mid(5);
        while (!rest.isEmpty() && (rest[0] == u'\r' || rest[0] == u'\n'))
            rest = rest.mid(1);
    } else {
        separator = DetectSeparator(rest);
    }
    TCsvParser parser(rest, separator);
    TRow header;
    while (!parser.AtEnd() && IsBlankRow(header))
        header = parser.NextRow();

    std::array<qsizetype, 5> columns;
    columns.fill(-1);
    for (qsizetype i = 0; i < header.Fields.size(); ++i) {
        auto& column = columns[std::size_t(PupilColumnOf(header.Fields[i]))];
        if (column < 0)
            column = i;
    }
    if (columns[std::size_t(TPupilColumn::Surname)] < 0) {
        list.Error = QStringLiteral("La première ligne du fichier n'a pas de colonne « Nom » : "
                                    "ce n'est pas une liste d'élèves.");
        return list;
    }
    auto field = [&columns](const TRow& row, TPupilColumn column) {
        const qsizetype index = columns[std::size_t(column)];
        return index >= 0 && index < row.Fields.size() ? row.Fields[index] : QString();
    };
    while (!parser.AtEnd()) {
        const TRow row = parser.NextRow();
        if (IsBlankRow(row))
            continue;
        if (int(list.Pupils.size()) == MaxPupilListRows) {
            list.Pupils.clear();
            list.Error = PupilListTooLargeError();
            return list;
        }
        TPupilListEntry entry;
        entry.Surname = field(row, TPupilColumn::Surname);
        entry.Name = field(row, TPupilColumn::Name);
        entry.BirthDay = field(row, TPupilColumn::BirthDay);
        entry.Sexe = PupilSexeOf(field(row, TPupilColumn::Sexe));
        entry.Line = row.Line;
        list.Pupils.push_back(std::move(entry));
    }
    return list;
}
