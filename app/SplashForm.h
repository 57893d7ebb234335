#pragma once

#include <QWidget>

class QLabel;

// The borderless picture shown while the main window is being created.
class TSplashForm : public QWidget {
    Q_OBJECT

public:
    explicit TSplashForm(QWidget* parent = nullptr);

    // Shows the window centred on the screen and paints it at once, before
    // the event loop runs.
    void ShowNow();

private:
    QLabel* SplashImg;
};
