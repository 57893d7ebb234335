#include "app/PupilDlg.h"

#include "app/DialogFrame.h"
#include "data/PData.h"
#include "widgets/Controls97.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kLabelLeft = 16;
constexpr int kFieldLeft = 115;
constexpr int kFieldWidth = 177;
constexpr int kFieldHeight = 21;

} // namespace

TPupilDlg::TPupilDlg(const QString& className, QWidget* parent)
    : QDialog(parent, Qt::Tool)
    , MainPnl(new QFrame(this)) {
    setObjectName(QStringLiteral("PupilDlg"));
    setWindowTitle(QStringLiteral("Nouvel élève"));
    setFixedSize(313, 233);
    MainPnl->setObjectName(QStringLiteral("MainPnl"));
    MainPnl->setFrameStyle(QFrame::Panel | QFrame::Raised);
    MainPnl->setGeometry(8, 8, 297, 177);

    NewLabel("SurnameLbl", "Nom :", 16)->setBuddy(SurnameEdt = NewEdit("SurnameEdt", 16));
    NewLabel("NameLbl", "Prénom :", 48)->setBuddy(NameEdt = NewEdit("NameEdt", 48));
    NewLabel("BirthdayLbl", "Date de naissance :", 80)
        ->setBuddy(BirthdayEdt = NewEdit("BirthdayEdt", 80));
    SexeCombo = new TComboBox97(MainPnl);
    SexeCombo->setObjectName(QStringLiteral("SexeCombo"));
    SexeCombo->setGeometry(kFieldLeft, 112, kFieldWidth, kFieldHeight);
    for (const QString& sexe : SexeValues())
        SexeCombo->addItem(sexe);
    SexeCombo->setCurrentIndex(DefaultSexeIndex);
    // Otherwise a screen reader names the list by the item chosen.
    SexeCombo->setAccessibleName(QStringLiteral("Sexe"));
    NewLabel("SexeLbl", "Sexe :", 112)->setBuddy(SexeCombo);
    NewLabel("ClassLbl", "Classe :", 144);
    ClassPnl = new QLabel(className, MainPnl);
    ClassPnl->setObjectName(QStringLiteral("ClassPnl"));
    ClassPnl->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ClassPnl->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ClassPnl->setTextFormat(Qt::PlainText);
    ClassPnl->setGeometry(kFieldLeft, 144, kFieldWidth, kFieldHeight);

    OkBtn = NewFlatButton(*this, "OkBtn", "Ok", 80, 200);
    CancelBtn = NewFlatButton(*this, "CancelBtn", "Annuler", 160, 200);
    setTabOrder(SurnameEdt, NameEdt);
    setTabOrder(NameEdt, BirthdayEdt);
    setTabOrder(BirthdayEdt, SexeCombo);
    setTabOrder(SexeCombo, OkBtn);
    setTabOrder(OkBtn, CancelBtn);

    connect(SurnameEdt, &QLineEdit::textChanged, this, &TPupilDlg::SurnameEdtChange);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

QLabel* TPupilDlg::NewLabel(const char* name, const char* text, int top) {
    auto* label = new QLabel(QString::fromUtf8(text), MainPnl);
    label->setObjectName(QString::fromLatin1(name));
    const int room = kFieldLeft - kLabelLeft - 4;
    label->setGeometry(kLabelLeft, top, room, kFieldHeight);
    // The room is fixed: a font wider than the one the form was drawn with is
    // made smaller so that the whole caption shows.
    QFont font = label->font();
    while (QFontMetrics(font).horizontalAdvance(label->text()) > room && font.pointSizeF() > 6)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
    return label;
}

TEdit97* TPupilDlg::NewEdit(const char* name, int top) {
    auto* edit = new TEdit97(MainPnl);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(kFieldLeft, top, kFieldWidth, kFieldHeight);
    return edit;
}

void TPupilDlg::SurnameEdtChange(const QString& text) {
    OkBtn->setEnabled(!text.isEmpty());
}

QString TPupilDlg::Surname() const {
    return SurnameEdt->text();
}

QString TPupilDlg::Name() const {
    return NameEdt->text();
}

QString TPupilDlg::BirthDay() const {
    return BirthdayEdt->text();
}

QString TPupilDlg::Sexe() const {
    return SexeCombo->currentText();
}

QString TPupilDlg::ClassName() const {
    return ClassPnl->text();
}

void TPupilDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(*this);
    SurnameEdt->setFocus();
}
