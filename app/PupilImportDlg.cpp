#include "app/PupilImportDlg.h"

#include "app/NameCase.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QTreeWidget* NewList(const char* name, const QStringList& headers, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setHeaderLabels(headers);
    return list;
}

QStringList Columns(const TPupilListEntry& entry) {
    return {entry.Surname, entry.Name, entry.BirthDay, entry.Sexe};
}

// The names as they will be stored and shown.
QStringList AddedColumns(const TPupilListEntry& entry) {
    return {NormaliseName(entry.Surname), NormaliseName(entry.Name), entry.BirthDay, entry.Sexe};
}

QString Counted(std::size_t count, const QString& one, const QString& many) {
    return QString::number(count) + u' ' + (count > 1 ? many : one);
}

} // namespace

TPupilImportDlg::TPupilImportDlg(const QString& className, const TPupilImportPlan& plan,
                                 QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("PupilImportDlg"));
    setWindowTitle(QStringLiteral("Importer des élèves"));
    const QStringList headers = {QStringLiteral("Nom"), QStringLiteral("Prénom"),
                                 QStringLiteral("Date de naissance"), QStringLiteral("Sexe")};

    auto* addedLbl = new QLabel(Counted(plan.Added.size(), QStringLiteral("élève sera ajouté"),
                                        QStringLiteral("élèves seront ajoutés")) +
                                    QStringLiteral(" à la classe '%1' :").arg(className),
                                this);
    addedLbl->setObjectName(QStringLiteral("AddedLbl"));
    auto* added = NewList("AddedList", headers, this);
    for (const TPupilListEntry& entry : plan.Added)
        added->addTopLevelItem(new QTreeWidgetItem(AddedColumns(entry)));

    auto* skippedLbl = new QLabel(Counted(plan.Skipped.size(), QStringLiteral("ligne ignorée :"),
                                          QStringLiteral("lignes ignorées :")),
                                  this);
    skippedLbl->setObjectName(QStringLiteral("SkippedLbl"));
    auto* skipped = NewList("SkippedList",
                            QStringList{QStringLiteral("Ligne")} + headers +
                                QStringList{QStringLiteral("Raison")},
                            this);
    for (const TSkippedPupil& row : plan.Skipped)
        skipped->addTopLevelItem(new QTreeWidgetItem(QStringList{QString::number(row.Entry.Line)} +
                                                     Columns(row.Entry) + QStringList{row.Reason}));
    for (QTreeWidget* list : {added, skipped})
        list->header()->resizeSections(QHeaderView::ResizeToContents);
    skippedLbl->setVisible(!plan.Skipped.empty());
    skipped->setVisible(!plan.Skipped.empty());

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OkBtn"));
    ok->setEnabled(!plan.Added.empty());
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Annuler"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(addedLbl);
    layout->addWidget(added, 2);
    layout->addWidget(skippedLbl);
    layout->addWidget(skipped, 1);
    layout->addLayout(buttons);
    resize(560, plan.Skipped.empty() ? 360 : 460);
}
