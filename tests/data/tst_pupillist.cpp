#include "data/Cp1252.h"
#include "data/PupilImport.h"
#include "data/PupilList.h"

#include <QTest>

namespace {

QString Outline(const TPupilList& list) {
    QStringList rows;
    for (const TPupilListEntry& entry : list.Pupils)
        rows << QStringList{entry.Surname, entry.Name, entry.BirthDay, entry.Sexe}.join(u'|');
    return rows.join(u'/');
}

} // namespace

class TPupilListTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void HeaderMatching_data() {
        QTest::addColumn<QString>("header");
        QTest::addColumn<int>("column");
        const int none = int(TPupilColumn::None);
        const int surname = int(TPupilColumn::Surname);
        const int name = int(TPupilColumn::Name);
        const int birth = int(TPupilColumn::BirthDay);
        const int sexe = int(TPupilColumn::Sexe);
        QTest::newRow("Nom") << u"Nom"_qs << surname;
        QTest::newRow("NOM") << u"NOM"_qs << surname;
        QTest::newRow("Nom élève") << u"Nom élève"_qs << surname;
        QTest::newRow("NOM ELEVE") << u"NOM ELEVE"_qs << surname;
        QTest::newRow("nom de famille") << u" nom  de\u00A0famille "_qs << surname;
        QTest::newRow("Prénom") << u"Prénom"_qs << name;
        QTest::newRow("PRENOM") << u"PRENOM"_qs << name;
        QTest::newRow("Prénom élève") << u"Prénom élève"_qs << name;
        QTest::newRow("Date de naissance") << u"Date de naissance"_qs << birth;
        QTest::newRow("Né(e) le") << u"Né(e) le"_qs << birth;
        QTest::newRow("NE(E) LE") << u"NE(E) LE"_qs << birth;
        QTest::newRow("Sexe") << u"Sexe"_qs << sexe;
        QTest::newRow("genre") << u"genre"_qs << sexe;
        QTest::newRow("Nom usuel") << u"Nom usuel"_qs << none;
        QTest::newRow("Noms") << u"Noms"_qs << none;
        QTest::newRow("empty") << QString() << none;
        QTest::newRow("Classe") << u"Classe"_qs << none;
    }
    void HeaderMatching() {
        QFETCH(QString, header);
        QFETCH(int, column);
        QCOMPARE(int(PupilColumnOf(header)), column);
    }

    void SexeMapping_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sexe");
        for (const char* boy : {"M", "m", "G", " g ", "Garçon", "GARCON", "garcon", "Masculin"})
            QTest::newRow(boy) << QString::fromUtf8(boy) << u"Garçon"_qs;
        for (const char* girl : {"F", "f", "Fille", "FILLE", "Féminin", "feminin"})
            QTest::newRow(girl) << QString::fromUtf8(girl) << u"Fille"_qs;
        for (const char* unknown : {"", "X", "Homme", "Garçons", "1", "?"})
            QTest::newRow(unknown) << QString::fromUtf8(unknown) << u"Je ne sais pas"_qs;
    }
    void SexeMapping() {
        QFETCH(QString, text);
        QFETCH(QString, sexe);
        QCOMPARE(PupilSexeOf(text), sexe);
    }

    // The same list in every encoding and with every separator reads the
    // same; the accents come through.
    void EncodingsAndSeparators_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = u"Nom{s}Prénom{s}Né(e) le{s}Sexe\r\n"
                             "Lefèvre{s}Zoé{s}03/05/2016{s}F\r\n"
                             "Martin{s}Noël{s}12/11/2016{s}Garçon\r\n"_qs;
        auto with = [&text](const char* separator) {
            return QString(text).replace(u"{s}"_qs, QString::fromLatin1(separator));
        };
        QTest::newRow("UTF-8 ;") << with(";").toUtf8();
        QTest::newRow("UTF-8 BOM ,") << QByteArray("\xEF\xBB\xBF") + with(",").toUtf8();
        QTest::newRow("UTF-8 tab") << with("\t").toUtf8();
        QTest::newRow("Windows-1252 ;") << Cp1252::Encode(with(";"));
        QTest::newRow("Windows-1252 tab") << Cp1252::Encode(with("\t"));
        QTest::newRow("UTF-16LE BOM tab")
            << QByteArray("\xFF\xFE") +
                   QByteArray(reinterpret_cast<const char*>(with("\t").utf16()),
                              with("\t").size() * 2);
        QTest::newRow("LF only ,") << with(",").replace(u"\r"_qs, QString()).toUtf8();
        QTest::newRow("quoted ;")
            << QString(with(";")).replace(u"Lefèvre"_qs, u"\"Lefèvre\""_qs).toUtf8();
        QTest::newRow("sep= line") << (u"sep=;\r\n"_qs + with(";")).toUtf8();
    }
    void EncodingsAndSeparators() {
        QFETCH(QByteArray, bytes);
        const TPupilList list = ReadPupilList(bytes);
        QCOMPARE(list.Error, QString());
        QCOMPARE(Outline(list), u"Lefèvre|Zoé|03/05/2016|Fille/Martin|Noël|12/11/2016|Garçon"_qs);
    }

    void QuotedFields() {
        // Separators, quotes and a line break inside quotes; columns in
        // another order; a short row; blank rows ignored; extra columns kept out.
        const QByteArray bytes = "Classe,Prénom élève,Nom élève,Genre\n"
                                 "CM1,\"Anne, Marie\",\"D'Hondt \"\"dit\"\" Max\",F\n"
                                 "\n"
                                 " , , , \n"
                                 "CM1,\"Jean\nPaul\",Roux,M\n"
                                 "CM1,Luc\n";
        const TPupilList list = ReadPupilList(bytes);
        QCOMPARE(list.Error, QString());
        QCOMPARE(Outline(list), u"D'Hondt \"dit\" Max|Anne, Marie||Fille/Roux|Jean\nPaul||Garçon/"
                                "|Luc||Je ne sais pas"_qs);
        QCOMPARE(list.Pupils[1].Line, 5);
        QCOMPARE(list.Pupils[2].Line, 7);
    }

    void Refused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty") << QByteArray() << u"colonne « Nom »"_qs;
        QTest::newRow("no surname column")
            << QByteArray("Prénom;Sexe\nAnne;F\n") << u"colonne « Nom »"_qs;
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1A\n\0\0", 10) << u"colonne « Nom »"_qs;
        QTest::newRow("too many bytes")
            << QByteArray(MaxPupilListBytes + 1, 'a') << u"trop grand"_qs;
        QByteArray rows = "Nom\n";
        for (int i = 0; i <= MaxPupilListRows; ++i)
            rows += "X\n";
        QTest::newRow("too many rows") << rows << u"trop grand"_qs;
    }
    void Refused() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        const TPupilList list = ReadPupilList(bytes);
        QVERIFY2(list.Error.contains(error), qPrintable(list.Error));
        QVERIFY(list.Pupils.empty());
    }

    void Plan() {
        TClassNode schoolClass;
        schoolClass.Data = std::make_unique<TPData>(TDataType::dtClass);
        auto pupil = std::make_unique<TNode>();
        pupil->Data = std::make_unique<TPData>(TDataType::dtPupil);
        pupil->Data->SetSurname(u"Dupont"_qs);
        pupil->Data->SetName(u"Jean"_qs);
        pupil->Data->SetBirthDay(u"01/02/2016"_qs);
        schoolClass.Pupils.push_back(std::move(pupil));
        const TPupilList list = ReadPupilList("Nom;Prénom;Date de naissance\n"
                                              "DUPONT;jean;01/02/2016\n" // already there
                                              "Dupont;Jean;02/02/2016\n" // another day
                                              ";Paul;\n"                 // no surname
                                              "Roux;Léa;\n"
                                              "roux ; LÉA ;\n"); // twice in the list
        const TPupilImportPlan plan = PlanPupilImport(schoolClass, list);
        QStringList added;
        for (const TPupilListEntry& entry : plan.Added)
            added << entry.Surname + u' ' + entry.BirthDay;
        QCOMPARE(added, (QStringList{u"Dupont 02/02/2016"_qs, u"Roux "_qs}));
        QStringList skipped;
        for (const TSkippedPupil& row : plan.Skipped)
            skipped << QString::number(row.Entry.Line) + u' ' + row.Reason;
        QCOMPARE(skipped, (QStringList{u"2 déjà dans la classe"_qs, u"4 nom vide"_qs,
                                       u"6 déjà plus haut dans la liste"_qs}));
    }
};

QTEST_APPLESS_MAIN(TPupilListTest)
#include "tst_pupillist.moc"
