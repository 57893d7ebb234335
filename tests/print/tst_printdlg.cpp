#include "SheetFixture.h"

#include "print/PrintDlg.h"
#include "print/PrintPreview.h"
#include "print/SheetBuilder.h"
#include "print/SheetFont.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

// Builders that record as many pages as asked, bold or not, with a frame
// on each page; they count the builds.
struct TStubSheets {
    int Pages = 3;
    int BoldPages = 3;
    int Builds = 0;

    void Record(TPageRecorder& recorder) {
        ++Builds;
        recorder.BeginDoc();
        const int pages = recorder.Font().bold() ? BoldPages : Pages;
        for (int page = 1; page <= pages; ++page) {
            if (page > 1)
                recorder.NewPage();
            recorder.Canvas()->drawRect(recorder.PageBounds());
        }
        recorder.EndDoc();
    }

    TSheetBuilders Builders() {
        TSheetBuilders builders;
        builders.Pupil = [this](TPageRecorder& recorder, const TSheetSource&, const TPData&,
                                const TPData&, const TSheetOptions&) {
            Record(recorder);
        };
        builders.Class = [this](TPageRecorder& recorder, const TSheetSource&,
                                const TSheetOptions&) {
            Record(recorder);
        };
        return builders;
    }
};

struct TDialogFixture {
    TFakeSource Source;
    TPrintConf Conf;
    TStubSheets Stub;
    TPrinters Printers;
    QStringList Messages;
    std::unique_ptr<TPrintDlg> Dialog;

    TPrintDlg& Open(TSheetBuilders builders = {}) {
        if (!builders.Pupil)
            builders = Stub.Builders();
        Dialog = std::make_unique<TPrintDlg>(Conf, Source, std::move(builders), Printers,
                                             [this](const QString& text) { Messages << text; });
        return *Dialog;
    }
    template <typename T> T* Find(const char* name) const {
        return Dialog->findChild<T*>(QString::fromLatin1(name));
    }
    bool PagesShown() const { return !Find<QWidget>("PagesPnl")->isHidden(); }
};

} // namespace

class TPrintDlgTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void PagePanel_data();
    void PagePanel();
    void RebuildKeepsThePage_data();
    void RebuildKeepsThePage();
    void ZoomIndex_data();
    void ZoomIndex();
    void SettingsGoBackAtClose();
    void ClassHasNoRemarks();
    void FirstStartFontIsReadable();
    void NoPrinter();
    void PdfOfThePupilSheet();
    void PdfOfEveryPupil();
    void PrintsThroughTheSystemDialog_data();
    void PrintsThroughTheSystemDialog();
    void FaceNameCanBeTyped();
    void CounterFollowsThePagingKeys();
    void FontSizeOutOfRangeIsOneValue_data();
    void FontSizeOutOfRangeIsOneValue();
    void CancelledExportLeavesNoFile();
    void EveryControlIsNamedAndReachable();
};

void TPrintDlgTest::PagePanel_data() {
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("shown");
    QTest::newRow("one page") << 1 << QStringList() << QStringLiteral("Page 1/1") << false;
    QTest::newRow("three pages") << 3 << QStringList() << QStringLiteral("Page 1/3") << true;
    QTest::newRow("next") << 3 << QStringList{QStringLiteral("NextpageBtn")}
                          << QStringLiteral("Page 2/3") << true;
    QTest::newRow("next on the last page")
        << 3 << QStringList(3, QStringLiteral("NextpageBtn")) << QStringLiteral("Page 3/3") << true;
    QTest::newRow("back on the first page")
        << 3 << QStringList{QStringLiteral("PrevPageBtn")} << QStringLiteral("Page 1/3") << true;
}

void TPrintDlgTest::PagePanel() {
    QFETCH(int, pages);
    QFETCH(QStringList, clicks);
    QFETCH(QString, text);
    QFETCH(bool, shown);
    TDialogFixture fixture;
    fixture.Stub.Pages = pages;
    TPrintDlg& dialog = fixture.Open();
    QCOMPARE(fixture.Stub.Builds, 1);
    for (const QString& button : clicks)
        dialog.findChild<QPushButton*>(button)->click();
    QCOMPARE(dialog.PagesText(), text);
    QCOMPARE(fixture.PagesShown(), shown);
    // Paging does not rebuild.
    QCOMPARE(fixture.Stub.Builds, 1);
}

void TPrintDlgTest::RebuildKeepsThePage_data() {
    QTest::addColumn<int>("boldPages");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("shown");
    QTest::newRow("same pages") << 3 << QStringLiteral("Page 2/3") << true;
    QTest::newRow("one page left") << 1 << QStringLiteral("Page 1/1") << false;
}

void TPrintDlgTest::RebuildKeepsThePage() {
    QFETCH(int, boldPages);
    QFETCH(QString, text);
    QFETCH(bool, shown);
    TDialogFixture fixture;
    fixture.Stub.BoldPages = boldPages;
    TPrintDlg& dialog = fixture.Open();
    fixture.Find<QPushButton>("NextpageBtn")->click();
    fixture.Find<QToolButton>("BoldToolBtn")->click();
    QCOMPARE(fixture.Stub.Builds, 2);
    QVERIFY(dialog.Preview().Font().bold());
    QCOMPARE(dialog.PagesText(), text);
    QCOMPARE(fixture.PagesShown(), shown);
    QCOMPARE(dialog.Preview().CurrentPage(), boldPages == 1 ? 1 : 2);
    // Every other control rebuilds as well.
    fixture.Find<QSpinBox>("LeftMarginUpDown")->stepUp();
    fixture.Find<QSpinBox>("FontSizeUpDown")->stepUp();
    fixture.Find<QComboBox>("FontNameCombo")->setEditText(QStringLiteral("DejaVu Serif"));
    fixture.Find<QToolButton>("TitleToolBtn")->click();
    // The face name once its typing pauses.
    QTRY_COMPARE(fixture.Stub.Builds, 6);
    QCOMPARE(dialog.Options().LeftMargin, 20);
    QCOMPARE(dialog.Preview().Font().family(), QStringLiteral("DejaVu Serif"));
}

void TPrintDlgTest::ZoomIndex_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("zoom");
    QTest::newRow("0 page width") << 0 << int(TZoomState::zsZoomToWidth) << 100;
    QTest::newRow("1 page height") << 1 << int(TZoomState::zsZoomToHeight) << 100;
    QTest::newRow("2 whole page") << 2 << int(TZoomState::zsZoomToFit) << 100;
    QTest::newRow("3 is 10 %") << 3 << int(TZoomState::zsZoomOther) << 10;
    QTest::newRow("7 is 100 %") << 7 << int(TZoomState::zsZoomOther) << 100;
    QTest::newRow("10 is 500 %") << 10 << int(TZoomState::zsZoomOther) << 500;
    QTest::newRow("-1 whole page") << -1 << int(TZoomState::zsZoomToFit) << 100;
    QTest::newRow("11 whole page") << 11 << int(TZoomState::zsZoomToFit) << 100;
}

void TPrintDlgTest::ZoomIndex() {
    QFETCH(int, index);
    QFETCH(int, state);
    QFETCH(int, zoom);
    TDialogFixture fixture;
    fixture.Conf.ZoomIndex = index;
    TPrintDlg& dialog = fixture.Open();
    QCOMPARE(int(dialog.Preview().ZoomState()), state);
    QCOMPARE(dialog.Preview().Zoom(), zoom);
    QCOMPARE(fixture.Find<QComboBox>("ZoomCombo")->count(), 11);
}

void TPrintDlgTest::SettingsGoBackAtClose() {
    TDialogFixture fixture;
    fixture.Conf = {
        QStringLiteral("DejaVu Sans Mono"), 12, TFontStyle::Italic, 1, 1, 5, 10, 3, 8, 40};
    TPrintDlg& dialog = fixture.Open();
    QVERIFY(fixture.Find<QToolButton>("TitleToolBtn")->isChecked());
    QVERIFY(fixture.Find<QToolButton>("ItalicToolBtn")->isChecked());
    QVERIFY(fixture.Find<QWidget>("PageSetupPnl")->isHidden());
    fixture.Find<QToolButton>("PageSetupToolBtn")->click();
    QVERIFY(!fixture.Find<QWidget>("PageSetupPnl")->isHidden());
    fixture.Find<QToolButton>("TitleToolBtn")->click();
    fixture.Find<QToolButton>("BoldToolBtn")->click();
    fixture.Find<QPushButton>("ExitBtn")->click();
    const TPrintConf expected{QStringLiteral("DejaVu Sans Mono"),
                              12,
                              TFontStyle::Italic | TFontStyle::Bold,
                              0,
                              1,
                              5,
                              10,
                              3,
                              8,
                              40};
    QCOMPARE(fixture.Conf, expected);
    Q_UNUSED(dialog);
    // Reopened, the title button is up.
    fixture.Open();
    QVERIFY(!fixture.Find<QToolButton>("TitleToolBtn")->isChecked());
}

void TPrintDlgTest::ClassHasNoRemarks() {
    TDialogFixture fixture;
    fixture.Source.ClassSelected = true;
    fixture.Conf.DrawRemarks = 1;
    TPrintDlg& dialog = fixture.Open();
    QVERIFY(!fixture.Find<QToolButton>("RemarksToolBtn")->isEnabled());
    QVERIFY(!dialog.Options().DrawRemarks);
}

void TPrintDlgTest::FirstStartFontIsReadable() {
    // No settings file: empty face, size 0. The sheet is drawn in the
    // default face at 32 units (3.2 mm); the record keeps what it had.
    TDialogFixture fixture;
    TPrintDlg& dialog = fixture.Open();
    QCOMPARE(dialog.Preview().Font().pixelSize(), 32);
    QVERIFY(!dialog.Preview().Font().family().isEmpty());
    dialog.reject();
    QCOMPARE(fixture.Conf, TPrintConf());
}

void TPrintDlgTest::NoPrinter() {
    TDialogFixture fixture;
    TPrintDlg& dialog = fixture.Open();
    fixture.Find<QPushButton>("PrintBtn")->click();
    QCOMPARE(fixture.Messages.size(), 1);
    QVERIFY(fixture.Messages.first().startsWith(QStringLiteral("Aucune imprimante")));
    QCOMPARE(dialog.Preview().TotalPages(), 3);
    QCOMPARE(dialog.Preview().State(), TPageStore::TState::Idle);
}

namespace {

// The PDF's pages as images at 254 dpi, one pixel per page unit.
QList<QImage> Rasterise(const QString& pdf) {
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        return {};
    QProcess process;
    const QString prefix = pdf + QStringLiteral(".page");
    process.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-png"),
                             pdf, prefix});
    process.waitForFinished(60000);
    QList<QImage> pages;
    for (int page = 1;; ++page) {
        QImage image(prefix + QStringLiteral("-%1.png").arg(page));
        if (image.isNull())
            image.load(prefix + QStringLiteral("-%1.png").arg(page, 2, 10, QLatin1Char('0')));
        if (image.isNull())
            break;
        pages << image;
    }
    return pages;
}

bool Dark(const QImage& image, int x, int y) {
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (qGray(image.pixel(x + dx, y + dy)) < 128)
                return true;
        }
    }
    return false;
}

void SetUpClass(TFakeSource& source) {
    source.SchoolClass.SetLines(
        {QStringLiteral("$Français"), QStringLiteral("_Lecture"), QStringLiteral("_Ecriture")});
    source.Pupil.SetSurname(QStringLiteral("Martin"));
    source.Pupil.SetName(QStringLiteral("Léa"));
    source.Pupil.SetLevelCount(3);
    source.Pupil.SetLevel(1, 1);
    source.Pupil.SetLevel(2, 3);
    source.Pupil.SetMark(1, 12.5);
}

} // namespace

void TPrintDlgTest::PdfOfThePupilSheet() {
    QTemporaryDir folder;
    TDialogFixture fixture;
    SetUpClass(fixture.Source);
    TPrintDlg& dialog = fixture.Open(TSheetBuilders::Sheets());
    QString suggested;
    dialog.SetFileChooser([&](QWidget*, const QString& name) {
        suggested = name;
        return folder.filePath(QStringLiteral("fiche"));
    });
    fixture.Find<QPushButton>("ExportPdfBtn")->click();
    QCOMPARE(suggested, QStringLiteral("Martin Léa.pdf"));
    QVERIFY2(fixture.Messages.isEmpty(), qPrintable(fixture.Messages.join(u'\n')));
    const QString pdf = folder.filePath(QStringLiteral("fiche.pdf"));
    QVERIFY(QFile::exists(pdf));
    const QList<QImage> pages = Rasterise(pdf);
    if (pages.isEmpty())
        QSKIP("pdftoppm is not installed");
    QCOMPARE(pages.size(), 1);
    const QImage& page = pages.first();
    // The exact paper, 210.1 × 297.1 mm, to the point that PDF rounds to.
    QVERIFY(qAbs(page.width() - 2101) <= 4 && qAbs(page.height() - 2971) <= 4);
    // The frame: left at the margin (60), right at 2101 - 2 × 77, top at 77.
    const int middle = 150;
    QVERIFY(Dark(page, 60, middle));
    QVERIFY(Dark(page, 1947, middle));
    QVERIFY(Dark(page, 1000, 77));
    // The text can be selected.
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    text.waitForFinished(60000);
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(words.contains(QStringLiteral("MATIERES")) &&
                 words.contains(QStringLiteral("Lecture")),
             qPrintable(words));
    // Nothing in the margins.
    for (int x = 0; x < 55; x += 3) {
        for (int y = 0; y < page.height(); y += 7)
            QVERIFY2(qGray(page.pixel(x, y)) > 200,
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    }
}

void TPrintDlgTest::PdfOfEveryPupil() {
    QTemporaryDir folder;
    TDialogFixture fixture;
    fixture.Source.ClassSelected = true;
    fixture.Stub.Pages = 2;
    TPrintDlg& dialog = fixture.Open();
    dialog.SetFileChooser(
        [&](QWidget*, const QString&) { return folder.filePath(QStringLiteral("classe.pdf")); });
    dialog.ExportPupilsPdf();
    QVERIFY(fixture.Messages.isEmpty());
    // One pupil of two pages in the class; the preview keeps the class sheet.
    const QList<QImage> pages = Rasterise(folder.filePath(QStringLiteral("classe.pdf")));
    if (pages.isEmpty())
        QSKIP("pdftoppm is not installed");
    QCOMPARE(pages.size(), 2);
    QCOMPARE(dialog.Preview().TotalPages(), 2);
    // A file that cannot be written is told, and nothing else changes.
    dialog.SetFileChooser(
        [](QWidget*, const QString&) { return QStringLiteral("/no/such/folder/classe.pdf"); });
    dialog.ExportPdf();
    QCOMPARE(fixture.Messages.size(), 1);
}

namespace {

// The pages of a PDF as Qt writes it: one page object each.
int PdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page\\b(?!s)"));
    return int(QString::fromLatin1(file.readAll()).count(page));
}

} // namespace

void TPrintDlgTest::PrintsThroughTheSystemDialog_data() {
    QTest::addColumn<bool>("classSheet");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("printed");
    QTest::newRow("the whole pupil sheet")
        << false << true << 0 << 0 << QStringLiteral("Fiche de Martin Léa") << 3;
    QTest::newRow("pages 2 to 3 of the class sheet")
        << true << true << 2 << 3 << QStringLiteral("Classe CE1") << 2;
    QTest::newRow("cancelled") << false << false << 0 << 0 << QStringLiteral("Fiche de Martin Léa")
                               << -1;
}

// The system's print dialog is a stand-in that sends the job to a PDF file,
// as "Print to file" would.
void TPrintDlgTest::PrintsThroughTheSystemDialog() {
    QFETCH(bool, classSheet);
    QFETCH(bool, accepted);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, title);
    QFETCH(int, printed);
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("job.pdf"));
    TDialogFixture fixture;
    SetUpClass(fixture.Source);
    fixture.Source.ClassSelected = classSheet;
    fixture.Printers.Installed = [] {
        return QStringList{QStringLiteral("Bureau")};
    };
    fixture.Printers.Default = [] {
        return QStringLiteral("Bureau");
    };
    TPrintDlg& dialog = fixture.Open();
    QString askedTitle;
    int askedPages = 0;
    dialog.SetPrintChooser([&](QWidget* parent, QPrinter& printer, int pageCount) {
        askedTitle = printer.docName();
        askedPages = pageCount;
        if (parent != &dialog || !accepted)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        if (from > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(from, to);
        }
        return true;
    });
    fixture.Find<QPushButton>("PrintBtn")->click();
    QCOMPARE(askedTitle, title);
    QCOMPARE(dialog.JobTitle(), title);
    QCOMPARE(askedPages, 3);
    QVERIFY2(fixture.Messages.isEmpty(), qPrintable(fixture.Messages.join(u'\n')));
    QVERIFY(!dialog.Preview().Aborted());
    QCOMPARE(PdfPageCount(pdf), printed);
    QCOMPARE(dialog.Preview().State(), TPageStore::TState::Idle);
}

void TPrintDlgTest::FaceNameCanBeTyped() {
    TDialogFixture fixture;
    TPrintDlg& dialog = fixture.Open();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* box = fixture.Find<QComboBox>("FontNameCombo");
    QLineEdit* face = box->lineEdit();
    face->setFocus();
    face->selectAll();
    const int builds = fixture.Stub.Builds;
    QTest::keyClicks(face, QStringLiteral("DejaVu Serif"));
    // Every letter stays in the box, which keeps the keyboard.
    QCOMPARE(face->text(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(fixture.Stub.Builds, builds);
    // Once the typing pauses the preview follows, once.
    QTRY_COMPARE(fixture.Stub.Builds, builds + 1);
    QCOMPARE(dialog.Preview().Font().family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(QApplication::focusWidget(), box);
    dialog.done(QDialog::Accepted);
    QCOMPARE(fixture.Conf.FontName, QStringLiteral("DejaVu Serif"));
}

void TPrintDlgTest::CounterFollowsThePagingKeys() {
    TDialogFixture fixture;
    fixture.Stub.Pages = 4;
    TPrintDlg& dialog = fixture.Open();
    struct TStep {
        int Key;
        Qt::KeyboardModifiers Modifiers;
        QString Shown;
    };
    const TStep steps[] = {{Qt::Key_PageDown, Qt::ControlModifier, QStringLiteral("Page 4/4")},
                           {Qt::Key_PageUp, Qt::NoModifier, QStringLiteral("Page 3/4")},
                           {Qt::Key_PageUp, Qt::ControlModifier, QStringLiteral("Page 1/4")},
                           {Qt::Key_PageDown, Qt::NoModifier, QStringLiteral("Page 2/4")}};
    for (const TStep& step : steps) {
        QTest::keyClick(&dialog.Preview(), Qt::Key(step.Key), step.Modifiers);
        QCOMPARE(dialog.PagesText(), step.Shown);
    }
}

void TPrintDlgTest::FontSizeOutOfRangeIsOneValue_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("size");
    QTest::newRow("above the box") << 250 << 100;
    QTest::newRow("below the box") << -7 << 0;
    QTest::newRow("inside") << 14 << 14;
}

void TPrintDlgTest::FontSizeOutOfRangeIsOneValue() {
    QFETCH(int, stored);
    QFETCH(int, size);
    TDialogFixture fixture;
    fixture.Conf.FontSize = stored;
    TPrintDlg& dialog = fixture.Open();
    QCOMPARE(fixture.Find<QSpinBox>("FontSizeUpDown")->value(), size);
    QCOMPARE(dialog.Preview().Font().pixelSize(), SheetFont(QString(), size, {}).pixelSize());
    dialog.done(QDialog::Rejected);
    QCOMPARE(fixture.Conf.FontSize, size);
}

void TPrintDlgTest::CancelledExportLeavesNoFile() {
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("classe.pdf"));
    TDialogFixture fixture;
    fixture.Source.ClassSelected = true;
    TSheetBuilders builders = fixture.Stub.Builders();
    TPrintDlg* opened = nullptr;
    // The user cancels while the pupils' sheets are being recorded.
    builders.Pupil = [&](TPageRecorder& recorder, const TSheetSource&, const TPData&, const TPData&,
                         const TSheetOptions&) {
        fixture.Stub.Record(recorder);
        auto* progress = opened->findChild<QProgressDialog*>(QStringLiteral("ExportProgress"));
        QVERIFY(progress);
        progress->cancel();
    };
    TPrintDlg& dialog = fixture.Open(builders);
    opened = &dialog;
    dialog.SetFileChooser([&](QWidget*, const QString&) { return pdf; });
    dialog.ExportPupilsPdf();
    QVERIFY(fixture.Messages.isEmpty());
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
    QVERIFY(!QApplication::overrideCursor());
}

void TPrintDlgTest::EveryControlIsNamedAndReachable() {
    TDialogFixture fixture;
    TPrintDlg& dialog = fixture.Open();
    int checked = 0;
    for (QWidget* widget : dialog.findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(widget) ||
                             qobject_cast<QComboBox*>(widget) ||
                             qobject_cast<QAbstractSpinBox*>(widget) ||
                             qobject_cast<QLineEdit*>(widget) || widget == &dialog.Preview();
        if (!control || widget->objectName().isEmpty() ||
            widget->objectName().startsWith(QStringLiteral("qt_")))
            continue;
        ++checked;
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(widget);
        QVERIFY2(access && !access->text(QAccessible::Name).isEmpty(),
                 qPrintable(widget->objectName()));
        if (qobject_cast<QAbstractButton*>(widget))
            QVERIFY2(widget->focusPolicy() & Qt::TabFocus, qPrintable(widget->objectName()));
    }
    QVERIFY(checked >= 20);
}

QTEST_MAIN(TPrintDlgTest)
#include "tst_printdlg.moc"
