// The pupil sheet: identity fields and remarks, written into the selected
// pupil's record as they change, each edit of a field one step of the
// history.

#include "app/MainForm.h"

#include "app/NameCase.h"
#include "app/WorkspaceEditor.h"
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
    TPData* record = SelectedData();
    if (!record || !record->IsPupil())
        return;
    const QModelIndex node = SelectedNode();
    if (sender == SurnameEdt || sender == NameEdt) {
        // Cut and fitted to the file first, then normalised.
        const QString name =
            NormaliseName(TPData::StoredText(static_cast<QLineEdit*>(sender)->text()));
        if (!FFillingSheet) {
            FEditor->SetSheetField(
                node, sender == SurnameEdt ? TSheetField::Surname : TSheetField::Name, name);
            return;
        }
        if (sender == SurnameEdt)
            record->SetSurname(name);
        else
            record->SetName(name);
        FModel->SetNodeText(node, record->Surname() + u' ' + record->Name());
    } else if (sender == BirthdayEdt) {
        if (FFillingSheet)
            record->SetBirthDay(BirthdayEdt->text());
        else
            FEditor->SetSheetField(node, TSheetField::BirthDay, BirthdayEdt->text());
    } else if (sender == SexeCombo) {
        FEditor->SetSheetField(node, TSheetField::Sexe, SexeCombo->currentText());
    } else if (sender == RemarksMemo && !FFillingRemarks) {
        FEditor->SetRemarks(node, MemoLines(*RemarksMemo));
    }
}
