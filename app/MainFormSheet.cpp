// The pupil sheet: identity fields and remarks, written into the selected
// pupil's record as they change, each edit of a field one step of the
// history.

#include "app/MainForm.h"

#include "data/NameCase.h"
#include "widgets/Controls97.h"
#include "widgets/EditGrid.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

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
    FileExportResults->setEnabled(selected);
    FileModifyMatters->setEnabled(selected && record->IsClass());
    UpdateClassEntryCommands(record);
    if (!selected) {
        Grid->hide();
        SetSheetEnabled(false);
    } else {
        Grid->show();
        SetSheetEnabled(record->IsPupil());
    }

    if (selected && record->IsPupil()) {
        FFillingSheet = true;
        SurnameEdt->setText(record->Surname());
        NameEdt->setText(record->Name());
        BirthdayEdt->setText(record->BirthDay());
        FFillingSheet = false;
        SexeCombo->setCurrentIndex(SexeCombo->findText(record->Sexe(), Qt::MatchFixedString));
        FFillingRemarks = true;
        RemarksMemo->setPlainText(record->Lines().join(u'\n'));
        FFillingRemarks = false;
        // Once the memo shows this pupil's remarks: the words it makes known
        // check the memo again, and what is checked must be what is stored.
        UpdateRemarksTools(record);
        return;
    }
    SurnameEdt->clear();
    NameEdt->clear();
    BirthdayEdt->clear();
    SexeCombo->setCurrentIndex(-1);
    RemarksMemo->clear();
    UpdateRemarksTools(record);
}

void TMainForm::EdtChange(QObject* sender) {
    // Showing a pupil changes nothing of it.
    TPData* record = SelectedData();
    if (FFillingSheet || !record || !record->IsPupil())
        return;
    const QModelIndex node = SelectedNode();
    // Showing a record changes nothing in it: only the teacher's edits are
    // stored, each through the history.
    if (FFillingSheet)
        return;
    if (sender == SurnameEdt || sender == NameEdt) {
        FEditor->SetSheetField(node,
                               sender == SurnameEdt ? TSheetField::Surname : TSheetField::Name,
                               StoredName(static_cast<QLineEdit*>(sender)->text()));
    } else if (sender == BirthdayEdt) {
        FEditor->SetSheetField(node, TSheetField::BirthDay, BirthdayEdt->text());
    } else if (sender == SexeCombo) {
        FEditor->SetSheetField(node, TSheetField::Sexe, SexeCombo->currentText());
    } else if (sender == RemarksMemo && !FFillingRemarks) {
        FEditor->SetRemarks(node, MemoLines(*RemarksMemo));
    }
}
