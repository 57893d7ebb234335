#include "spreadsheet/ResultWriters.h"
#include "spreadsheet/SpreadsheetLibraries.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A class with a heading over two subjects and one subject alone; two
// pupils, one with remarks that need quoting.
std::unique_ptr<TClassNode> ExampleClass() {
    auto schoolClass = std::make_unique<TClassNode>();
    schoolClass->Text = QStringLiteral("CM1 [B]");
    schoolClass->Data = std::make_unique<TPData>(TDataType::dtClass);
    schoolClass->Data->SetLines({QStringLiteral("$Français"), QStringLiteral("_Lecture"),
                                 QStringLiteral("_Écriture"), QStringLiteral("Mathématiques")});
    auto pupil = [&](const char* surname, const char* name, const char* birthDay, int sexe,
                     std::array<int, 3> levels, std::array<double, 3> marks,
                     const QStringList& remarks) {
        auto node = NewPupilNode({QString::fromUtf8(surname), QString::fromUtf8(name),
                                  QString::fromUtf8(birthDay), SexeValues()[std::size_t(sexe)],
                                  schoolClass->Text},
                                 4);
        for (int i = 0; i < 3; ++i) {
            node->Data->SetLevel(i + 1, levels[std::size_t(i)]);
            node->Data->SetMark(i + 1, marks[std::size_t(i)]);
        }
        node->Data->SetLines(remarks);
        schoolClass->Pupils.push_back(std::move(node));
    };
    pupil("Dupont", "Jean", "03/05/2016", 0, {1, 4, 2}, {15.5, NoMark, 12},
          {QStringLiteral("Bon travail ; sérieux"), QStringLiteral("Un \"vrai\" progrès")});
    pupil("Martin-Roux", "Zoé", "", 1, {3, 1, 4}, {8, 20, NoMark}, {});
    return schoolClass;
}

// What any spreadsheet shows of the example, numbers as "#value".
const QStringList kExpected = {
    u"||||Français"_qs,
    u"||||Lecture||Écriture||Mathématiques"_qs,
    u"Nom|Prénom|Date de naissance|Sexe|Niveau|Note|Niveau|Note|Niveau|Note|Remarques"_qs,
    u"Dupont|Jean|03/05/2016|Garçon|A|#15.5|?||B|#12|Bon travail ; sérieux/Un \"vrai\" progrès"_qs,
    u"Martin-Roux|Zoé||Fille|C|#8|A|#20|?"_qs,
    QString(),
    u"Élèves au niveau A (acquis)||||#1||#1||#0"_qs,
    u"Élèves au niveau B (en cours)||||#0||#0||#1"_qs,
    u"Élèves au niveau C (pas encore)||||#1||#0||#0"_qs,
    u"Élèves au niveau ?||||#0||#1||#1"_qs,
    u"Moyenne|||||#11.75||#20||#12"_qs,
};

} // namespace

class TestResultExport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(FFolder.isValid());
        FTable =
            BuildResultTable(*ExampleClass(), {QStringLiteral("acquis"), QStringLiteral("en cours"),
                                               QStringLiteral("pas encore"), QString()});
    }

    // Each file read back by another program's reader: values, number
    // cells, the header band and frozen panes.
    void ReadBack_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<QString>("frozen");
        QTest::newRow("ods") << u"r.ods"_qs << QChar(u'.') << u"frozen=3,2"_qs;
        QTest::newRow("xlsx") << u"r.xlsx"_qs << QChar(u'.') << u"frozen=3,2"_qs;
        QTest::newRow("csv French") << u"fr.csv"_qs << QChar(u',') << u"frozen=none"_qs;
        QTest::newRow("csv English") << u"en.csv"_qs << QChar(u'.') << u"frozen=none"_qs;
    }
    void ReadBack() {
        QFETCH(QString, name);
        QFETCH(QChar, decimal);
        QFETCH(QString, frozen);
        const QString path = FFolder.filePath(name);
        const std::optional<TResultFormat> format = ResultFormatOf(path);
        QVERIFY(format);
        TResultBytes bytes;
        if (*format == TResultFormat::Ods)
            bytes = ResultsOds(FTable);
        else if (*format == TResultFormat::Xlsx)
            bytes = ResultsXlsx(FTable);
        else
            bytes = ResultsCsv(FTable, decimal);
        QVERIFY2(
            std::holds_alternative<QByteArray>(bytes),
            qPrintable(std::get_if<QString>(&bytes) ? *std::get_if<QString>(&bytes) : QString()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(std::get<QByteArray>(bytes));
        file.close();

        QProcess reader;
        reader.start(QStringLiteral(PYTHON3),
                     {QStringLiteral(QT_TESTCASE_SOURCEDIR "/read_results.py"), path});
        QVERIFY(reader.waitForFinished(60000));
        QVERIFY2(reader.exitCode() == 0, reader.readAllStandardError().constData());
        QStringList lines = QString::fromUtf8(reader.readAllStandardOutput()).split(u'\n');
        if (lines.last().isEmpty())
            lines.removeLast();
        QCOMPARE(lines.takeFirst(), frozen);
        QStringList expected = kExpected;
        if (*format == TResultFormat::Csv) {
            // Plain text: numbers as the user writes them.
            for (QString& line : expected) {
                line.remove(u'#');
                line.replace(QStringLiteral("11.75"),
                             QStringLiteral("11") + decimal + QStringLiteral("75"));
                line.replace(QStringLiteral("15.5"), QStringLiteral("15") + decimal + u'5');
            }
        }
        QCOMPARE(lines, expected);
    }

    void CsvQuotingAndBom() {
        const QByteArray csv = ResultsCsv(FTable, u',');
        QVERIFY(csv.startsWith("\xEF\xBB\xBF;;;;Fran\xC3\xA7"
                               "ais;"));
        QVERIFY(
            csv.contains("\"Bon travail ; s\xC3\xA9rieux\nUn \"\"vrai\"\" progr\xC3\xA8s\"\r\n"));
    }

    void SheetNames_data() {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("sheet");
        QTest::newRow("plain") << u"CM1"_qs << u"CM1"_qs;
        QTest::newRow("forbidden characters") << u"CM1/CM2 [a]*?:\\"_qs << u"CM1_CM2 _a_____"_qs;
        QTest::newRow("long") << QString(40, u'x') << QString(31, u'x');
        QTest::newRow("quotes") << u"'CE2'"_qs << u"CE2"_qs;
        QTest::newRow("empty") << QString() << u"Classe"_qs;
    }
    void SheetNames() {
        QFETCH(QString, className);
        QTEST(SheetName(className), "sheet");
    }

    // A library the system lacks, or one without the functions, is said by
    // its name; nothing is called through a half-filled table.
    void MissingLibraryIsSaid_data() {
        QTest::addColumn<bool>("xlsx");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("said");
        QTest::newRow("no such workbook library")
            << true << u"libquillorin-absent.so.9"_qs << u"libquillorin-absent.so.9"_qs;
        QTest::newRow("no such zip library")
            << false << u"libquillorin-absent.so.9"_qs << u"libquillorin-absent.so.9"_qs;
        QTest::newRow("workbook functions missing")
            << true << u"libz.so.1"_qs << u"workbook_new"_qs;
        QTest::newRow("zip functions missing") << false << u"libz.so.1"_qs << u"zip_error_init"_qs;
    }
    void MissingLibraryIsSaid() {
        QFETCH(bool, xlsx);
        QFETCH(QString, file);
        QFETCH(QString, said);
        QString error;
        TXlsxFunctions workbook;
        TZipFunctions zip;
        QVERIFY(!(xlsx ? LoadXlsxFunctions(file, workbook, error)
                       : LoadZipFunctions(file, zip, error)));
        QVERIFY2(error.contains(said), qPrintable(error));
    }

private:
    QTemporaryDir FFolder;
    TResultTable FTable;
};

QTEST_APPLESS_MAIN(TestResultExport)
#include "tst_resultexport.moc"
