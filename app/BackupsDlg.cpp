#include "app/BackupsDlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <utility>

TBackupsDlg::TBackupsDlg(std::vector<TBackupEntry> copies, QWidget* parent)
    : QDialog(parent)
    , FCopies(std::move(copies))
    , List(new QTreeWidget(this))
    , RestoreBtn(new QPushButton(QStringLiteral("&Restaurer"), this))
    , CloseBtn(new QPushButton(QStringLiteral("Fermer"), this)) {
    setObjectName(QStringLiteral("BackupsDlg"));
    setWindowTitle(QStringLiteral("Copies datées"));
    List->setObjectName(QStringLiteral("BackupsList"));
    RestoreBtn->setObjectName(QStringLiteral("RestoreBtn"));
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));

    auto* explanation = new QLabel(
        QStringLiteral("À chaque enregistrement, le fichier remplacé est gardé ici, une copie "
                       "par jour. Restaurer une copie remplace les classes et les élèves par les "
                       "siens ; Edition > Annuler revient en arrière."),
        this);
    explanation->setObjectName(QStringLiteral("InfoLbl"));
    explanation->setWordWrap(true);

    List->setRootIsDecorated(false);
    List->setAllColumnsShowFocus(true);
    List->setHeaderLabels(
        {QStringLiteral("Jour"), QStringLiteral("Classes"), QStringLiteral("Élèves")});
    List->setAccessibleName(QStringLiteral("Copies datées"));
    const QLocale french(QLocale::French, QLocale::France);
    for (const TBackupEntry& copy : FCopies) {
        QString day = french.toString(copy.Day, QStringLiteral("dddd d MMMM yyyy"));
        if (!copy.Complete)
            day += QStringLiteral(" (lue en partie)");
        auto* item = new QTreeWidgetItem(
            List, {day, QString::number(copy.Classes), QString::number(copy.Pupils)});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    List->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    List->header()->setStretchLastSection(false);
    List->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    List->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    if (List->topLevelItemCount() > 0)
        List->setCurrentItem(List->topLevelItem(0));
    else
        List->addTopLevelItem(new QTreeWidgetItem({QStringLiteral("Aucune copie datée pour "
                                                                  "l'instant.")}));
    RestoreBtn->setEnabled(!FCopies.empty());

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(RestoreBtn);
    buttons->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(List, 1);
    layout->addLayout(buttons);
    resize(460, 320);

    RestoreBtn->setDefault(!FCopies.empty());
    connect(RestoreBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(List, &QTreeWidget::itemActivated, this, [this] {
        if (!FCopies.empty())
            accept();
    });
}

const TBackupEntry* TBackupsDlg::Chosen() const {
    const int row = List->currentIndex().row();
    if (result() != Accepted || row < 0 || row >= int(FCopies.size()))
        return nullptr;
    return &FCopies[std::size_t(row)];
}
