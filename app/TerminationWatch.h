#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Calls the action, from the event loop, when the program is told to end
// by SIGTERM (a shutdown, `kill`): the signal handler only writes a byte to
// a pipe, which the event loop reads. One watch at a time.
class TTerminationWatch : public QObject {
public:
    explicit TTerminationWatch(std::function<void()> act, QObject* parent = nullptr);
    ~TTerminationWatch() override;

private:
    std::function<void()> FAct;
    QSocketNotifier* FNotifier = nullptr;
};
