#include "app/TerminationWatch.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

int gPipe[2] = {-1, -1};
struct sigaction gPrevious {};

void OnSignal(int) {
    const char byte = 1;
    // Nothing else is safe in a signal handler; a full pipe already has
    // the news.
    [[maybe_unused]] const auto written = ::write(gPipe[1], &byte, 1);
}

} // namespace

TTerminationWatch::TTerminationWatch(std::function<void()> act, QObject* parent)
    : QObject(parent)
    , FAct(std::move(act)) {
    if (gPipe[0] >= 0 || ::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    FNotifier = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, [this] {
        char byte;
        while (::read(gPipe[0], &byte, 1) > 0) {
        }
        FAct();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, &gPrevious);
}

TTerminationWatch::~TTerminationWatch() {
    if (!FNotifier)
        return;
    ::sigaction(SIGTERM, &gPrevious, nullptr);
    delete FNotifier;
    ::close(gPipe[0]);
    ::close(gPipe[1]);
    gPipe[0] = gPipe[1] = -1;
}
