#include "data/Cp1252.h"
#include "data/NumberFormat.h"
#include "data/TextLines.h"
#include "data/WorkspaceCodecs.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTest>

#include <cstring>
#include <limits>

class TestCodecs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyByteRoundTrips();
    void agreesWithTheSystemCodec();
    void generalFormat_data();
    void generalFormat();
    void fixedFormat_data();
    void fixedFormat();
    void parseFloat_data();
    void parseFloat();
    void parseInt_data();
    void parseInt();
    void lineEnds_data();
    void lineEnds();
    void listCodec_data();
    void listCodec();
    void linesReadAreWhatARecordStores();
    void levelsCodec_data();
    void levelsCodec();
    void levelsEncodeUnderEachSeparator();
    void marksInHundredthsAsTheGeneralFormat();
    void valueOf_data();
    void valueOf();
};

void TestCodecs::everyByteRoundTrips() {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const QString text = Cp1252::Decode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(text[0x80], QChar(0x20AC));
    QCOMPARE(text[0x81], QChar(0x0081));
    QCOMPARE(text[0x9F], QChar(0x0178));
    QCOMPARE(text[0xE9], QChar(0x00E9));
    QCOMPARE(Cp1252::Encode(text), all);
    QCOMPARE(Cp1252::FitToWindows1252(text), text);
}

void TestCodecs::agreesWithTheSystemCodec() {
    QStringDecoder system("windows-1252");
    if (!system.isValid())
        QSKIP("this Qt has no Windows-1252 codec to compare with");
    for (int b = 0; b < 256; ++b) {
        const QByteArray byte(1, char(b));
        QCOMPARE(Cp1252::Decode(byte), QString(system.decode(byte)));
    }
}

void TestCodecs::generalFormat_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("french");
    QTest::newRow("no mark") << -1.0 << 15 << QStringLiteral("-1");
    QTest::newRow("zero") << 0.0 << 15 << QStringLiteral("0");
    QTest::newRow("negative zero") << -0.0 << 4 << QStringLiteral("0");
    QTest::newRow("fifteen and a half") << 15.5 << 15 << QStringLiteral("15,5");
    QTest::newRow("one decimal") << 12.7 << 15 << QStringLiteral("12,7");
    QTest::newRow("a tenth") << 0.1 << 15 << QStringLiteral("0,1");
    QTest::newRow("a third") << 1.0 / 3 << 15 << QStringLiteral("0,333333333333333");
    QTest::newRow("rounded past 15 digits") << 0.1 + 0.2 << 15 << QStringLiteral("0,3");
    QTest::newRow("large whole") << 1234567.0 << 15 << QStringLiteral("1234567");
    QTest::newRow("too many integer digits") << 1.5e20 << 15 << QStringLiteral("1,5E20");
    QTest::newRow("tiny") << 1.5e-7 << 15 << QStringLiteral("1,5E-7");
    QTest::newRow("smallest fixed") << 0.00001 << 15 << QStringLiteral("0,00001");
    QTest::newRow("average") << 31.0 / 3 << 4 << QStringLiteral("10,33");
    QTest::newRow("average of halves") << 13.5 << 4 << QStringLiteral("13,5");
    QTest::newRow("five integer digits") << 12345.0 << 4 << QStringLiteral("1,235E4");
    QTest::newRow("rounds up to five digits") << 9999.5 << 4 << QStringLiteral("1E4");
    QTest::newRow("rounded decimals") << 2.34567 << 4 << QStringLiteral("2,346");
    QTest::newRow("half rounds away from zero") << 10.125 << 4 << QStringLiteral("10,13");
    QTest::newRow("carry into a new digit") << 9.99999 << 4 << QStringLiteral("10");
    QTest::newRow("negative fraction") << -0.25 << 4 << QStringLiteral("-0,25");
    QTest::newRow("largest double: rounded down to stay in range")
        << std::numeric_limits<double>::max() << 15 << QStringLiteral("1,79769313486231E308");
    QTest::newRow("largest negative double")
        << -std::numeric_limits<double>::max() << 15 << QStringLiteral("-1,79769313486231E308");
    QTest::newRow("largest double, four digits")
        << std::numeric_limits<double>::max() << 4 << QStringLiteral("1,797E308");
}

void TestCodecs::generalFormat() {
    QFETCH(double, value);
    QFETCH(int, precision);
    QFETCH(QString, french);
    QCOMPARE(FormatGeneral(value, precision, u','), french);
    QString english = french;
    english.replace(u',', u'.');
    QCOMPARE(FormatGeneral(value, precision, u'.'), english);
    if (precision == 15 && !french.contains(u'E')) {
        // What is written reads back as the same number.
        QCOMPARE(ParseFloat(french, u',').value_or(-99), value);
    }
    // Whatever is written reads back.
    QVERIFY2(ParseFloat(french, u',').has_value(), qPrintable(french));
}

void TestCodecs::fixedFormat_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("french");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0,0");
    QTest::newRow("whole") << 20.0 << QStringLiteral("20,0");
    QTest::newRow("one decimal") << 12.5 << QStringLiteral("12,5");
    QTest::newRow("half rounds away from zero") << 12.25 << QStringLiteral("12,3");
    QTest::newRow("just below a half") << 12.35 << QStringLiteral("12,3");
    QTest::newRow("carry into a new digit") << 9.96 << QStringLiteral("10,0");
    QTest::newRow("below the decimal, down") << 0.04 << QStringLiteral("0,0");
    QTest::newRow("below the decimal, up") << 0.05 << QStringLiteral("0,1");
    QTest::newRow("four digits leave no decimal") << 1234.56 << QStringLiteral("1235,0");
    QTest::newRow("five integer digits") << 12345.0 << QStringLiteral("1,235E4");
    QTest::newRow("negative") << -0.25 << QStringLiteral("-0,3");
}

void TestCodecs::fixedFormat() {
    QFETCH(double, value);
    QFETCH(QString, french);
    QCOMPARE(FormatFixed(value, 4, 1, u','), french);
    QString english = french;
    english.replace(u',', u'.');
    QCOMPARE(FormatFixed(value, 4, 1, u'.'), english);
}

void TestCodecs::parseFloat_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("decimal comma") << QStringLiteral("12,5") << true << 12.5;
    QTest::newRow("point under a comma") << QStringLiteral("12.5") << false << 0.0;
    QTest::newRow("blanks around") << QStringLiteral(" 12,5 ") << true << 12.5;
    QTest::newRow("nothing after the comma") << QStringLiteral("12,") << true << 12.0;
    QTest::newRow("nothing before the comma") << QStringLiteral(",5") << true << 0.5;
    QTest::newRow("comma alone") << QStringLiteral(",") << false << 0.0;
    QTest::newRow("group separator") << QStringLiteral("1 234,5") << false << 0.0;
    QTest::newRow("exponent") << QStringLiteral("1,5E3") << true << 1500.0;
    QTest::newRow("exponent without digits") << QStringLiteral("1E") << false << 0.0;
    QTest::newRow("signed") << QStringLiteral("-3") << true << -3.0;
    QTest::newRow("plus") << QStringLiteral("+2") << true << 2.0;
    QTest::newRow("letters") << QStringLiteral("abc") << false << 0.0;
    QTest::newRow("empty") << QString() << false << 0.0;
    QTest::newRow("out of range") << QStringLiteral("1E400") << false << 0.0;
    QTest::newRow("two commas") << QStringLiteral("1,2,3") << false << 0.0;
    QTest::newRow("not a number word") << QStringLiteral("nan") << false << 0.0;
    // Up to 15 digits are read by a shorter road than longer numbers: both
    // must give the nearest double.
    QTest::newRow("a tenth") << QStringLiteral("0,1") << true << 0.1;
    QTest::newRow("fifteen digits")
        << QStringLiteral("0,123456789012345") << true << 0.123456789012345;
    QTest::newRow("sixteen digits")
        << QStringLiteral("0,1234567890123456") << true << 0.1234567890123456;
    QTest::newRow("fifteen integer digits")
        << QStringLiteral("999999999999999") << true << 999999999999999.0;
    QTest::newRow("sign alone") << QStringLiteral("-") << false << 0.0;
}

void TestCodecs::parseFloat() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    const std::optional<double> parsed = ParseFloat(text, u',');
    QCOMPARE(parsed.has_value(), valid);
    if (valid) {
        // To the last bit: QCOMPARE on doubles would forgive a rounding error.
        QFETCH(double, value);
        QVERIFY2(std::memcmp(&*parsed, &value, sizeof value) == 0, qPrintable(text));
    }
    // The byte form reads the same.
    QCOMPARE(ParseFloat(Cp1252::Encode(text), u','), parsed);
}

void TestCodecs::parseInt_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("level") << QStringLiteral("4") << true << 4;
    QTest::newRow("leading blank") << QStringLiteral(" 4") << true << 4;
    QTest::newRow("trailing blank") << QStringLiteral("4 ") << false << 0;
    QTest::newRow("negative") << QStringLiteral("-1") << true << -1;
    QTest::newRow("smallest") << QStringLiteral("-2147483648") << true
                              << std::numeric_limits<int>::min();
    QTest::newRow("too large") << QStringLiteral("2147483648") << false << 0;
    QTest::newRow("many digits") << QStringLiteral("99999999999999999999") << false << 0;
    QTest::newRow("sign alone") << QStringLiteral("-") << false << 0;
    QTest::newRow("empty") << QString() << false << 0;
    QTest::newRow("decimal") << QStringLiteral("1,5") << false << 0;
}

void TestCodecs::parseInt() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    const std::optional<int> parsed = ParseInt(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QTEST(*parsed, "value");
    QCOMPARE(ParseInt(Cp1252::Encode(text)), parsed);
}

void TestCodecs::lineEnds_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<QByteArray>>("lines");
    using L = QList<QByteArray>;
    QTest::newRow("empty") << QByteArray() << L{};
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << L{"a", "b"};
    QTest::newRow("last line without end") << QByteArray("a\r\nb") << L{"a", "b"};
    QTest::newRow("lone cr and lf") << QByteArray("a\rb\nc") << L{"a", "b", "c"};
    QTest::newRow("lf cr is two ends") << QByteArray("a\n\rb") << L{"a", "", "b"};
    QTest::newRow("empty lines") << QByteArray("\r\n\r\n") << L{"", ""};
    QTest::newRow("nul is text") << QByteArray("a\0b\n", 4) << L{QByteArray("a\0b", 3)};
}

void TestCodecs::lineEnds() {
    QFETCH(QByteArray, bytes);
    QFETCH(QList<QByteArray>, lines);
    QList<QByteArray> split;
    for (QByteArrayView line : SplitLines(bytes))
        split.append(line.toByteArray());
    QCOMPARE(split, lines);
}

void TestCodecs::listCodec_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("terminated") << QStringLiteral("a|b|")
                                << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("text after the last bar")
        << QStringLiteral("a|b") << QStringList{QStringLiteral("a")};
    QTest::newRow("no bar") << QStringLiteral("abc") << QStringList{};
    QTest::newRow("empty items") << QStringLiteral("||") << QStringList{QString(), QString()};
    QTest::newRow("empty") << QString() << QStringList{};
}

void TestCodecs::listCodec() {
    QFETCH(QString, value);
    QFETCH(QStringList, lines);
    TPData record(TDataType::dtClass);
    // Text after the last "|" is the only thing the list loses.
    QCOMPARE(DecodeList(value, record), value.isEmpty() || value.endsWith(u'|'));
    QCOMPARE(record.Lines(), lines);
    TPData fromBytes(TDataType::dtClass);
    DecodeList(Cp1252::Encode(value), fromBytes);
    QCOMPARE(fromBytes.Lines(), lines);
    if (value.endsWith(u'|') || value.isEmpty())
        QCOMPARE(EncodeList(lines), value);
}

void TestCodecs::linesReadAreWhatARecordStores() {
    // The file's bytes go into a record's lines without its checks: they
    // must give what the checks make of the same text.
    QByteArray value;
    for (int b = 0; b < 256; ++b) {
        if (b != '|' && b != '\r' && b != '\n')
            value += char(b);
        if (b % 16 == 15)
            value += '|';
    }
    TPData fromBytes(TDataType::dtPupil);
    QVERIFY(DecodeList(value, fromBytes));
    TPData checked(TDataType::dtPupil);
    QVERIFY(DecodeList(Cp1252::Decode(value), checked));
    QCOMPARE(fromBytes.Lines().size(), 16);
    QCOMPARE(fromBytes.Lines(), checked.Lines());
}

void TestCodecs::levelsCodec_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("entries"); // level:mark pairs read, in C notation
    // Whether writing what was read gives the value back, the decimal
    // separator aside: what decides whether a load kept all the file held.
    QTest::addColumn<bool>("exact");
    QTest::newRow("example") << u"4:-1|1:15,5|2:-1|3:12|"_qs << true << u"4:-1 1:15.5 2:-1 3:12"_qs
                             << true;
    QTest::newRow("decimal point") << u"1:12.5|2:0.25|"_qs << true << u"1:12.5 2:0.25"_qs << true;
    QTest::newRow("both separators in one mark") << u"1:1,2.5|"_qs << false << u"1:-1"_qs << false;
    QTest::newRow("bad mark keeps the level") << u"2:abc|1:12|"_qs << false << u"2:-1"_qs << false;
    QTest::newRow("bad level") << u"1:12|x:3|"_qs << false << u"1:12"_qs << false;
    QTest::newRow("last entry without its bar") << u"1:10|2:11"_qs << true << u"1:10"_qs << false;
    QTest::newRow("entry without a colon") << u"1:10|5|2:3|"_qs << false << u"1:10"_qs << false;
    QTest::newRow("no colon at all") << u"5|"_qs << false << QString() << false;
    QTest::newRow("empty mark") << u"1:|"_qs << false << u"1:-1"_qs << false;
    QTest::newRow("level with a blank and a sign") << u" +3:7|"_qs << true << u"3:7"_qs << false;
    QTest::newRow("level with a leading zero") << u"03:7|"_qs << true << u"3:7"_qs << false;
    QTest::newRow("negative level") << u"-2:7|"_qs << true << u"-2:7"_qs << true;
    QTest::newRow("largest level") << u"2147483647:1|"_qs << true << u"2147483647:1"_qs << true;
    QTest::newRow("level past 32 bits") << u"1:2|2147483648:1|"_qs << false << u"1:2"_qs << false;
    QTest::newRow("accented level") << u"é:1|"_qs << false << QString() << false;
    QTest::newRow("level out of range kept") << u"9:-1|0:2|"_qs << true << u"9:-1 0:2"_qs << true;
    QTest::newRow("trailing zero") << u"1:12,50|"_qs << true << u"1:12.5"_qs << false;
    QTest::newRow("whole mark with decimals") << u"1:12,0|"_qs << true << u"1:12"_qs << false;
    QTest::newRow("no integer digit") << u"1:,5|"_qs << true << u"1:0.5"_qs << false;
    QTest::newRow("no decimal digit") << u"1:5.|"_qs << true << u"1:5"_qs << false;
    QTest::newRow("leading zero") << u"1:05|"_qs << true << u"1:5"_qs << false;
    QTest::newRow("zero") << u"1:0|2:0,5|"_qs << true << u"1:0 2:0.5"_qs << true;
    QTest::newRow("negative zero") << u"1:-0|"_qs << true << u"1:0"_qs << false;
    QTest::newRow("plus sign") << u"1:+5|"_qs << true << u"1:5"_qs << false;
    QTest::newRow("blanks") << u"1: 5|"_qs << true << u"1:5"_qs << false;
    QTest::newRow("exponent as written") << u"1:1,5E20|"_qs << true << u"1:1.5e+20"_qs << true;
    QTest::newRow("exponent not needed") << u"1:1E1|"_qs << true << u"1:10"_qs << false;
    QTest::newRow("tiny mark as written") << u"1:1E-6|"_qs << true << u"1:1e-06"_qs << true;
    QTest::newRow("tiny mark written out") << u"1:0,000001|"_qs << true << u"1:1e-06"_qs << false;
    QTest::newRow("smallest written out") << u"1:0.00001|"_qs << true << u"1:1e-05"_qs << true;
    QTest::newRow("fifteen digits")
        << u"1:1234567,12345678|"_qs << true << u"1:1.23457e+06"_qs << true;
    QTest::newRow("sixteen digits rounded")
        << u"1:1234567,123456789|"_qs << true << u"1:1.23457e+06"_qs << false;
    QTest::newRow("empty") << QString() << true << QString() << true;
}

void TestCodecs::levelsCodec() {
    QFETCH(QString, value);
    QFETCH(QString, entries);
    for (bool bytes : {false, true}) {
        TPData pupil(TDataType::dtPupil);
        const TDecodedLevels decoded =
            bytes ? DecodeLevels(Cp1252::Encode(value), pupil) : DecodeLevels(value, pupil);
        QTEST(decoded.Read, "valid");
        QStringList read;
        for (int i = 0; i < pupil.LevelCount(); ++i)
            read << QStringLiteral("%1:%2").arg(pupil.GetLevel(i)).arg(pupil.GetMark(i));
        QCOMPARE(read.join(u' '), entries);
        if (!decoded.Read)
            continue;
        QTEST(decoded.Exact, "exact");
        // Exact means the writer gives the value back, under either separator.
        const QChar separator = value.contains(u',') ? u',' : u'.';
        QCOMPARE(EncodeLevels(pupil, separator) == value, decoded.Exact);
    }
}

void TestCodecs::levelsEncodeUnderEachSeparator() {
    TPData pupil(TDataType::dtPupil);
    pupil.SetLevel(0, 4);
    pupil.SetMark(1, 15.5);
    pupil.SetLevel(1, 1);
    pupil.SetLevel(2, 3);
    pupil.SetMark(2, 12);
    QCOMPARE(EncodeLevels(pupil, u','), QStringLiteral("4:-1|1:15,5|3:12|"));
    QCOMPARE(EncodeLevels(pupil, u'.'), QStringLiteral("4:-1|1:15.5|3:12|"));
    QCOMPARE(EncodeLevels(TPData(TDataType::dtPupil), u','), QString());
}

void TestCodecs::marksInHundredthsAsTheGeneralFormat() {
    // Marks in hundredths are written without the general format: the text
    // must be the one it gives, to the last digit.
    QList<double> marks = {0.1 + 0.2, 1.005, 12.345, 0.001, 1e-7, 1e13 + 0.5, -1e13 - 0.25};
    for (int n = -2100; n <= 2100; ++n)
        marks << n / 100.0;
    for (long long n :
         {999999999999999LL, -999999999999999LL, 100000000000001LL, 1000000000000001LL})
        marks << double(n) / 100;
    QRandomGenerator random(18);
    for (int i = 0; i < 5000; ++i)
        marks << double(random.bounded(qint64(1000000000000000))) / 100;
    for (QChar separator : {u',', u'.'}) {
        for (double mark : marks) {
            TPData pupil(TDataType::dtPupil);
            pupil.SetLevel(0, 1);
            pupil.SetMark(0, mark);
            QCOMPARE(EncodeLevels(pupil, separator),
                     QStringLiteral("1:") + FormatGeneral(mark, 15, separator) + u'|');
        }
    }
}

void TestCodecs::valueOf_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("value");
    QTest::newRow("key and value") << QStringLiteral("Surname=Untel") << QStringLiteral("Untel");
    QTest::newRow("equals in the value") << QStringLiteral("a=b=c") << QStringLiteral("b=c");
    QTest::newRow("no equals") << QStringLiteral("Untel") << QStringLiteral("Untel");
    QTest::newRow("empty value") << QStringLiteral("Name=") << QString();
}

void TestCodecs::valueOf() {
    QFETCH(QString, line);
    QFETCH(QString, value);
    QCOMPARE(ValueOf(QStringView(line)).toString(), value);
    QCOMPARE(Cp1252::Decode(ValueOf(QByteArrayView(Cp1252::Encode(line)))), value);
}

QTEST_GUILESS_MAIN(TestCodecs)
#include "tst_codecs.moc"
