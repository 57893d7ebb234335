#include "app/Application.h"
#include "app/ApplicationStyle.h"
#include "tests/support/DialogDriver.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>
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
    void toolBarArrowsAreTheStyles_data();
    void toolBarArrowsAreTheStyles();
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

void TestApplication::toolBarArrowsAreTheStyles_data() {
    QTest::addColumn<QStyle::StandardPixmap>("arrow");
    QTest::addColumn<Qt::LayoutDirection>("application");
    QTest::addColumn<int>("option"); // -1: none, else the option's direction
    for (const auto& [name, arrow] :
         {std::pair{"horizontal", QStyle::SP_ToolBarHorizontalExtensionButton},
          std::pair{"vertical", QStyle::SP_ToolBarVerticalExtensionButton}}) {
        QTest::addRow("%s", name) << arrow << Qt::LeftToRight << -1;
        QTest::addRow("%s, right to left", name) << arrow << Qt::RightToLeft << -1;
        QTest::addRow("%s, option right to left", name)
            << arrow << Qt::LeftToRight << int(Qt::RightToLeft);
        QTest::addRow("%s, option left to right", name)
            << arrow << Qt::RightToLeft << int(Qt::LeftToRight);
    }
}

void TestApplication::toolBarArrowsAreTheStyles() {
    QFETCH(QStyle::StandardPixmap, arrow);
    QFETCH(Qt::LayoutDirection, application);
    QFETCH(int, option);
    const auto* style = dynamic_cast<const TApplicationStyle*>(QApplication::style());
    QVERIFY(style);
    const std::unique_ptr<QStyle> own(QStyleFactory::create(style->baseStyle()->name()));
    QApplication::setLayoutDirection(application);
    QStyleOption styleOption;
    styleOption.direction = Qt::LayoutDirection(option);
    const QStyleOption* given = option < 0 ? nullptr : &styleOption;
    const QIcon expected = own->standardIcon(arrow, given);
    const QIcon icon = style->standardIcon(arrow, given);
    QApplication::setLayoutDirection(Qt::LeftToRight);
    QVERIFY(!expected.availableSizes().isEmpty());
    QCOMPARE(icon.availableSizes(), expected.availableSizes());
    for (const QSize size : expected.availableSizes())
        QCOMPARE(icon.pixmap(size).toImage(), expected.pixmap(size).toImage());
}

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_application.moc"
