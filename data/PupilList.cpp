#include "data/PupilList.h"

#include "data/Cp1252.h"

#include <QStringDecoder>

#include <algorithm>

#include <array>
#include <optional>

namespace {

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

using TRow = TPupilTableRow;

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
            QString field = NextField();
            // Columns past the bound are read over and left out.
            if (row.Fields.size() < MaxPupilListColumns)
                row.Fields << std::move(field);
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

// The separator a row of the first few uses most (outside quotes): the
// header's, even under a title row; ";" when no row has any, as a list of
// surnames alone.
QChar DetectSeparator(QStringView text) {
    constexpr int kLines = 20;
    const std::array<QChar, 3> candidates = {u'\t', u';', u','};
    std::array<int, 3> most{};
    std::array<int, 3> counts{};
    bool quoted = false;
    int line = 0;
    for (QChar c : text) {
        if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted && (c == u'\r' || c == u'\n')) {
            for (std::size_t i = 0; i < candidates.size(); ++i)
                most[i] = std::max(most[i], counts[i]);
            counts = {};
            if (++line == kLines)
                break;
        } else if (!quoted) {
            for (std::size_t i = 0; i < candidates.size(); ++i) {
                if (c == candidates[i])
                    ++counts[i];
            }
        }
    }
    for (std::size_t i = 0; i < candidates.size(); ++i)
        most[i] = std::max(most[i], counts[i]);
    std::size_t best = 1;
    for (std::size_t i : {0U, 2U}) {
        if (most[i] > most[best])
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

// How many fields the row names; a column holding the whole name names two.
int NamedFields(const TRow& row) {
    std::array<bool, 5> named{};
    for (const QString& field : row.Fields) {
        const THeaderMatch match = MatchPupilHeader(field);
        named[std::size_t(match.Field)] = true;
        if (match.WholeName)
            named[std::size_t(TPupilColumn::Name)] = true;
    }
    return int(std::count(named.begin() + 1, named.end(), true));
}

int FilledFields(const TRow& row) {
    return int(std::count_if(row.Fields.begin(), row.Fields.end(),
                             [](const QString& field) { return !field.isEmpty(); }));
}

// Title rows and a header come within the first few rows of any list.
constexpr std::size_t kHeaderSearchRows = 20;

} // namespace

QString PupilListTooLargeError() {
    return QStringLiteral("Le fichier est trop grand pour une liste d'élèves (%1 élèves au plus).")
        .arg(MaxPupilListRows);
}

TPupilTable ReadPupilTable(QByteArrayView bytes) {
    TPupilTable table;
    if (bytes.size() > MaxPupilListBytes) {
        table.Error = PupilListTooLargeError();
        return table;
    }
    const QString text = DecodeText(bytes);
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
    std::vector<TRow> rows;
    while (!parser.AtEnd()) {
        TRow row = parser.NextRow();
        if (IsBlankRow(row))
            continue;
        // The header and a full class, with room for a title above.
        if (rows.size() > kHeaderSearchRows + MaxPupilListRows) {
            table.Error = PupilListTooLargeError();
            return table;
        }
        rows.push_back(std::move(row));
    }

    // The header is the first row naming two fields; failing that, one
    // naming one ("Nom" over a list of surnames).
    const std::size_t searched = std::min(rows.size(), kHeaderSearchRows);
    std::size_t header = rows.size();
    for (int wanted : {2, 1}) {
        for (std::size_t i = 0; i < searched && header == rows.size(); ++i) {
            if (NamedFields(rows[i]) >= wanted)
                header = i;
        }
    }
    std::size_t first = header + 1;
    if (header < rows.size()) {
        table.HeaderFound = true;
        table.Headers = rows[header].Fields;
    } else {
        // No header the program knows: the first row that has as many fields
        // as the one below it (so not a title) is taken as the user's
        // headers, unless it holds a date, which only a pupil's row does.
        std::size_t candidate = 0;
        while (candidate + 1 < searched &&
               FilledFields(rows[candidate]) < FilledFields(rows[candidate + 1]))
            ++candidate;
        const bool holdsDate = candidate < rows.size() &&
                               std::any_of(rows[candidate].Fields.begin(),
                                           rows[candidate].Fields.end(), [](const QString& field) {
                                               return ParseBirthDate(field, 9999).has_value();
                                           });
        first = holdsDate ? candidate : candidate + 1;
        if (candidate < rows.size() && !holdsDate)
            table.Headers = rows[candidate].Fields;
    }
    first = std::min(first, rows.size());
    if (rows.size() - first > std::size_t(MaxPupilListRows)) {
        table.Error = PupilListTooLargeError();
        return table;
    }
    qsizetype width = table.Headers.size();
    for (std::size_t i = first; i < rows.size(); ++i)
        width = std::max(width, rows[i].Fields.size());
    for (qsizetype i = 0; i < width; ++i) {
        if (i >= table.Headers.size())
            table.Headers << QString();
        if (table.Headers[i].isEmpty())
            table.Headers[i] = QStringLiteral("Colonne %1").arg(i + 1);
    }
    table.Rows.assign(std::make_move_iterator(rows.begin() + qsizetype(first)),
                      std::make_move_iterator(rows.end()));
    return table;
}

TPupilColumns RecognisePupilColumns(const QStringList& headers) {
    TPupilColumns columns;
    std::array<int, 4> ranks{};
    for (int i = 0; i < int(headers.size()); ++i) {
        const THeaderMatch match = MatchPupilHeader(headers[i]);
        if (match.Field == TPupilColumn::None)
            continue;
        const std::size_t field = std::size_t(match.Field) - 1;
        if (columns.Index[field] < 0 || match.Rank < ranks[field]) {
            columns.Index[field] = i;
            ranks[field] = match.Rank;
        }
    }
    // A usage name may be blank where it is the birth name.
    for (int i = 0; i < int(headers.size()); ++i) {
        if (i != columns[TPupilColumn::Surname] && MatchPupilHeader(headers[i]).BirthName &&
            columns.BirthSurname < 0)
            columns.BirthSurname = i;
    }
    return columns;
}

TPupilList PupilListOf(const TPupilTable& table, const TPupilColumns& columns,
                       const TPupilValueFormat& format) {
    TPupilList list;
    list.Pupils.reserve(table.Rows.size());
    auto field = [](const TRow& row, int index) {
        return index >= 0 && index < row.Fields.size() ? row.Fields[index] : QString();
    };
    const bool splitNames = columns[TPupilColumn::Surname] >= 0 && columns[TPupilColumn::Name] < 0;
    for (const TRow& row : table.Rows) {
        TPupilListEntry entry;
        entry.Line = row.Line;
        entry.Surname = field(row, columns[TPupilColumn::Surname]);
        if (entry.Surname.isEmpty())
            entry.Surname = field(row, columns.BirthSurname);
        entry.Name = field(row, columns[TPupilColumn::Name]);
        if (splitNames) {
            if (const auto parts = SplitWholeName(entry.Surname)) {
                entry.Surname = parts->first;
                entry.Name = parts->second;
            }
        }
        const QString birthDay = field(row, columns[TPupilColumn::BirthDay]);
        if (const std::optional<QDate> date = ParseBirthDate(birthDay, format.ThisYear)) {
            entry.BirthDay = FormatBirthDate(*date, format.Regional);
        } else {
            entry.BirthDay = birthDay;
            entry.DateUnread = !birthDay.isEmpty();
        }
        entry.Sexe = PupilSexeOf(field(row, columns[TPupilColumn::Sexe]));
        list.Pupils.push_back(std::move(entry));
    }
    return list;
}

TPupilList ReadPupilList(QByteArrayView bytes, const TPupilValueFormat& format) {
    const TPupilTable table = ReadPupilTable(bytes);
    TPupilList list;
    if (!table.Error.isEmpty()) {
        list.Error = table.Error;
        return list;
    }
    const TPupilColumns columns = RecognisePupilColumns(table.Headers);
    if (!table.HeaderFound || columns[TPupilColumn::Surname] < 0) {
        list.Error = QStringLiteral("Aucune colonne du fichier ne donne le nom des élèves.");
        return list;
    }
    return PupilListOf(table, columns, format);
}
