#pragma once

#include <thread>

// Reads the system's font configuration on the second core while the
// program opens its display connection. It is the longest single step before
// the first text can be laid out (a fifth of the instructions the start-up
// spends before its window shows) and needs neither the display nor Qt, so
// the first text then finds it ready. Where there is no second thread, Qt
// reads it itself, as before.
class TFontConfigWarmUp {
public:
    TFontConfigWarmUp();
    ~TFontConfigWarmUp();
    TFontConfigWarmUp(const TFontConfigWarmUp&) = delete;
    TFontConfigWarmUp& operator=(const TFontConfigWarmUp&) = delete;

    // Waits for the reading to end: two readers at once would each read the
    // whole configuration.
    void Wait();

private:
    std::thread FThread;
};
