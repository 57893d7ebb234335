#pragma once

#include <QImage>
#include <QWidget>

class QLabel;

// The splash picture of the resources, decoded; null when it cannot be.
QImage SplashPicture();

// The borderless picture shown while the main window is being created.
class TSplashForm : public QWidget {
    Q_OBJECT

public:
    // With the picture already decoded (SplashPicture).
    explicit TSplashForm(QImage picture, QWidget* parent = nullptr);

    // Shows the window centred on the screen and paints it at once, before
    // the event loop runs.
    void ShowNow();

private:
    QLabel* SplashImg;
};
