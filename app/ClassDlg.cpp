#include "app/ClassDlg.h"

#include "app/DialogFrame.h"
#include "widgets/Controls97.h"

#include <QLabel>
#include <QPushButton>

TClassDlg::TClassDlg(QWidget* parent)
    : QDialog(parent, Qt::Tool)
    , ClassLbl(new QLabel(QStringLiteral("Classe :"), this))
    , ClassEdt(new TEdit97(this))
    , OkBtn(NewFlatButton(*this, "OkBtn", "Ok", 52, 64))
    , CancelBtn(NewFlatButton(*this, "CancelBtn", "Annuler", 132, 64)) {
    setObjectName(QStringLiteral("ClassDlg"));
    setWindowTitle(QStringLiteral("Nouvelle classe"));
    setFixedSize(259, 100);
    ClassLbl->setObjectName(QStringLiteral("ClassLbl"));
    ClassLbl->move(8, 16);
    ClassLbl->adjustSize();
    ClassEdt->setObjectName(QStringLiteral("ClassEdt"));
    ClassEdt->setGeometry(8, 33, 241, 19);
    ClassEdt->SetReturnMovesFocus(false);
    ClassLbl->setBuddy(ClassEdt);
    setTabOrder(ClassEdt, OkBtn);
    setTabOrder(OkBtn, CancelBtn);

    connect(ClassEdt, &QLineEdit::returnPressed, this, &QDialog::accept);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

QString TClassDlg::ClassName() const {
    return ClassEdt->text();
}

void TClassDlg::SetClassName(const QString& name) {
    ClassEdt->setText(name);
    ClassEdt->selectAll();
}

void TClassDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(*this);
    ClassEdt->setFocus();
}
