#include "MainFormFixture.h"

#include "data/SettingsFile.h"
#include "print/PrintDlg.h"
#include "print/PrintPreview.h"
#include "workspace/WorkspaceModel.h"

#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <functional>

namespace {

template <typename T> T* Child(const TPrintDlg& dialog, const char* name) {
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

} // namespace

class TestMainFormPrint : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nothingSelectedOpensNothing();
    void pupilSheetPrintedWithoutAPrinter();
    void classSheetHasNoRemarks();
};

void TestMainFormPrint::nothingSelectedOpensNothing() {
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    TMainForm& form = f.Start();
    bool opened = false;
    f.Driver.Next<TPrintDlg>([&](TPrintDlg& dialog) {
        opened = true;
        dialog.reject();
    });
    form.SelectNode(QModelIndex());
    form.FilePrintExecute();
    QVERIFY(!opened);
}

void TestMainFormPrint::pupilSheetPrintedWithoutAPrinter() {
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    TMainForm& form = f.Start();
    form.SelectNode(form.Model().index(0, 0, form.Model().index(0, 0)));
    int pages = 0;
    bool remarksEnabled = false;
    f.Driver.Next<TPrintDlg>([&](TPrintDlg& dialog) {
        pages = dialog.Preview().TotalPages();
        remarksEnabled = Child<QToolButton>(dialog, "RemarksToolBtn")->isEnabled();
        Child<QToolButton>(dialog, "TitleToolBtn")->click();
        Child<QPushButton>(dialog, "PrintBtn")->click();
        Child<QPushButton>(dialog, "ExitBtn")->click();
    });
    QVERIFY(form.findChild<QAction*>(QStringLiteral("FilePrint"))->isEnabled());
    form.findChild<QAction*>(QStringLiteral("FilePrint"))->trigger();
    QCOMPARE(pages, 1);
    QVERIFY(remarksEnabled);
    QCOMPARE(f.Driver.Messages.size(), 1);
    QVERIFY(f.Driver.Messages.first().startsWith(QStringLiteral("Aucune imprimante")));
    // The dialog's settings reach the record at close and the file at quit.
    QCOMPARE(form.PrintConf().DrawTitle, 1);
    QVERIFY(f.Quit(QStringLiteral("OkBtn")));
    const TSettingsFile saved(f.ReadFile(QStringLiteral("quillorin.ini")));
    QCOMPARE(saved.Value(QStringLiteral("DrawTitle")), QStringLiteral("1"));
    QCOMPARE(saved.Value(QStringLiteral("FontName")), QString());
    QCOMPARE(saved.Value(QStringLiteral("FontSize")), QStringLiteral("0"));
}

void TestMainFormPrint::classSheetHasNoRemarks() {
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    TMainForm& form = f.Start();
    form.PrintConf().DrawRemarks = 1;
    form.SelectNode(form.Model().index(0, 0));
    bool remarksEnabled = true;
    bool drawRemarks = true;
    int pages = 0;
    f.Driver.Next<TPrintDlg>([&](TPrintDlg& dialog) {
        remarksEnabled = Child<QToolButton>(dialog, "RemarksToolBtn")->isEnabled();
        drawRemarks = dialog.Options().DrawRemarks;
        pages = dialog.Preview().TotalPages();
        dialog.reject();
    });
    form.FilePrintExecute();
    QVERIFY(!remarksEnabled);
    QVERIFY(!drawRemarks);
    QCOMPARE(pages, 1);
    QVERIFY2(f.Driver.Messages.isEmpty(), qPrintable(f.Driver.Messages.join(u'\n')));
}

QTEST_MAIN(TestMainFormPrint)
#include "tst_mainform_print.moc"
