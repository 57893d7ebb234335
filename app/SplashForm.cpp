#include "app/SplashForm.h"

#include "app/JpegImage.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , SplashImg(new QLabel(this)) {
    setObjectName(QStringLiteral("SplashForm"));
    SplashImg->setObjectName(QStringLiteral("SplashImg"));
    QFile file(QStringLiteral(":/images/splash.jpg"));
    if (file.open(QIODevice::ReadOnly))
        SplashImg->setPixmap(QPixmap::fromImage(DecodeJpeg(file.readAll())));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SplashImg);
    setFixedSize(sizeHint());
}

void TSplashForm::ShowNow() {
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    repaint();
    QCoreApplication::processEvents();
}
