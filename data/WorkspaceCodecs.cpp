#include "data/WorkspaceCodecs.h"

#include "data/Cp1252.h"
#include "data/NumberFormat.h"

namespace {

qsizetype Find(QStringView text, char c) {
    return text.indexOf(QLatin1Char(c));
}

qsizetype Find(QByteArrayView text, char c) {
    return text.indexOf(c);
}

QString ToQString(QStringView text) {
    return text.toString();
}

QString ToQString(QByteArrayView windows1252) {
    return Cp1252::Decode(windows1252);
}

template <typename View> void DecodeListIn(View text, TPData& record) {
    qsizetype bar;
    while ((bar = Find(text, '|')) >= 0) {
        record.AppendLine(ToQString(text.first(bar)));
        text = text.sliced(bar + 1);
    }
}

template <typename View> bool DecodeLevelsIn(View text, TPData& record, QChar decimalSeparator) {
    int index = 0;
    qsizetype bar;
    while ((bar = Find(text, '|')) >= 0) {
        // The first ":" of the remaining text, even past the "|": an entry
        // without one reads a level that is not a number.
        const qsizetype colon = Find(text, ':');
        if (colon < 0 || colon > bar)
            return false;
        const std::optional<int> level = ParseInt(text.first(colon));
        if (!level)
            return false;
        record.SetLevel(index, *level);
        const std::optional<double> mark =
            ParseFloat(text.sliced(colon + 1, bar - colon - 1), decimalSeparator);
        if (!mark)
            return false;
        record.SetMark(index, *mark);
        text = text.sliced(bar + 1);
        ++index;
    }
    return true;
}

template <typename View> View ValueIn(View line) {
    const qsizetype equals = Find(line, '=');
    return equals < 0 ? line : line.sliced(equals + 1);
}

} // namespace

QString EncodeList(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += u'|';
    }
    return text;
}

void DecodeList(QStringView text, TPData& record) {
    DecodeListIn(text, record);
}

void DecodeList(QByteArrayView windows1252, TPData& record) {
    DecodeListIn(windows1252, record);
}

void AppendLevels(QString& out, const TPData& record, QChar decimalSeparator) {
    for (int i = 0; i < record.LevelCount(); ++i) {
        out += QString::number(record.GetLevel(i));
        out += u':';
        AppendGeneral(out, record.GetMark(i), 15, decimalSeparator);
        out += u'|';
    }
}

QString EncodeLevels(const TPData& record, QChar decimalSeparator) {
    QString text;
    AppendLevels(text, record, decimalSeparator);
    return text;
}

bool DecodeLevels(QStringView text, TPData& record, QChar decimalSeparator) {
    return DecodeLevelsIn(text, record, decimalSeparator);
}

bool DecodeLevels(QByteArrayView windows1252, TPData& record, QChar decimalSeparator) {
    return DecodeLevelsIn(windows1252, record, decimalSeparator);
}

QStringView ValueOf(QStringView line) {
    return ValueIn(line);
}

QByteArrayView ValueOf(QByteArrayView line) {
    return ValueIn(line);
}
