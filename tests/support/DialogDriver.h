#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <functional>

// The one way tests answer modal windows. Each modal window, as it becomes
// the active one, is given once to the answer; a window still open when the
// deadline has passed since it showed is closed and fails the running test,
// so that a dialog nobody answers ends the test instead of hanging it until
// CTest's time-out. The timer belongs to the driver and stops with it.
class TDialogDriver : public QObject {
public:
    using TAnswer = std::function<void(QWidget& modal)>;

    explicit TDialogDriver(TAnswer answer,
                           std::chrono::milliseconds deadline = std::chrono::seconds(20));
    ~TDialogDriver() override;

    // Windows given to the answer so far.
    int Answered() const { return FAnswered; }
    // Whether a window had to be closed at the deadline.
    bool Expired() const { return FExpired; }

private:
    void Poll();

    TAnswer FAnswer;
    std::chrono::milliseconds FDeadline;
    QTimer FTimer;
    QPointer<QWidget> FCurrent;
    std::chrono::steady_clock::time_point FShown;
    int FAnswered = 0;
    bool FExpired = false;
};

// Answers only the modal windows of type T, each once, with the action.
template <typename T> TDialogDriver::TAnswer WhenShown(std::function<void(T&)> act) {
    return [act = std::move(act)](QWidget& modal) {
        if (auto* dialog = qobject_cast<T*>(&modal))
            act(*dialog);
    };
}
