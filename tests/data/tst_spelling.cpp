#include "data/Spelling.h"

#include <QFile>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// A small dictionary of the test's own, in the given encoding; never the
// machine's.
class TestSpelling : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void words_data();
    void words();
    void misspelt_data();
    void misspelt();
    void singleByteDictionary();
    void suggestions();
    void personalWordList();
    void ignoreAndContextWords();
    void withoutDictionary();

private:
    TDictionaryFiles WriteDictionary(const QString& name, const QByteArray& encoding);
    std::unique_ptr<TSpelling> Opened(const QByteArray& encoding = "UTF-8");

    std::unique_ptr<QTemporaryDir> FFolder;
};

namespace {

const QStringList kWords = {u"bon"_s,     u"travail"_s, u"élève"_s, u"école"_s, u"lire"_s,
                            u"progrès"_s, u"il"_s,      u"elle"_s,  u"lit"_s,   u"peut-être"_s};

} // namespace

void TestSpelling::init() {
    FFolder = std::make_unique<QTemporaryDir>();
    QVERIFY(FFolder->isValid());
}

TDictionaryFiles TestSpelling::WriteDictionary(const QString& name, const QByteArray& encoding) {
    QStringEncoder encoder(encoding.constData());
    TDictionaryFiles files{FFolder->filePath(name + QStringLiteral(".aff")),
                           FFolder->filePath(name + QStringLiteral(".dic"))};
    QFile aff(files.Aff);
    aff.open(QIODevice::WriteOnly);
    aff.write("SET " + encoding + "\nTRY aeiouvrlst\n");
    QFile dic(files.Dic);
    dic.open(QIODevice::WriteOnly);
    dic.write(QByteArray::number(kWords.size()) + '\n');
    for (const QString& word : kWords)
        dic.write(QByteArray(encoder.encode(word)) + '\n');
    return files;
}

std::unique_ptr<TSpelling> TestSpelling::Opened(const QByteArray& encoding) {
    auto spelling = std::make_unique<TSpelling>();
    spelling->Open(WriteDictionary(QStringLiteral("fr_FR"), encoding),
                   FFolder->filePath(QStringLiteral("dictionnaire.txt")), false);
    return spelling;
}

void TestSpelling::words_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("blanks and punctuation")
        << u"Bon travail, bravo !"_s << QStringList{u"Bon"_s, u"travail"_s, u"bravo"_s};
    QTest::newRow("elision and hyphen") << u"l'école, l’élève, peut-être -"_s
                                        << QStringList{u"l'école"_s, u"l’élève"_s, u"peut-être"_s};
    QTest::newRow("joiners at the edges") << u"'cité' -là-"_s << QStringList{u"cité"_s, u"là"_s};
    QTest::newRow("digits are no words") << u"CM1 3e 12,5 et"_s << QStringList{u"et"_s};
    QTest::newRow("combining accent") << QString::fromUtf8("e\xCC\x81le\xCC\x80ve")
                                      << QStringList{QString::fromUtf8("e\xCC\x81le\xCC\x80ve")};
}

void TestSpelling::words() {
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QStringList found;
    for (const TWordSpan& span : SpellWords(text))
        found << text.mid(span.Start, span.Length);
    QCOMPARE(found, words);
}

void TestSpelling::misspelt_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("misspelt");
    QTest::newRow("all known") << u"Bon travail, élève !"_s << QStringList();
    QTest::newRow("capitals") << u"BON Travail"_s << QStringList();
    QTest::newRow("one wrong") << u"Bon travial"_s << QStringList{u"travial"_s};
    QTest::newRow("abbreviation") << u"EPS"_s << QStringList();
    QTest::newRow("elided article") << u"l'école d’école"_s << QStringList();
    QTest::newRow("elided, word wrong") << u"l'ecole"_s << QStringList{u"ecole"_s};
    QTest::newRow("hyphenated word") << u"peut-être"_s << QStringList();
    QTest::newRow("hyphenated, one part wrong") << u"bon-lir"_s << QStringList{u"lir"_s};
    QTest::newRow("several lines") << u"lire\nlirre bon"_s << QStringList{u"lirre"_s};
}

void TestSpelling::misspelt() {
    QFETCH(QString, text);
    QFETCH(QStringList, misspelt);
    auto spelling = Opened();
    QCOMPARE(spelling->State(), TSpelling::TState::On);
    QStringList found;
    for (const TWordSpan& span : spelling->Misspelt(text))
        found << text.mid(span.Start, span.Length);
    QCOMPARE(found, misspelt);
}

// Words go to a single-byte dictionary in its own code page; a word that
// code page cannot hold is not the dictionary's to judge.
void TestSpelling::singleByteDictionary() {
    auto spelling = Opened("ISO8859-1");
    QCOMPARE(spelling->State(), TSpelling::TState::On);
    QVERIFY(!spelling->IsMisspelt(QStringLiteral("élève")));
    QVERIFY(!spelling->IsMisspelt(QStringLiteral("progrès")));
    QVERIFY(spelling->IsMisspelt(QStringLiteral("éleve")));
    QVERIFY(!spelling->IsMisspelt(QStringLiteral("œuvre")));
    QVERIFY(spelling->Suggestions(QStringLiteral("élevè")).contains(QStringLiteral("élève")));
}

void TestSpelling::suggestions() {
    auto spelling = Opened();
    const QStringList suggestions = spelling->Suggestions(QStringLiteral("travial"));
    QVERIFY(suggestions.contains(QStringLiteral("travail")));
    QVERIFY(suggestions.size() <= TSpelling::MaxSuggestions);
}

void TestSpelling::personalWordList() {
    const QString path = FFolder->filePath(QStringLiteral("dictionnaire.txt"));
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("  Brevet \r\n\r\nsans-fin"); // no line end at the end
    }
    auto spelling = Opened();
    QVERIFY(!spelling->IsMisspelt(QStringLiteral("brevet")));
    QVERIFY(spelling->IsMisspelt(QStringLiteral("Pronote")));
    QSignalSpy changed(spelling.get(), &TSpelling::Changed);
    QVERIFY(!spelling->AddToDictionary(QStringLiteral("Pronote")));
    QCOMPARE(changed.size(), 1);
    QVERIFY(!spelling->IsMisspelt(QStringLiteral("Pronote")));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("  Brevet \r\n\r\nsans-fin\nPronote\n"));
    QCOMPARE(Opened()->IsMisspelt(QStringLiteral("pronote")), false);
}

void TestSpelling::ignoreAndContextWords() {
    auto spelling = Opened();
    spelling->Ignore(QStringLiteral("Kevyn"));
    QVERIFY(!spelling->IsMisspelt(QStringLiteral("kevyn")));
    spelling->SetContextWords({QStringLiteral("Jean-Marc"), QStringLiteral("N'Diaye"),
                               QStringLiteral("Découverte du monde")});
    QVERIFY(
        spelling->Misspelt(QStringLiteral("Jean-Marc N'Diaye, Marc, Diaye, découverte")).empty());
    spelling->SetContextWords({});
    QCOMPARE(spelling->Misspelt(QStringLiteral("Marc découverte")).size(), std::size_t(2));
}

void TestSpelling::withoutDictionary() {
    TSpelling spelling;
    spelling.Open(FindFrenchDictionary({FFolder->path()}), QString(), false);
    QCOMPARE(spelling.State(), TSpelling::TState::Off);
    QVERIFY(spelling.Misspelt(QStringLiteral("n'importe quoi zzz")).empty());
    QVERIFY(spelling.StatusText().contains(QStringLiteral("désactivée")));

    // Found in the folder once it is there, fr_FR before fr.
    WriteDictionary(QStringLiteral("fr"), "UTF-8");
    QCOMPARE(FindFrenchDictionary({FFolder->path()}).Aff,
             FFolder->filePath(QStringLiteral("fr.aff")));
    WriteDictionary(QStringLiteral("fr_FR"), "UTF-8");
    QCOMPARE(FindFrenchDictionary({QStringLiteral("/nonexistent"), FFolder->path()}).Aff,
             FFolder->filePath(QStringLiteral("fr_FR.aff")));
}

QTEST_GUILESS_MAIN(TestSpelling)
#include "tst_spelling.moc"
