#include "app/AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// Watches the window's first exposure, which draws it; the work waits
// behind that drawing.
class TFirstPaintWatch : public QObject {
public:
    TFirstPaintWatch(QWidget& window, std::function<void()> work)
        : QObject(&window)
        , FWindow(window)
        , FWork(std::move(work)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && FWindow.windowHandle() &&
            FWindow.windowHandle()->isExposed()) {
            watched->removeEventFilter(this);
            QTimer::singleShot(AfterFirstPaintPauseMs, &FWindow, std::move(FWork));
            deleteLater();
        }
        return false;
    }

private:
    QWidget& FWindow;
    std::function<void()> FWork;
};

} // namespace

void RunAfterFirstPaint(QWidget& window, std::function<void()> work) {
    QWindow* handle = window.windowHandle();
    if (!handle || handle->isExposed()) {
        QTimer::singleShot(AfterFirstPaintPauseMs, &window, std::move(work));
        return;
    }
    handle->installEventFilter(new TFirstPaintWatch(window, std::move(work)));
}
