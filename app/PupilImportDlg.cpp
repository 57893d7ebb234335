#include "app/PupilImportDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr std::array<TPupilColumn, 4> kFields = {TPupilColumn::Surname, TPupilColumn::Name,
                                                 TPupilColumn::BirthDay, TPupilColumn::Sexe};
constexpr std::array<const char*, 4> kComboNames = {"SurnameColumnCombo", "NameColumnCombo",
                                                    "BirthDayColumnCombo", "SexeColumnCombo"};

QStringList FieldCaptions() {
    return {QStringLiteral("Nom"), QStringLiteral("Prénom"), QStringLiteral("Date de naissance"),
            QStringLiteral("Sexe")};
}

QTreeWidget* NewList(const char* name, const QStringList& headers, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setHeaderLabels(headers);
    return list;
}

QStringList Cells(const TPupilListEntry& entry) {
    return {entry.Surname, entry.Name, entry.BirthDay, entry.Sexe};
}

QString Counted(std::size_t count, const QString& one, const QString& many) {
    return QString::number(count) + u' ' + (count > 1 ? many : one);
}

} // namespace

TPupilImportDlg::TPupilImportDlg(const QString& className, const TClassNode& schoolClass,
                                 const TPupilTable& table, const TPupilColumns& columns,
                                 const TPupilValueFormat& format, QWidget* parent)
    : QDialog(parent)
    , FClass(schoolClass)
    , FTable(table)
    , FFormat(format)
    , FClassName(className)
    , FColumns(columns) {
    setObjectName(QStringLiteral("PupilImportDlg"));
    setWindowTitle(QStringLiteral("Importer des élèves"));
    const QStringList captions = FieldCaptions();

    auto* mapping = new QFormLayout;
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QString::fromLatin1(kComboNames[i]));
        combo->addItem(QStringLiteral("(aucune)"), -1);
        for (int column = 0; column < int(table.Headers.size()); ++column)
            combo->addItem(table.Headers[column], column);
        combo->setCurrentIndex(combo->findData(FColumns[kFields[i]]));
        combo->setAccessibleName(QStringLiteral("Colonne du champ ") + captions[qsizetype(i)]);
        auto* label = new QLabel(captions[qsizetype(i)] + QStringLiteral(" :"), this);
        label->setBuddy(combo);
        mapping->addRow(label, combo);
        FColumnCombos[i] = combo;
        connect(combo, &QComboBox::currentIndexChanged, this,
                [this, field = kFields[i]] { ColumnChanged(field); });
    }
    auto* mappingLbl = new QLabel(QStringLiteral("Colonnes du fichier :"), this);
    mappingLbl->setObjectName(QStringLiteral("MappingLbl"));

    NoticeLbl = new QLabel(this);
    NoticeLbl->setObjectName(QStringLiteral("NoticeLbl"));
    NoticeLbl->setWordWrap(true);
    NoticeLbl->setTextFormat(Qt::PlainText);
    AddedLbl = new QLabel(this);
    AddedLbl->setObjectName(QStringLiteral("AddedLbl"));
    AddedList = NewList("AddedList", captions + QStringList{QStringLiteral("Remarque")}, this);
    SkippedLbl = new QLabel(this);
    SkippedLbl->setObjectName(QStringLiteral("SkippedLbl"));
    SkippedList = NewList("SkippedList",
                          QStringList{QStringLiteral("Ligne")} + captions +
                              QStringList{QStringLiteral("Raison")},
                          this);

    OkBtn = new QPushButton(QStringLiteral("Ok"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Annuler"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mappingLbl);
    layout->addLayout(mapping);
    layout->addWidget(NoticeLbl);
    layout->addWidget(AddedLbl);
    layout->addWidget(AddedList, 2);
    layout->addWidget(SkippedLbl);
    layout->addWidget(SkippedList, 1);
    layout->addLayout(buttons);
    resize(640, 560);
    Redraw();
}

void TPupilImportDlg::ColumnChanged(TPupilColumn field) {
    const std::size_t i = std::size_t(field) - 1;
    FColumns[field] = FColumnCombos[i]->currentData().toInt();
    // The birth name stands in for a blank usage name, never for itself.
    if (field == TPupilColumn::Surname && FColumns.BirthSurname == FColumns[field])
        FColumns.BirthSurname = -1;
    Redraw();
}

void TPupilImportDlg::Redraw() {
    const TPupilList list = PupilListOf(FTable, FColumns, FFormat);
    FPlan = FColumns[TPupilColumn::Surname] >= 0 ? PlanPupilImport(FClass, list, FFormat.ThisYear)
                                                 : TPupilImportPlan{};

    QStringList notices;
    if (FColumns[TPupilColumn::Surname] < 0)
        notices << QStringLiteral("Choisissez la colonne qui donne le nom des élèves.");
    else if (!FTable.HeaderFound)
        notices << QStringLiteral("Les colonnes du fichier n'ont pas été reconnues : "
                                  "choisissez-les ci-dessus.");
    std::size_t fitted = 0;
    std::size_t unreadDates = 0;
    std::size_t unknownSexes = 0;
    AddedList->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(FPlan.Added.size()));
    for (const TPlannedPupil& pupil : FPlan.Added) {
        QStringList remarks;
        if (!pupil.Written.isEmpty()) {
            ++fitted;
            remarks << QStringLiteral("écrit « %1 »").arg(pupil.Written);
        }
        if (pupil.Entry.DateUnread) {
            ++unreadDates;
            remarks << QStringLiteral("date illisible, gardée telle quelle");
        }
        if (FColumns[TPupilColumn::Sexe] >= 0 && pupil.Entry.Sexe == SexeValues()[DefaultSexeIndex])
            ++unknownSexes;
        auto* item = new QTreeWidgetItem(Cells(pupil.Entry) << remarks.join(QStringLiteral(" ; ")));
        if (pupil.Entry.DateUnread)
            item->setForeground(2, Qt::red);
        items << item;
    }
    AddedList->addTopLevelItems(items);
    if (fitted > 0)
        notices << Counted(fitted, QStringLiteral("nom contient"),
                           QStringLiteral("noms contiennent")) +
                       QStringLiteral(" des lettres que le fichier de travail ne peut pas garder : "
                                      "ils seront écrits avec les lettres les plus proches.");
    if (unreadDates > 0)
        notices << Counted(unreadDates, QStringLiteral("date de naissance n'a pu être lue"),
                           QStringLiteral("dates de naissance n'ont pu être lues")) +
                       QStringLiteral(" : gardée(s) telle(s) qu'écrite(s), en rouge.");
    if (unknownSexes > 0)
        notices << Counted(unknownSexes, QStringLiteral("élève sans sexe reconnu"),
                           QStringLiteral("élèves sans sexe reconnu")) +
                       QStringLiteral(" : « Je ne sais pas ».");
    NoticeLbl->setText(notices.join(u'\n'));
    NoticeLbl->setVisible(!notices.isEmpty());

    AddedLbl->setText(Counted(FPlan.Added.size(), QStringLiteral("élève sera ajouté"),
                              QStringLiteral("élèves seront ajoutés")) +
                      QStringLiteral(" à la classe '%1' :").arg(FClassName));
    SkippedList->clear();
    for (const TSkippedPupil& row : FPlan.Skipped)
        SkippedList->addTopLevelItem(
            new QTreeWidgetItem(QStringList{QString::number(row.Entry.Line)} + Cells(row.Entry) +
                                QStringList{row.Reason}));
    SkippedLbl->setText(Counted(FPlan.Skipped.size(), QStringLiteral("ligne ignorée :"),
                                QStringLiteral("lignes ignorées :")));
    for (QTreeWidget* view : {AddedList, SkippedList})
        view->header()->resizeSections(QHeaderView::ResizeToContents);
    SkippedLbl->setVisible(!FPlan.Skipped.empty());
    SkippedList->setVisible(!FPlan.Skipped.empty());
    OkBtn->setEnabled(!FPlan.Added.empty());
}
