#include "app/SplashForm.h"

#include "app/JpegImage.h"
#include "app/Version.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

#include <utility>

QImage SplashPicture() {
    QFile file(QStringLiteral(":/images/splash.jpg"));
    return file.open(QIODevice::ReadOnly) ? DecodeJpeg(file.readAll()) : QImage();
}

TSplashForm::TSplashForm(QImage picture, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , SplashImg(new QLabel(this)) {
    setObjectName(QStringLiteral("SplashForm"));
    SplashImg->setObjectName(QStringLiteral("SplashImg"));
    if (!picture.isNull())
        SplashImg->setPixmap(QPixmap::fromImage(std::move(picture)));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SplashImg);
    setFixedSize(sizeHint());
    // The version, written on the picture's lines under the quill's stroke,
    // comes from the build.
    auto* version = new QLabel(QStringLiteral("Version " QUILLORIN_VERSION_TEXT), this);
    version->setObjectName(QStringLiteral("VersionLbl"));
    // A palette rather than a style sheet: the sheet's engine would be
    // built, at start, for this one label.
    QPalette palette = version->palette();
    palette.setColor(QPalette::WindowText, QColor(0x5a, 0x5a, 0x5a));
    version->setPalette(palette);
    version->adjustSize();
    version->move(63, 184 - version->height());
}

void TSplashForm::ShowNow() {
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    repaint();
    QCoreApplication::processEvents();
}
