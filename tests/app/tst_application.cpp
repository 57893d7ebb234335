#include "app/Application.h"

#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace {

// An event handler that fails.
class TFailingHandler : public QObject {
public:
    int Handled = 0;

protected:
    bool event(QEvent* event) override
    {
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
};

void TestApplication::errorEscapingAHandlerIsReportedAndTheProgramGoesOn()
{
    TFailingHandler handler;
    QStringList reports;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            reports << box->windowTitle() + u'|' + box->text();
            box->accept();
        }
    });
    answer.start(5);
    QCoreApplication::postEvent(&handler, new QEvent(QEvent::User));
    QTRY_COMPARE(reports, QStringList{QStringLiteral("Quillorin|Indice de liste hors limites (3)")});
    // The event loop still runs and delivers the next event.
    QCoreApplication::postEvent(&handler, new QEvent(QEvent::User));
    QTRY_COMPARE(handler.Handled, 2);
    QTRY_COMPARE(reports.size(), 2);
}

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_application.moc"
