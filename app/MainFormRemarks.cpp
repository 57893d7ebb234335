// The remarks box's helpers: French spelling and the bank of ready remarks.

#include "app/MainForm.h"

#include "app/HandlerGuard.h"
#include "app/MessageBoxes.h"
#include "app/RemarksBankDlg.h"
#include "app/help/HelpBrowser.h"
#include "data/SafeFile.h"
#include "data/SubjectLine.h"
#include "data/Utf8Text.h"
#include "widgets/SpellHighlighter.h"
#include "workspace/WorkspaceModel.h"

#include <QAction>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

namespace {

const QString kBankFile = QStringLiteral("appreciations.txt");
const QString kWordListFile = QStringLiteral("dictionnaire.txt");

} // namespace

QWidget* TMainForm::BuildRemarksHeader(QWidget* panel) {
    auto* header = new QWidget(panel);
    header->setObjectName(QStringLiteral("RemarksHeaderPnl"));
    RemarksBankBtn = new QPushButton(QStringLiteral("Appréciations..."), header);
    RemarksBankBtn->setObjectName(QStringLiteral("RemarksBankBtn"));
    RemarksBankBtn->setToolTip(QStringLiteral("Insérer une appréciation toute prête (F7)"));
    RemarksBankBtn->setFocusPolicy(Qt::TabFocus);
    RemarksBankBtn->setEnabled(false);
    auto* layout = new QHBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RemarksLbl, 1);
    layout->addWidget(RemarksBankBtn);

    EditRemarksBank = NewAction("EditRemarksBank", QStringLiteral("A&ppréciations..."));
    EditRemarksBank->setShortcut(QKeySequence(Qt::Key_F7));
    EditRemarksBank->setEnabled(false);
    connect(EditRemarksBank, &QAction::triggered, this,
            Guarded(&TMainForm::EditRemarksBankExecute));
    connect(RemarksBankBtn, &QPushButton::clicked, EditRemarksBank, &QAction::trigger);

    AttachSpelling(RemarksMemo, FSpelling.get(),
                   [this](const QString& text) { ShowMessage(MessageParent(), text); });
    // The grid stands above the remarks: made by now.
    BuildGridCommentCommand();
    return header;
}

void TMainForm::StartSpelling() {
    // "A propos" says whether the spelling is checked.
    auto tellHelp = [this] {
        THelpBrowser::SetProgramText(QStringLiteral("spelling"), SpellingStatus());
    };
    connect(FSpelling.get(), &TSpelling::Changed, this, tellHelp);
    FSpelling->Open(FindFrenchDictionary(FEnvironment.DictionaryFolders),
                    FEnvironment.FilePath(kWordListFile));
    tellHelp();
}

QString TMainForm::SpellingStatus() const {
    return FSpelling->StatusText();
}

void TMainForm::UpdateRemarksTools(const TPData* record, bool subjectsKnown) {
    const bool pupil = record && record->IsPupil();
    EditRemarksBank->setEnabled(pupil);
    RemarksBankBtn->setEnabled(pupil);
    // The class's own words: its pupils' names and its subjects.
    QStringList words;
    if (const TClassNode* schoolClass = record ? FModel->ClassAt(SelectedNode()) : nullptr) {
        for (const auto& node : schoolClass->Pupils) {
            if (node->Data)
                words << node->Data->Surname() << node->Data->Name();
        }
        if (schoolClass->Data && subjectsKnown) {
            for (const QString& line : schoolClass->Data->Lines())
                words << ParseSubjectLine(line).Name;
        }
    }
    FSpelling->SetContextWords(words);
}

// The teacher's bank as the file holds it. The first time, the file is made
// with the bank the program comes with; a damaged file is kept aside under
// another name, said, and written again with what could be read of it.
std::optional<TRemarksBank> TMainForm::ReadRemarksBankFile() {
    const QString path = FEnvironment.FilePath(kBankFile);
    if (!QFileInfo::exists(path)) {
        TRemarksBank bank = BuiltInRemarksBank();
        if (auto error = WriteWholeFile(path, EncodeRemarksBank(bank)))
            ShowMessage(this, *error);
        return bank;
    }
    const auto bytes = ReadFileHead(path, MaxRemarksBankBytes);
    if (!bytes) {
        ShowMessage(this, OpenFileError(path));
        return std::nullopt;
    }
    TBankRead read = ReadRemarksBank(*bytes);
    if (read.Damaged()) {
        const TCopyResult copy = KeepCopyOf(path);
        if (copy.Error) {
            // Without a copy, the file is not written over.
            ShowMessage(this, QStringLiteral("Le fichier d'appréciations '%1' est abîmé (%2) et "
                                             "aucune copie n'a pu en être faite :\r%3")
                                  .arg(path, read.Damage, *copy.Error));
            return std::nullopt;
        }
        ShowMessage(this, QStringLiteral("Le fichier d'appréciations '%1' est abîmé (%2).\rUne "
                                         "copie en est gardée sous '%3' ; les appréciations qui "
                                         "ont pu être lues sont réenregistrées.")
                              .arg(path, read.Damage, copy.CopyPath));
        if (auto error = WriteWholeFile(path, EncodeRemarksBank(read.Bank)))
            ShowMessage(this, *error);
    }
    return std::move(read.Bank);
}

void TMainForm::EditRemarksBankExecute() {
    TPData* record = SelectedData();
    if (!record || !record->IsPupil())
        return;
    const std::optional<TRemarksBank> bank = ReadRemarksBankFile();
    if (!bank)
        return;
    TRemarksBankDlg dialog(*bank, {record->Surname(), record->Name(), record->Sexe()}, this);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    if (dialog.Changed()) {
        if (auto error =
                WriteWholeFile(FEnvironment.FilePath(kBankFile), EncodeRemarksBank(dialog.Bank())))
            ShowMessage(this, *error);
    }
    if (!chosen || dialog.ChosenRemark().isEmpty())
        return;
    // At the cursor, a blank apart from the word before it.
    QTextCursor cursor = RemarksMemo->textCursor();
    QString text = dialog.ChosenRemark();
    const QString before = cursor.block().text().left(cursor.positionInBlock());
    if (!before.isEmpty() && !before.back().isSpace())
        text.prepend(u' ');
    cursor.insertText(text);
    RemarksMemo->setTextCursor(cursor);
    RemarksMemo->setFocus();
}
