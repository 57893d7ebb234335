#pragma once

#include "data/Messages.h"
#include "data/PrintConf.h"
#include "print/Printers.h"
#include "print/SheetBuilder.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QPrinter;
class QTimer;
class QLabel;
class QMenu;
class QPushButton;
class QSpinBox;
class QToolBar;
class QToolButton;
class TPrintPreview;

// The two sheet builders the dialog calls; tests give their own.
struct TSheetBuilders {
    std::function<void(TPageRecorder&, const TSheetSource&, const TPData& pupil,
                       const TPData& schoolClass, const TSheetOptions&)>
        Pupil;
    std::function<void(TPageRecorder&, const TSheetSource&, const TSheetOptions&)> Class;

    // The program's own sheets (print/SheetBuilder.h).
    static TSheetBuilders Sheets();
};

// "Imprimer": the sheet of the selected pupil or class in a live preview,
// rebuilt at every change of the font or the page set-up, printed on the
// current printer or written to a PDF file. The settings come from the
// print settings record when the dialog opens and go back when it closes.
class TPrintDlg : public QDialog {
    Q_OBJECT

public:
    TPrintDlg(TPrintConf& conf, const TSheetSource& source, TSheetBuilders builders,
              TPrinters printers, TMessageSink messages, QWidget* parent = nullptr);
    ~TPrintDlg() override;

    // Asks where to write a PDF, given a suggested file name; empty to give up.
    using TFileChooser = std::function<QString(QWidget* parent, const QString& suggested)>;
    void SetFileChooser(TFileChooser chooser) { FChooseFile = std::move(chooser); }
    // Lets the user choose the printer, the copies and the pages on a
    // printer set up for the job (the system's print dialog); false when
    // cancelled.
    using TPrintChooser = std::function<bool(QWidget* parent, QPrinter& printer, int pageCount)>;
    void SetPrintChooser(TPrintChooser chooser) { FChoosePrint = std::move(chooser); }
    // The print job's name: "Fiche de Martin Léa", "Classe CM1".
    QString JobTitle() const;

    TPrintPreview& Preview() const { return *PrintPreview; }
    TSheetOptions Options() const;
    QString PagesText() const;

    void RebuildPreview();
    void ZoomComboChange(int index);
    void PrintBtnClick();
    void ExportPdf();
    void ExportPupilsPdf();
    void PageBtnClick(int step);

    void done(int result) override;

private:
    void BuildToolBar();
    QWidget* BuildPageSetupPanel();
    QWidget* BuildBottomBar();
    QToolButton* AddCheckButton(const char* name, const QString& hint, const QString& icon);
    QSpinBox* NewUpDown(const char* name, int maximum, int step);

    void FormCreate();
    void FormClose();
    void ApplyFont();
    void FontNameChanged();
    void UpdatePagesPanel();
    void SetAccessibleNames();
    bool IsPupil() const;
    QString AskPdfPath(const QString& suggested);
    void WritePdf(const std::vector<const QPicture*>& pages, const QString& path);

    TPrintConf& FConf;
    const TSheetSource& FSource;
    TSheetBuilders FBuilders;
    TMessageSink FMessages;
    TFileChooser FChooseFile;
    TPrintChooser FChoosePrint;
    // A face name being typed is applied once the typing pauses.
    QTimer* FFontNameTimer = nullptr;
    QString FFontName;
    int FFontSize = 0;
    TFontStyles FFontStyle;
    bool FCreating = true;
    bool FRebuildPending = false;

    QToolBar* ToolBar = nullptr;
    QComboBox* FontNameCombo = nullptr;
    QSpinBox* FontSizeUpDown = nullptr;
    QToolButton* BoldToolBtn = nullptr;
    QToolButton* ItalicToolBtn = nullptr;
    QToolButton* TitleToolBtn = nullptr;
    QToolButton* RemarksToolBtn = nullptr;
    QComboBox* ZoomCombo = nullptr;
    QToolButton* PageSetupToolBtn = nullptr;
    QWidget* PageSetupPnl = nullptr;
    QSpinBox* RowHeightUpDown = nullptr;
    QSpinBox* LeftMarginUpDown = nullptr;
    QSpinBox* MarkColWidthUpDown = nullptr;
    QSpinBox* ColWidthUpDown = nullptr;
    TPrintPreview* PrintPreview = nullptr;
    QWidget* PagesPnl = nullptr;
    QLabel* PagesLbl = nullptr;
    QPushButton* PrevPageBtn = nullptr;
    QPushButton* NextpageBtn = nullptr;
    QPushButton* PrintBtn = nullptr;
    QPushButton* ExportPdfBtn = nullptr;
    QMenu* ExportMenu = nullptr;
    QPushButton* ExitBtn = nullptr;
};
