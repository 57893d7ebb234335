#include "tests/support/DialogDriver.h"

#include <QApplication>
#include <QDialog>
#include <QTest>

#include <utility>

TDialogDriver::TDialogDriver(TAnswer answer, std::chrono::milliseconds deadline)
    : FAnswer(std::move(answer))
    , FDeadline(deadline) {
    FTimer.setInterval(5);
    connect(&FTimer, &QTimer::timeout, this, &TDialogDriver::Poll);
    FTimer.start();
}

TDialogDriver::~TDialogDriver() {
    FTimer.stop();
}

void TDialogDriver::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (modal != FCurrent) {
        FCurrent = modal;
        FShown = now;
        ++FAnswered;
        // Answered from a queued call, not from the timer: an answer that
        // opens another modal window (a question behind "Ok") runs a nested
        // loop, in which Qt does not fire this timer again until it returns.
        QMetaObject::invokeMethod(
            this,
            [this, window = QPointer<QWidget>(modal)] {
                if (window)
                    FAnswer(*window);
            },
            Qt::QueuedConnection);
        return;
    }
    if (now - FShown < FDeadline)
        return;
    FExpired = true;
    const QByteArray name = modal->objectName().toUtf8() + ' ' + modal->metaObject()->className();
    QTest::qFail(("modal window left open past the deadline: " + name).constData(), __FILE__,
                 __LINE__);
    // Closed so that the code waiting on it goes on and the test ends.
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
    FCurrent = nullptr;
}
