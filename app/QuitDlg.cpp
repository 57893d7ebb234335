#include "app/QuitDlg.h"

#include "app/DialogFrame.h"
#include "app/ImageLists.h"
#include "app/Version.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TQuitDlg::TQuitDlg(QWidget* parent)
    : QDialog(parent, Qt::Tool)
    , OkBtn(new QPushButton(QStringLiteral("Ok"), this))
    , CancelBtn(new QPushButton(QStringLiteral("Annuler"), this)) {
    setObjectName(QStringLiteral("QuitDlg"));
    setWindowTitle(QStringLiteral("Information"));
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("QuitImg"));
    picture->setPixmap(ImageIcon(QStringLiteral("quit.png")).pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop);
    auto* text = new QLabel(
        QStringLiteral("Vous êtes sur le point de quitter 'Quillorin " QUILLORIN_VERSION_TEXT
                       "', votre espace de travail va être sauvé."),
        this);
    text->setObjectName(QStringLiteral("InfoLbl"));
    text->setWordWrap(true);
    text->setMinimumWidth(280);

    auto* message = new QHBoxLayout;
    message->setSpacing(12);
    message->addWidget(picture);
    message->addWidget(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TQuitDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(*this);
    OkBtn->setFocus();
}
