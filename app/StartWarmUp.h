#pragma once

#include <QImage>

#include <thread>

// Does on the second core, while the program opens its display connection,
// the two steps before the splash can show that need neither the display
// nor Qt's GUI: decoding the splash picture, and reading the system's font
// configuration (the longest single step before the first text can be laid
// out, a fifth of the instructions the start-up spends before its window
// shows). Where there is no second thread, the picture is decoded at once
// and the configuration read by the first text, as before.
class TStartWarmUp {
public:
    TStartWarmUp();
    ~TStartWarmUp();
    TStartWarmUp(const TStartWarmUp&) = delete;
    TStartWarmUp& operator=(const TStartWarmUp&) = delete;

    // Waits for both to end: two readers of the font configuration at once
    // would each read all of it. Then the splash picture.
    QImage TakeSplashPicture();

private:
    void Wait();

    std::thread FThread;
    QImage FSplashPicture;
};
