#include "app/DeleteDlg.h"

#include "app/DialogFrame.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QWindow>

#include <algorithm>

namespace {

constexpr int kMargin = 8;

} // namespace

TDeleteDlg::TDeleteDlg(QWidget* parent)
    : QDialog(parent, Qt::Tool)
    , ConfirmIco(new QLabel(this))
    , InfoLbl(new QLabel(QStringLiteral("Voulez-vous vraiment supprimer ___ ?"), this))
    , FadingLbl(new QLabel(
          QStringLiteral("Vous pourrez l'annuler avec Edition > Annuler (Ctrl+Z)."), this))
    , OkBtn(NewFlatButton(*this, "OkBtn", "Ok", 108, 88))
    , CancelBtn(NewFlatButton(*this, "CancelBtn", "Annuler", 192, 88)) {
    setObjectName(QStringLiteral("DeleteDlg"));
    setWindowTitle(QStringLiteral("Information"));
    setFixedSize(392, 123);
    ConfirmIco->setObjectName(QStringLiteral("ConfirmIco"));
    ConfirmIco->setGeometry(8, 24, 48, 48);
    InfoLbl->setObjectName(QStringLiteral("InfoLbl"));
    InfoLbl->setGeometry(64, 16, 321, 41);
    InfoLbl->setWordWrap(true);
    InfoLbl->setTextFormat(Qt::PlainText);
    InfoLbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FadingLbl->setObjectName(QStringLiteral("FadingLbl"));
    // The reminder may take two lines in a large font.
    FadingLbl->setWordWrap(true);
    FadingLbl->setGeometry(64, 64, 321, FadingLbl->heightForWidth(321));
    setTabOrder(OkBtn, CancelBtn);

    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TDeleteDlg::SetInfo(const QString& text) {
    InfoLbl->setText(text);
}

void TDeleteDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
    CentreOnScreen(*this);
    OkBtn->setFocus();
}

void TDeleteDlg::FormShow() {
    // The picture is drawn for the screen's density.
    QIcon picture;
    picture.addFile(QStringLiteral(":/images/dialogs/confirm.png"));
    picture.addFile(QStringLiteral(":/images/dialogs/confirm@2x.png"));
    const qreal ratio = windowHandle() ? windowHandle()->devicePixelRatio() : devicePixelRatioF();
    ConfirmIco->setPixmap(picture.pixmap(QSize(48, 48), ratio));

    const int width = std::clamp(InfoLbl->x() + InfoLbl->width() + kMargin,
                                 MinimumClientSize.width(), MaximumClientSize.width());
    const int infoHeight = InfoLbl->heightForWidth(InfoLbl->width());
    PlaceBelowInfo(infoHeight);
    int height = OkBtn->y() + OkBtn->height() + kMargin;
    // A text too long for the highest dialog loses its last lines rather
    // than pushing the buttons out of sight.
    if (const int overflow = height - MaximumClientSize.height(); overflow > 0) {
        const int line = InfoLbl->fontMetrics().lineSpacing();
        PlaceBelowInfo(std::max((infoHeight - overflow) / line, 1) * line);
    }
    height = std::clamp(OkBtn->y() + OkBtn->height() + kMargin, MinimumClientSize.height(),
                        MaximumClientSize.height());
    setFixedSize(width, height);
    OkBtn->move((width - 155) / 2, OkBtn->y());
    CancelBtn->move(OkBtn->x() + 80, OkBtn->y());
}

void TDeleteDlg::PlaceBelowInfo(int infoHeight) {
    InfoLbl->resize(InfoLbl->width(), infoHeight);
    FadingLbl->move(FadingLbl->x(), InfoLbl->y() + InfoLbl->height() + 5);
    OkBtn->move(OkBtn->x(), FadingLbl->y() + FadingLbl->height() + 10);
    CancelBtn->move(CancelBtn->x(), OkBtn->y());
}
