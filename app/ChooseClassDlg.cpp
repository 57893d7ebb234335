#include "app/ChooseClassDlg.h"

#include "app/DialogFrame.h"
#include "widgets/Controls97.h"

#include <QLabel>
#include <QPushButton>

TChooseClassDlg::TChooseClassDlg(const QString& pupil, const QStringList& classes, QWidget* parent)
    : QDialog(parent, Qt::Tool)
    , ClassLbl(new QLabel(QStringLiteral("Nouvelle classe de %1 :").arg(pupil), this))
    , ClassCombo(new TComboBox97(this))
    , OkBtn(NewFlatButton(*this, "OkBtn", "Ok", 52, 64))
    , CancelBtn(NewFlatButton(*this, "CancelBtn", "Annuler", 132, 64)) {
    setObjectName(QStringLiteral("ChooseClassDlg"));
    setWindowTitle(QStringLiteral("Changer de classe"));
    setFixedSize(259, 100);
    ClassLbl->setObjectName(QStringLiteral("ClassLbl"));
    ClassLbl->setGeometry(8, 12, 243, 18);
    ClassCombo->setObjectName(QStringLiteral("ClassCombo"));
    ClassCombo->setGeometry(8, 33, 241, 22);
    ClassCombo->addItems(classes);
    ClassLbl->setBuddy(ClassCombo);
    setTabOrder(ClassCombo, OkBtn);
    setTabOrder(OkBtn, CancelBtn);
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

int TChooseClassDlg::ChosenClass() const {
    return ClassCombo->currentIndex();
}

void TChooseClassDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(*this);
    ClassCombo->setFocus();
}
