#include "app/Application.h"
#include "tests/support/DialogDriver.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <stdexcept>

namespace {

// An event handler that fails.
class TFailingHandler : public QObject {
public:
    int Handled = 0;

protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        ++Handled;
        throw std::runtime_error("Indice de liste hors limites (3)");
    }
};

} // namespace

class TestApplication : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void errorEscapingAHandlerIsReportedAndTheProgramGoesOn();
    void qtOwnTextsAreFrench_data();
    void qtOwnTextsAreFrench();
};

void TestApplication::errorEscapingAHandlerIsReportedAndTheProgramGoesOn() {
    TFailingHandler handler;
    QStringList reports;
    const TDialogDriver answer(WhenShown<QMessageBox>([&](QMessageBox& box) {
        reports << box.windowTitle() + u'|' + box.text();
        box.accept();
    }));
    QCoreApplication::postEvent(&handler, new QEvent(QEvent::User));
    QTRY_COMPARE(reports,
                 QStringList{QStringLiteral("Quillorin|Indice de liste hors limites (3)")});
    // The event loop still runs and delivers the next event.
    QCoreApplication::postEvent(&handler, new QEvent(QEvent::User));
    QTRY_COMPARE(handler.Handled, 2);
    QTRY_COMPARE(reports.size(), 2);
}

void TestApplication::qtOwnTextsAreFrench_data() {
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("french");
    QTest::newRow("edit menu") << QStringLiteral("Select All")
                               << QStringLiteral("Tout sélectionner");
    QTest::newRow("standard button") << QStringLiteral("Cancel") << QStringLiteral("Annuler");
}

void TestApplication::qtOwnTextsAreFrench() {
    // The tests run under LANG=C: the French comes from the program alone.
    QFETCH(QString, english);
    QFETCH(QString, french);
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    QStringList texts{buttons.button(QDialogButtonBox::Cancel)->text()};
    for (const QAction* action : menu->actions())
        texts << action->text();
    for (QString& text : texts)
        text = text.remove(u'&').section(u'\t', 0, 0);
    QVERIFY2(texts.contains(french), qPrintable(texts.join(u'|')));
    QVERIFY(!texts.contains(english));
}

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_application.moc"
