#include "data/Cp1252.h"
#include "data/NameCase.h"
#include "data/PupilColumnMemory.h"
#include "data/PupilImport.h"
#include "data/PupilList.h"
#include "data/Settings.h"

#include <QTest>

namespace {

TPupilValueFormat French() {
    return {TRegionalSettings::FromLocale(QLocale(QLocale::French, QLocale::France)), 2026};
}

// The columns a header row gives, as the field each column holds.
QString FieldsOf(const QStringList& headers) {
    const TPupilColumns columns = RecognisePupilColumns(headers);
    QStringList fields;
    for (int index : columns.Index)
        fields << (index < 0 ? u"-"_qs : headers[index]);
    return fields.join(u'|');
}

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
        QTest::newRow("Nom usuel") << u"Nom usuel"_qs << surname;
        QTest::newRow("NOM_D_USAGE") << u"NOM_D_USAGE"_qs << surname;
        QTest::newRow("Nom de l'élève") << u"Nom de l'élève"_qs << surname;
        QTest::newRow("Élève") << u"Élève"_qs << surname;
        QTest::newRow("DATE NAISS") << u"DATE NAISS"_qs << birth;
        QTest::newRow("Date naiss.") << u"Date naiss."_qs << birth;
        QTest::newRow("Date de naissance (jj/mm/aaaa)")
            << u"Date de naissance (jj/mm/aaaa)"_qs << birth;
        QTest::newRow("Prénom 1") << u"Prénom 1"_qs << name;
        QTest::newRow("Prénom usuel") << u"Prénom usuel"_qs << name;
        QTest::newRow("Prénom 2") << u"Prénom 2"_qs << none;
        QTest::newRow("Autres prénoms") << u"Autres prénoms"_qs << none;
        QTest::newRow("Sexe (M/F)") << u"Sexe (M/F)"_qs << sexe;
        QTest::newRow("Nom du responsable") << u"Nom du responsable"_qs << none;
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
        for (const char* boy : {"H", "1", "Masc.", "masc", "Gar."})
            QTest::newRow(boy) << QString::fromUtf8(boy) << u"Garçon"_qs;
        for (const char* girl : {"2", "Fém.", "F.", "fem"})
            QTest::newRow(girl) << QString::fromUtf8(girl) << u"Fille"_qs;
        for (const char* unknown : {"", "X", "3", "Garçons", "?", "MF"})
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
        QTest::newRow("title, then tabs")
            << (u"Classe de CM1, année 2026\r\n\r\n"_qs + with("\t")).toUtf8();
    }
    void EncodingsAndSeparators() {
        QFETCH(QByteArray, bytes);
        const TPupilList list = ReadPupilList(bytes, French());
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
        const TPupilList list = ReadPupilList(bytes, French());
        QCOMPARE(list.Error, QString());
        QCOMPARE(Outline(list), u"D'Hondt \"dit\" Max|Anne, Marie||Fille/Roux|Jean\nPaul||Garçon/"
                                "|Luc||Je ne sais pas"_qs);
        QCOMPARE(list.Pupils[1].Line, 5);
        QCOMPARE(list.Pupils[2].Line, 7);
    }

    void Refused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty") << QByteArray() << u"le nom des élèves"_qs;
        QTest::newRow("no surname column")
            << QByteArray("Prénom;Sexe\nAnne;F\n") << u"le nom des élèves"_qs;
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1A\n\0\0", 10)
                                << u"le nom des élèves"_qs;
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
        const TPupilList list = ReadPupilList(bytes, French());
        QVERIFY2(list.Error.contains(error), qPrintable(list.Error));
        QVERIFY(list.Pupils.empty());
    }

    // Header rows as real lists have them: the column chosen for each field,
    // "-" for none.
    void HeaderRows_data() {
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QString>("fields");
        auto row = [](const char16_t* text) {
            return QString::fromUtf16(text).split(u';');
        };
        QTest::newRow("plain") << row(u"Nom;Prénom;Date de naissance;Sexe")
                               << u"Nom|Prénom|Date de naissance|Sexe"_qs;
        QTest::newRow("administration export")
            << row(u"NOM;PRENOM;NE(E) LE;SEXE;DIVISION") << u"NOM|PRENOM|NE(E) LE|SEXE"_qs;
        QTest::newRow("usage name over birth name")
            << row(u"Nom de famille;Nom d'usage;Prénom 1;Prénom 2;Date naiss.;Sexe (M/F)")
            << u"Nom d'usage|Prénom 1|Date naiss.|Sexe (M/F)"_qs;
        QTest::newRow("usage name after")
            << row(u"Nom élève;Nom d'usage élève;Prénom élève;Date naissance;Sexe")
            << u"Nom d'usage élève|Prénom élève|Date naissance|Sexe"_qs;
        QTest::newRow("usual first name")
            << row(u"Nom;Prénom 1;Prénom 2;Prénom usuel;Genre") << u"Nom|Prénom usuel|-|Genre"_qs;
        QTest::newRow("whole name") << row(u"Élève;Né(e) le;Sexe") << u"Élève|-|Né(e) le|Sexe"_qs;
        QTest::newRow("underscores") << row(u"NOM_DE_FAMILLE;PRENOM;DATE_NAISS;CODE_SEXE")
                                     << u"NOM_DE_FAMILLE|PRENOM|DATE_NAISS|CODE_SEXE"_qs;
        QTest::newRow("English") << row(u"Last name;First name;Date of birth;Gender")
                                 << u"Last name|First name|Date of birth|Gender"_qs;
        QTest::newRow("others ignored")
            << row(u"N°;Classe;Nom du responsable;Nom;Prénom;Adresse") << u"Nom|Prénom|-|-"_qs;
        QTest::newRow("none") << row(u"A;B;C") << u"-|-|-|-"_qs;
    }
    void HeaderRows() {
        QFETCH(QStringList, headers);
        QTEST(FieldsOf(headers), "fields");
    }

    // A blank usage name takes the birth name.
    void BlankUsageName() {
        const TPupilList list = ReadPupilList("Nom de famille;Nom d'usage;Prénom\n"
                                              "MARTIN;;Léa\n"
                                              "DURAND;LEROY;Paul\n",
                                              French());
        QCOMPARE(Outline(list), u"MARTIN|Léa||Je ne sais pas/LEROY|Paul||Je ne sais pas"_qs);
    }

    void TitleRowsAndWholeNames() {
        const TPupilList list = ReadPupilList("Liste de la classe CM1;;\n"
                                              "Année 2026-2027;;\n"
                                              "\n"
                                              "Élève;Né(e) le;Sexe\n"
                                              "DUPONT Jean;3/5/2016;1\n"
                                              "DE LA FONTAINE Marie-Lou;2016-11-12 00:00:00;2\n"
                                              "Zoé MARTIN;12.11.16;F\n"
                                              "Roux, Léa;31/02/2016;X\n"
                                              "PETIT \tHugo;;\n",
                                              French());
        QCOMPARE(list.Error, QString());
        QCOMPARE(Outline(list), u"DUPONT|Jean|03/05/2016|Garçon/"
                                "DE LA FONTAINE|Marie-Lou|12/11/2016|Fille/"
                                "MARTIN|Zoé|12/11/2016|Fille/"
                                "Roux|Léa|31/02/2016|Je ne sais pas/"
                                "PETIT|Hugo||Je ne sais pas"_qs);
        QCOMPARE(list.Pupils[3].DateUnread, true);
        QCOMPARE(list.Pupils[0].DateUnread, false);
        QCOMPARE(list.Pupils[0].Line, 5);
    }

    void UnrecognisedTable() {
        // Headers the program does not know are still the columns' names.
        TPupilTable table = ReadPupilTable("Titre\nA;B;C\nDupont;Jean;01/02/2016\n");
        QCOMPARE(table.HeaderFound, false);
        QCOMPARE(table.Headers, (QStringList{u"A"_qs, u"B"_qs, u"C"_qs}));
        QCOMPARE(table.Rows.size(), std::size_t(1));
        // No header at all: the first row is a pupil's.
        table = ReadPupilTable("Dupont;Jean;01/02/2016\nMartin;Léa;\n");
        QCOMPARE(table.Headers, (QStringList{u"Colonne 1"_qs, u"Colonne 2"_qs, u"Colonne 3"_qs}));
        QCOMPARE(table.Rows.size(), std::size_t(2));
        TPupilColumns columns;
        columns[TPupilColumn::Surname] = 0;
        columns[TPupilColumn::Name] = 1;
        columns[TPupilColumn::BirthDay] = 2;
        QCOMPARE(Outline(PupilListOf(table, columns, French())),
                 u"Dupont|Jean|01/02/2016|Je ne sais pas/Martin|Léa||Je ne sais pas"_qs);
    }

    void DateForms_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        const QDate may3(2016, 5, 3);
        for (const char* form : {"03/05/2016", "3/5/2016", "03/05/16", "2016-05-03", "03.05.2016",
                                 "03-05-2016", "03/05/2016 00:00", "2016-05-03T00:00:00Z",
                                 " 03/05/2016 ", "3 mai 2016", "3 MAI 2016"})
            QTest::newRow(form) << QString::fromLatin1(form) << may3;
        QTest::newRow("1er mars") << u"1er mars 2017"_qs << QDate(2017, 3, 1);
        QTest::newRow("févr.") << u"29 févr. 2016"_qs << QDate(2016, 2, 29);
        QTest::newRow("two digits, last century") << u"12/11/98"_qs << QDate(1998, 11, 12);
        QTest::newRow("two digits, this year") << u"12/11/26"_qs << QDate(2026, 11, 12);
        for (const char* bad : {"31/02/2016", "03/05-2016", "2016", "né en mai", "13/13/2013",
                                "3 brumaire 2016", "", "03/05/2016 midi"})
            QTest::newRow(bad) << QString::fromUtf8(bad) << QDate();
    }
    void DateForms() {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(ParseBirthDate(text, 2026).value_or(QDate()), date);
    }

    // Stored in the user's format, the year whole.
    void DateFormats() {
        const QDate date(2016, 5, 3);
        QCOMPARE(FormatBirthDate(date, French().Regional), u"03/05/2016"_qs);
        QCOMPARE(FormatBirthDate(date, TRegionalSettings::FromLocale(
                                           QLocale(QLocale::English, QLocale::UnitedStates))),
                 u"5/3/2016"_qs);
    }

    void NameForms_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("capitals") << u"DUPONT"_qs << u"Dupont"_qs;
        QTest::newRow("accented capitals") << u"HÉLÈNE"_qs << u"Hélène"_qs;
        QTest::newRow("ÉLOÏSE") << u"ÉLOÏSE"_qs << u"Éloïse"_qs;
        QTest::newRow("hyphen") << u"JEAN-BAPTISTE"_qs << u"Jean-Baptiste"_qs;
        QTest::newRow("apostrophe") << u"D'ALMEIDA"_qs << u"D'Almeida"_qs;
        QTest::newRow("typographic apostrophe") << u"o’neil"_qs << u"O’Neil"_qs;
        QTest::newRow("blanks") << u"DE LA FONTAINE"_qs << u"De La Fontaine"_qs;
        QTest::newRow("lower case") << u"éloïse"_qs << u"Éloïse"_qs;
        QTest::newRow("lower particles") << u"de la fontaine"_qs << u"De La Fontaine"_qs;
        QTest::newRow("mixed particle") << u"de La Fontaine"_qs << u"de La Fontaine"_qs;
        QTest::newRow("McDonald") << u"McDonald"_qs << u"McDonald"_qs;
        QTest::newRow("mixed kept") << u"dUPONT"_qs << u"dUPONT"_qs;
        QTest::newRow("ß") << u"STRAß"_qs << u"Straß"_qs;
        // Its capital, Greek "Μ", is not in the file's code page.
        QTest::newRow("µ keeps its case") << u"@µ"_qs << u"@µ"_qs;
        QTest::newRow("ÿ has a capital in the code page") << u"ÿves"_qs << u"Ÿves"_qs;
        QTest::newRow("no letters") << u"- 12"_qs << u"- 12"_qs;
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("transliterated then formed") << u"ŁUKASZ"_qs << u"Lukasz"_qs;
        QTest::newRow("cut") << QString(300, u'A') << u"A"_qs + QString(254, u'a');
    }
    void NameForms() {
        QFETCH(QString, typed);
        QTEST(StoredName(typed), "stored");
    }

    void Transliteration_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::newRow("Ł") << u"Łukasz Wałęsa"_qs << u"Lukasz Walesa"_qs;
        QTest::newRow("Vietnamese") << u"Nguyễn Thị Ánh"_qs << u"Nguyen Thi Ánh"_qs;
        QTest::newRow("Đ") << u"Đorđević"_qs << u"Dordevic"_qs;
        QTest::newRow("Turkish") << u"Işıl Ağaoğlu"_qs << u"Isil Agaoglu"_qs;
        QTest::newRow("Romanian comma") << u"Ștefan Țurcan"_qs << u"Stefan Turcan"_qs;
        QTest::newRow("kept Latin-1")
            << u"Øyvind Straße Œdipe Ærø"_qs << u"Øyvind Straße Œdipe Ærø"_qs;
        QTest::newRow("combining accent") << u"Zoe\u0301"_qs << u"Zoé"_qs;
        QTest::newRow("accent with no letter") << u"x\u0301"_qs << u"x"_qs;
        QTest::newRow("ligature") << u"ǅemal"_qs << u"Dzemal"_qs;
        QTest::newRow("Cyrillic") << u"Борис Щукин"_qs << u"Boris Shchukin"_qs;
        QTest::newRow("Greek") << u"Χρήστος"_qs << u"Christos"_qs;
        QTest::newRow("dashes") << u"Anne‐Marie"_qs << u"Anne-Marie"_qs;
        QTest::newRow("no Latin spelling") << u"李"_qs << u"?"_qs;
        QTest::newRow("outside the BMP") << u"a😀b"_qs << u"a?b"_qs;
        QTest::newRow("mathematical letter") << u"\U0001D400"_qs << u"A"_qs;
    }
    void Transliteration() {
        QFETCH(QString, text);
        QTEST(Cp1252::FitToWindows1252(text), "stored");
    }

    void ColumnMemory() {
        const QStringList headers = {u"Élève"_qs, u"Né(e) le"_qs, u"Sexe"_qs};
        TPupilColumns chosen;
        chosen[TPupilColumn::Surname] = 0;
        chosen[TPupilColumn::Sexe] = 2;
        TPupilColumnMemory memory;
        memory.Remember(headers, chosen);
        for (int i = 0; i < TPupilColumnMemory::MaxEntries + 2; ++i)
            memory.Remember({QString::number(i)}, {});
        memory.Remember(headers, chosen);
        // Through the settings file and back.
        TSettings settings;
        settings.PupilColumns = memory;
        const TSettings read = ReadSettings(TSettingsFile(EncodeSettings(settings)));
        QCOMPARE(read.PupilColumns.Find(headers).value_or(TPupilColumns()), chosen);
        QVERIFY(!read.PupilColumns.Find({u"Élève"_qs}));
        QVERIFY(!read.PupilColumns.Find({u"0"_qs}));
        QVERIFY(read.PupilColumns.Find({u"11"_qs}));
        // A file with fewer columns drops those it has not.
        TPupilColumnMemory small;
        TPupilColumns far;
        far[TPupilColumn::Name] = 5;
        small.Remember(headers, far);
        QCOMPARE(small.Find(headers).value_or(far)[TPupilColumn::Name], -1);
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
                                              "roux ; LÉA ;\n" // twice in the list
                                              "ŁUKASZ;JEAN-BAPTISTE;\n",
                                              French());
        const TPupilImportPlan plan = PlanPupilImport(schoolClass, list, 2026);
        QStringList added;
        for (const TPlannedPupil& planned : plan.Added)
            added << planned.Entry.Surname + u' ' + planned.Entry.Name + u' ' +
                         planned.Entry.BirthDay + u'/' + planned.Written;
        QCOMPARE(added, (QStringList{u"Dupont Jean 02/02/2016/"_qs, u"Roux Léa /"_qs,
                                     u"Lukasz Jean-Baptiste /ŁUKASZ JEAN-BAPTISTE"_qs}));
        QStringList skipped;
        for (const TSkippedPupil& row : plan.Skipped)
            skipped << QString::number(row.Entry.Line) + u' ' + row.Reason;
        QCOMPARE(skipped, (QStringList{u"2 déjà dans la classe"_qs, u"4 nom vide"_qs,
                                       u"6 déjà plus haut dans la liste"_qs}));
    }
};

QTEST_APPLESS_MAIN(TPupilListTest)
#include "tst_pupillist.moc"
