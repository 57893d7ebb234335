// What the empty window says to do first, and the controls' names for
// screen readers.

#include "app/MainForm.h"

#include "app/ClassTreeView.h"
#include "app/StatusBar.h"
#include "widgets/Controls97.h"
#include "widgets/EditGrid.h"
#include "workspace/WorkspaceModel.h"

#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>
#include <QToolBar>

void TMainForm::BuildWelcome() {
    WelcomeLbl = new QLabel(CenterPnl);
    WelcomeLbl->setObjectName(QStringLiteral("WelcomeLbl"));
    WelcomeLbl->setWordWrap(true);
    WelcomeLbl->setAlignment(Qt::AlignCenter);
    WelcomeLbl->setMargin(16);
    WelcomeLbl->setTextFormat(Qt::RichText);
    WelcomeLbl->setText(
        QStringLiteral("<p><b>Bienvenue dans Quillorin</b></p>"
                       "<p>Pour commencer, créez une classe : menu <b>Fichier</b>, "
                       "<b>Nouvelle classe</b>, ou la touche <b>F3</b>.</p>"
                       "<p>Importez ensuite la liste de ses élèves : menu <b>Fichier</b>, "
                       "<b>Importer des élèves...</b>, ou ajoutez-les un à un avec "
                       "<b>F2</b>.</p>"));
    WelcomeLbl->setAccessibleName(QStringLiteral("Pour commencer"));
    CenterPnl->layout()->addWidget(WelcomeLbl);
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(FModel, signal, this, &TMainForm::UpdateWelcome);
    connect(FModel, &QAbstractItemModel::modelReset, this, &TMainForm::UpdateWelcome);
    // Shown once the workspace is read, if it holds no class: sizing the
    // window's panels meanwhile would lay its text out for nothing.
    WelcomeLbl->hide();
}

void TMainForm::UpdateWelcome() {
    WelcomeLbl->setVisible(FModel->rowCount() == 0);
}

void TMainForm::SetAccessibleNames() {
    Tree->setAccessibleName(QStringLiteral("Classes et élèves"));
    Grid->setAccessibleName(QStringLiteral("Évaluations"));
    SurnameEdt->setAccessibleName(QStringLiteral("Nom"));
    NameEdt->setAccessibleName(QStringLiteral("Prénom"));
    BirthdayEdt->setAccessibleName(QStringLiteral("Date de naissance"));
    SexeCombo->setAccessibleName(QStringLiteral("Sexe"));
    RemarksMemo->setAccessibleName(QStringLiteral("Remarques"));
    StatusBar->setAccessibleName(QStringLiteral("Barre d'état"));
    ToolBar->setAccessibleName(QStringLiteral("Barre d'outils"));
}
