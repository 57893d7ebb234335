// The pupil sheet: identity fields and remarks, written into the selected
// pupil's record as they change.

#include "app/MainForm.h"

#include "app/NameCase.h"
#include "app/WorkspaceModel.h"
#include "widgets/Controls97.h"
#include "widgets/EditGrid.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTreeView>

namespace {

// The memo's lines as the user sees them: a line break made with Shift+Enter
// ends a line too, and non-breaking blanks stay what they are.
QStringList MemoLines(const QPlainTextEdit& memo) {
    QStringList lines;
    const QTextDocument& document = *memo.document();
    if (document.isEmpty())
        return lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        lines += block.text().split(QChar::LineSeparator);
    return lines;
}

} // namespace

void TMainForm::SetSheetEnabled(bool enabled) {
    for (QWidget* control :
         std::initializer_list<QWidget*>{SurnameLbl, SurnameEdt, NameLbl, NameEdt, BirthDayLbl,
                                         BirthdayEdt, SexeLbl, SexeCombo, RemarksLbl, RemarksMemo})
        control->setEnabled(enabled);
}

void TMainForm::UpdatePupilSheet(TPData* record) {
    const bool selected = record != nullptr;
    FileNewPupil->setEnabled(selected);
    FileDelete->setEnabled(selected);
    FilePrint->setEnabled(selected);
    FileImportPupils->setEnabled(selected);
    FileStatistics->setEnabled(selected);
    FileModifyMatters->setEnabled(selected && record->IsClass());
    if (!selected) {
        Grid->hide();
        SetSheetEnabled(false);
    } else {
        Grid->show();
        SetSheetEnabled(record->IsPupil());
    }

    if (selected && record->IsPupil()) {
        SurnameEdt->setText(record->Surname());
        NameEdt->setText(record->Name());
        BirthdayEdt->setText(record->BirthDay());
        SexeCombo->setCurrentIndex(SexeCombo->findText(record->Sexe(), Qt::MatchFixedString));
        FFillingRemarks = true;
        RemarksMemo->setPlainText(record->Lines().join(u'\n'));
        FFillingRemarks = false;
        return;
    }
    SurnameEdt->clear();
    NameEdt->clear();
    BirthdayEdt->clear();
    SexeCombo->setCurrentIndex(-1);
    RemarksMemo->clear();
}

void TMainForm::EdtChange(QObject* sender) {
    TPData* record = SelectedData();
    if (!record || !record->IsPupil())
        return;
    const QModelIndex node = SelectedNode();
    if (sender == SurnameEdt || sender == NameEdt) {
        StoreName(sender, static_cast<QLineEdit*>(sender)->text());
        FModel->SetNodeText(node, record->Surname() + u' ' + record->Name());
    } else if (sender == BirthdayEdt) {
        record->SetBirthDay(BirthdayEdt->text());
    } else if (sender == SexeCombo) {
        if (SexeCombo->currentText() != record->Sexe()) {
            record->SetSexe(SexeCombo->currentText());
            FModel->SetNodeImages(node, NodeImages(*record));
        }
    } else if (sender == RemarksMemo && !FFillingRemarks) {
        const QStringList lines = MemoLines(*RemarksMemo);
        record->AssignLines(&lines);
    }
}

void TMainForm::StoreName(QObject* sender, const QString& text) {
    TPData& record = *SelectedData();
    // Cut and fitted to the file first, then normalised.
    if (sender == SurnameEdt) {
        record.SetSurname(text);
        record.SetSurname(NormaliseName(record.Surname()));
    } else {
        record.SetName(text);
        record.SetName(NormaliseName(record.Name()));
    }
}
