#include "print/PrintDlg.h"

#include "data/SafeFile.h"
#include "data/Workspace.h"
#include "print/PageReplay.h"
#include "print/PageStore.h"
#include "print/PrintPreview.h"
#include "print/SheetBuilder.h"
#include "print/SheetFont.h"
#include "print/SheetSource.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <exception>

namespace {

const int kZoomPercents[] = {10, 25, 50, 75, 100, 150, 200, 500};
constexpr int kPaperWidth = 2101;
constexpr int kPaperHeight = 2971;
constexpr int kPreviewMargins = 77;
constexpr int kMaxFaceLength = 32;

QString NoPrinterMessage() {
    return QStringLiteral("Aucune imprimante n'est installée : la fiche ne peut pas être "
                          "imprimée.\rElle peut être exportée en PDF.");
}

QString PrintAbortedMessage() {
    return QStringLiteral("L'impression a été interrompue.");
}

// A name for a file: what the system's file names cannot hold becomes "_".
QString FileNameOf(QString text) {
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    for (QChar& c : text) {
        if (forbidden.contains(c) || c.unicode() < 32)
            c = u'_';
    }
    text = text.simplified();
    return text.isEmpty() ? QStringLiteral("fiche") : text;
}

// How long a face name being typed waits before the preview follows it.
constexpr int kTypingPause = 400;

// The busy cursor while the sheets are recorded or printed.
class TBusyCursor {
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::BusyCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

bool SystemPrintDialog(QWidget* parent, QPrinter& printer, int pageCount) {
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("SystemPrintDialog"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, true);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setMinMax(1, pageCount);
    return dialog.exec() == QDialog::Accepted;
}

QString DefaultFileChooser(QWidget* parent, const QString& suggested) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Exporter en PDF"),
                                        QDir(folder).filePath(suggested),
                                        QStringLiteral("Documents PDF (*.pdf)"));
}

} // namespace

TSheetBuilders TSheetBuilders::Sheets() {
    TSheetBuilders builders;
    builders.Pupil = [](TPageRecorder& preview, const TSheetSource& source, const TPData& pupil,
                        const TPData& schoolClass, const TSheetOptions& options) {
        BuildPupilSheet(preview, source, pupil, schoolClass, options);
    };
    builders.Class = [](TPageRecorder& preview, const TSheetSource& source,
                        const TSheetOptions& options) {
        BuildClassSheet(preview, source, options);
    };
    return builders;
}

TPrintDlg::TPrintDlg(TPrintConf& conf, const TSheetSource& source, TSheetBuilders builders,
                     TPrinters printers, TMessageSink messages, QWidget* parent)
    : QDialog(parent)
    , FConf(conf)
    , FSource(source)
    , FBuilders(std::move(builders))
    , FMessages(std::move(messages))
    , FChooseFile(DefaultFileChooser)
    , FChoosePrint(SystemPrintDialog) {
    setObjectName(QStringLiteral("PrintDlg"));
    setWindowTitle(QStringLiteral("Imprimer"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    resize(633, 450);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildToolBar();
    layout->addWidget(ToolBar);
    layout->addWidget(BuildPageSetupPanel());
    PrintPreview = new TPrintPreview(this);
    PrintPreview->setFrameStyle(QFrame::NoFrame);
    PrintPreview->SetPaperWidth(kPaperWidth);
    PrintPreview->SetPaperHeight(kPaperHeight);
    PrintPreview->SetMarginLeft(kPreviewMargins);
    PrintPreview->SetMarginRight(kPreviewMargins);
    PrintPreview->SetMarginTop(kPreviewMargins);
    PrintPreview->SetMarginBottom(kPreviewMargins);
    PrintPreview->SetZoomState(TZoomState::zsZoomToWidth);
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(32);
    PrintPreview->SetFont(font);
    PrintPreview->SetPrinters(std::move(printers));
    layout->addWidget(PrintPreview, 1);
    layout->addWidget(BuildBottomBar());

    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

TPrintDlg::~TPrintDlg() = default;

QToolButton* TPrintDlg::AddCheckButton(const char* name, const QString& hint, const QString& icon) {
    auto* button = new QToolButton(ToolBar);
    button->setObjectName(QString::fromLatin1(name));
    button->setCheckable(true);
    button->setToolTip(hint);
    button->setIcon(QIcon(QStringLiteral(":/print/") + icon + QStringLiteral(".png")));
    button->setAccessibleName(hint);
    // Reached with Tab like every other control, and toggled with Space.
    button->setFocusPolicy(Qt::TabFocus);
    ToolBar->addWidget(button);
    return button;
}

QSpinBox* TPrintDlg::NewUpDown(const char* name, int maximum, int step) {
    const QString base = QString::fromLatin1(name);
    auto* upDown = new QSpinBox(this);
    upDown->setObjectName(base + QStringLiteral("UpDown"));
    // Driven by its arrows only, so the edit only ever holds a number.
    auto* edit = upDown->findChild<QLineEdit*>();
    edit->setObjectName(base + QStringLiteral("Edt"));
    edit->setReadOnly(true);
    upDown->setRange(0, maximum);
    upDown->setSingleStep(step);
    upDown->setGroupSeparatorShown(true);
    upDown->setLocale(QLocale(QLocale::French, QLocale::France));
    return upDown;
}

void TPrintDlg::BuildToolBar() {
    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setIconSize(QSize(16, 16));
    FontNameCombo = new QComboBox(ToolBar);
    FontNameCombo->setObjectName(QStringLiteral("FontNameCombo"));
    FontNameCombo->setEditable(true);
    FontNameCombo->setInsertPolicy(QComboBox::NoInsert);
    FontNameCombo->setMinimumContentsLength(18);
    FontNameCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // An empty face, as at the first start, draws in the default face.
    FontNameCombo->lineEdit()->setPlaceholderText(QStringLiteral("Police par défaut"));
    ToolBar->addWidget(FontNameCombo);
    FontSizeUpDown = NewUpDown("FontSize", 100, 1);
    ToolBar->addWidget(FontSizeUpDown);
    ToolBar->addSeparator();
    BoldToolBtn = AddCheckButton("BoldToolBtn", QStringLiteral("Gras"), QStringLiteral("bold"));
    ItalicToolBtn =
        AddCheckButton("ItalicToolBtn", QStringLiteral("Italique"), QStringLiteral("italic"));
    ToolBar->addSeparator();
    TitleToolBtn = AddCheckButton("TitleToolBtn", QStringLiteral("Imprimer le titre"),
                                  QStringLiteral("title"));
    RemarksToolBtn = AddCheckButton("RemarksToolBtn", QStringLiteral("Imprimer les remarques"),
                                    QStringLiteral("remarks"));
    ToolBar->addSeparator();
    ZoomCombo = new QComboBox(ToolBar);
    ZoomCombo->setObjectName(QStringLiteral("ZoomCombo"));
    ZoomCombo->addItems({QStringLiteral("Largeur page"), QStringLiteral("Hauteur page"),
                         QStringLiteral("Page entière")});
    for (int percent : kZoomPercents)
        ZoomCombo->addItem(QString::number(percent) + u'%');
    ZoomCombo->setMaxVisibleItems(11);
    ToolBar->addWidget(ZoomCombo);
    ToolBar->addSeparator();
    PageSetupToolBtn = AddCheckButton("PageSetupToolBtn", QStringLiteral("Mise en page"),
                                      QStringLiteral("pagesetup"));
}

QWidget* TPrintDlg::BuildPageSetupPanel() {
    PageSetupPnl = new QWidget(this);
    PageSetupPnl->setObjectName(QStringLiteral("PageSetupPnl"));
    auto* grid = new QGridLayout(PageSetupPnl);
    grid->setContentsMargins(8, 4, 8, 4);
    RowHeightUpDown = NewUpDown("RowHeight", 100, 1);
    LeftMarginUpDown = NewUpDown("LeftMargin", 10000, 20);
    MarkColWidthUpDown = NewUpDown("MarkColWidth", 100, 5);
    ColWidthUpDown = NewUpDown("ColWidth", 100, 5);
    struct TValue {
        QString Caption;
        QSpinBox* UpDown;
        int Row;
        int Column;
    };
    const TValue values[] = {
        {QStringLiteral("Interligne : "), RowHeightUpDown, 0, 0},
        {QStringLiteral("Marge gauche : "), LeftMarginUpDown, 1, 0},
        {QStringLiteral("Elargir la colonne 'Note' de : "), MarkColWidthUpDown, 0, 1},
        {QStringLiteral("Elargir les colonnes de : "), ColWidthUpDown, 1, 1},
    };
    for (const TValue& value : values) {
        const int column = value.Column * 4;
        grid->addWidget(new QLabel(value.Caption, PageSetupPnl), value.Row, column, Qt::AlignRight);
        grid->addWidget(value.UpDown, value.Row, column + 1);
        grid->addWidget(new QLabel(QStringLiteral(" pixels"), PageSetupPnl), value.Row, column + 2);
    }
    grid->setColumnMinimumWidth(3, 16);
    grid->setColumnStretch(7, 1);
    return PageSetupPnl;
}

QWidget* TPrintDlg::BuildBottomBar() {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("BottomPnl"));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 4, 6, 4);
    PrintBtn = new QPushButton(QStringLiteral("Imprimer"), bar);
    PrintBtn->setObjectName(QStringLiteral("PrintBtn"));
    ExportPdfBtn = new QPushButton(QStringLiteral("Exporter en PDF"), bar);
    ExportPdfBtn->setObjectName(QStringLiteral("ExportPdfBtn"));
    ExitBtn = new QPushButton(QStringLiteral("Fermer"), bar);
    ExitBtn->setObjectName(QStringLiteral("ExitBtn"));
    for (QPushButton* button : {PrintBtn, ExportPdfBtn, ExitBtn}) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    row->addStretch(1);
    PagesPnl = new QFrame(bar);
    PagesPnl->setObjectName(QStringLiteral("PagesPnl"));
    auto* pages = new QHBoxLayout(PagesPnl);
    pages->setContentsMargins(0, 0, 0, 0);
    PrevPageBtn = new QPushButton(QStringLiteral("<--"), PagesPnl);
    PrevPageBtn->setObjectName(QStringLiteral("PrevPageBtn"));
    PagesLbl = new QLabel(QStringLiteral("Page 1/1"), PagesPnl);
    PagesLbl->setObjectName(QStringLiteral("PagesLbl"));
    PagesLbl->setAlignment(Qt::AlignCenter);
    PagesLbl->setMinimumWidth(80);
    NextpageBtn = new QPushButton(QStringLiteral("-->"), PagesPnl);
    NextpageBtn->setObjectName(QStringLiteral("NextpageBtn"));
    for (QPushButton* button : {PrevPageBtn, NextpageBtn})
        button->setAutoDefault(false);
    pages->addWidget(PrevPageBtn);
    pages->addWidget(PagesLbl);
    pages->addWidget(NextpageBtn);
    row->addWidget(PagesPnl);
    return bar;
}

bool TPrintDlg::IsPupil() const {
    const TPData* record = FSource.SelectedRecord();
    return record && record->DataType() == TDataType::dtPupil;
}

void TPrintDlg::FormCreate() {
    QStringList faces;
    for (const QString& family : QFontDatabase::families())
        faces << family.left(kMaxFaceLength);
    faces.removeDuplicates();
    faces.sort(Qt::CaseInsensitive);
    FontNameCombo->addItems(faces);

    FFontName = FConf.FontName;
    FFontStyle = FConf.FontStyle;
    FontNameCombo->setEditText(FFontName);
    // A size stored outside the box's range is shown, drawn and stored back
    // as the nearest size the box can hold, not as three different values.
    FontSizeUpDown->setValue(FConf.FontSize);
    FFontSize = FontSizeUpDown->value();
    BoldToolBtn->setChecked(FFontStyle.testFlag(TFontStyle::Bold));
    ItalicToolBtn->setChecked(FFontStyle.testFlag(TFontStyle::Italic));
    RemarksToolBtn->setEnabled(IsPupil());
    TitleToolBtn->setChecked(FConf.DrawTitle > 0);
    RemarksToolBtn->setChecked(FConf.DrawRemarks > 0);
    ColWidthUpDown->setValue(FConf.ColWidth);
    MarkColWidthUpDown->setValue(FConf.MarkColWidth);
    RowHeightUpDown->setValue(FConf.RowHeight);
    LeftMarginUpDown->setValue(FConf.LeftMargin);
    ZoomCombo->setCurrentIndex(
        FConf.ZoomIndex >= 0 && FConf.ZoomIndex < ZoomCombo->count() ? FConf.ZoomIndex : -1);
    ZoomComboChange(ZoomCombo->currentIndex());
    ApplyFont();

    if (!IsPupil()) {
        ExportMenu = new QMenu(ExportPdfBtn);
        ExportMenu->setObjectName(QStringLiteral("ExportMenu"));
        QAction* classSheet = ExportMenu->addAction(QStringLiteral("La fiche de la classe..."));
        classSheet->setObjectName(QStringLiteral("ExportClassPdf"));
        connect(classSheet, &QAction::triggered, this, &TPrintDlg::ExportPdf);
        QAction* pupilSheets =
            ExportMenu->addAction(QStringLiteral("Les fiches de tous les élèves..."));
        pupilSheets->setObjectName(QStringLiteral("ExportPupilsPdf"));
        connect(pupilSheets, &QAction::triggered, this, &TPrintDlg::ExportPupilsPdf);
        ExportPdfBtn->setMenu(ExportMenu);
    } else {
        connect(ExportPdfBtn, &QPushButton::clicked, this, &TPrintDlg::ExportPdf);
    }

    // Typing a face name waits for a pause; a face picked from the list or
    // confirmed with Return is applied at once.
    FFontNameTimer = new QTimer(this);
    FFontNameTimer->setSingleShot(true);
    FFontNameTimer->setInterval(kTypingPause);
    connect(FFontNameTimer, &QTimer::timeout, this, &TPrintDlg::FontNameChanged);
    connect(FontNameCombo, &QComboBox::editTextChanged, FFontNameTimer,
            qOverload<>(&QTimer::start));
    connect(FontNameCombo, &QComboBox::activated, this, &TPrintDlg::FontNameChanged);
    connect(FontNameCombo->lineEdit(), &QLineEdit::returnPressed, this,
            &TPrintDlg::FontNameChanged);
    connect(FontSizeUpDown, &QSpinBox::valueChanged, this, [this](int value) {
        FFontSize = value;
        ApplyFont();
        RebuildPreview();
    });
    auto styleButton = [this](QToolButton* button, TFontStyle style) {
        connect(button, &QToolButton::toggled, this, [this, style](bool down) {
            FFontStyle.setFlag(style, down);
            ApplyFont();
            RebuildPreview();
        });
    };
    styleButton(BoldToolBtn, TFontStyle::Bold);
    styleButton(ItalicToolBtn, TFontStyle::Italic);
    for (QToolButton* button : {TitleToolBtn, RemarksToolBtn})
        connect(button, &QToolButton::toggled, this, &TPrintDlg::RebuildPreview);
    for (QSpinBox* upDown : {RowHeightUpDown, LeftMarginUpDown, MarkColWidthUpDown, ColWidthUpDown})
        connect(upDown, &QSpinBox::valueChanged, this, &TPrintDlg::RebuildPreview);
    connect(ZoomCombo, &QComboBox::currentIndexChanged, this, &TPrintDlg::ZoomComboChange);
    connect(PageSetupToolBtn, &QToolButton::toggled, PageSetupPnl, &QWidget::setVisible);
    connect(PrintBtn, &QPushButton::clicked, this, &TPrintDlg::PrintBtnClick);
    connect(ExitBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(PrevPageBtn, &QPushButton::clicked, this, [this] { PageBtnClick(-1); });
    connect(NextpageBtn, &QPushButton::clicked, this, [this] { PageBtnClick(1); });
    // The counter follows the preview's own paging keys too.
    connect(PrintPreview, &TPrintPreview::Changed, this, &TPrintDlg::UpdatePagesPanel);
    SetAccessibleNames();

    FCreating = false;
    RebuildPreview();
    PageSetupPnl->hide();
}

void TPrintDlg::SetAccessibleNames() {
    FontNameCombo->setAccessibleName(QStringLiteral("Police"));
    FontNameCombo->lineEdit()->setAccessibleName(QStringLiteral("Police"));
    FontSizeUpDown->setAccessibleName(QStringLiteral("Taille de la police"));
    ZoomCombo->setAccessibleName(QStringLiteral("Zoom"));
    RowHeightUpDown->setAccessibleName(QStringLiteral("Interligne, en pixels"));
    LeftMarginUpDown->setAccessibleName(QStringLiteral("Marge gauche, en pixels"));
    MarkColWidthUpDown->setAccessibleName(
        QStringLiteral("Elargir la colonne 'Note' de, en pixels"));
    ColWidthUpDown->setAccessibleName(QStringLiteral("Elargir les colonnes de, en pixels"));
    for (QSpinBox* upDown :
         {FontSizeUpDown, RowHeightUpDown, LeftMarginUpDown, MarkColWidthUpDown, ColWidthUpDown})
        upDown->findChild<QLineEdit*>()->setAccessibleName(upDown->accessibleName());
    PrintPreview->setAccessibleName(QStringLiteral("Aperçu de la fiche"));
    PrevPageBtn->setAccessibleName(QStringLiteral("Page précédente"));
    NextpageBtn->setAccessibleName(QStringLiteral("Page suivante"));
    PagesLbl->setAccessibleName(QStringLiteral("Page affichée"));
    PrintBtn->setAccessibleName(QStringLiteral("Imprimer"));
    ExportPdfBtn->setAccessibleName(QStringLiteral("Exporter en PDF"));
    ExitBtn->setAccessibleName(QStringLiteral("Fermer"));
    ToolBar->setAccessibleName(QStringLiteral("Police et mise en page"));
    PageSetupPnl->setAccessibleName(QStringLiteral("Mise en page"));
}

void TPrintDlg::FontNameChanged() {
    FFontNameTimer->stop();
    const QString text = FontNameCombo->currentText();
    if (text == FFontName)
        return;
    FFontName = text;
    ApplyFont();
    RebuildPreview();
}

void TPrintDlg::ApplyFont() {
    PrintPreview->SetFont(SheetFont(FFontName, FFontSize, FFontStyle));
}

TSheetOptions TPrintDlg::Options() const {
    TSheetOptions options;
    options.DrawTitle = TitleToolBtn->isChecked();
    options.DrawRemarks = RemarksToolBtn->isEnabled() && RemarksToolBtn->isChecked();
    options.LeftMargin = LeftMarginUpDown->value();
    options.ColWidth = ColWidthUpDown->value();
    options.MarkColWidth = MarkColWidthUpDown->value();
    options.RowHeight = RowHeightUpDown->value();
    return options;
}

void TPrintDlg::RebuildPreview() {
    if (FCreating)
        return;
    // The pages of a print run stay as they are until it ends.
    if (PrintPreview->State() == TPageStore::TState::Printing) {
        FRebuildPending = true;
        return;
    }
    FRebuildPending = false;
    const int page = PrintPreview->CurrentPage();
    const TBusyCursor busy;
    try {
        const TPData* record = FSource.SelectedRecord();
        const TPData* schoolClass = FSource.SelectedClass();
        if (record && record->DataType() == TDataType::dtPupil) {
            if (schoolClass && FBuilders.Pupil)
                FBuilders.Pupil(*PrintPreview, FSource, *record, *schoolClass, Options());
        } else if (record && FBuilders.Class) {
            FBuilders.Class(*PrintPreview, FSource, Options());
        }
    } catch (const std::exception& error) {
        FMessages(QString::fromUtf8(error.what()));
    }
    PrintPreview->SetCurrentPage(page);
    UpdatePagesPanel();
    // The preview takes the keyboard, except from the font box, where a
    // face name may still be being typed.
    if (!FontNameCombo->isAncestorOf(QApplication::focusWidget()) &&
        QApplication::focusWidget() != FontNameCombo)
        PrintPreview->setFocus();
}

void TPrintDlg::UpdatePagesPanel() {
    PagesLbl->setText(QStringLiteral("Page %1/%2")
                          .arg(PrintPreview->CurrentPage())
                          .arg(PrintPreview->TotalPages()));
    PagesPnl->setVisible(PrintPreview->TotalPages() >= 2);
    ExportPdfBtn->setEnabled(PrintPreview->TotalPages() > 0);
}

QString TPrintDlg::PagesText() const {
    return PagesLbl->text();
}

void TPrintDlg::PageBtnClick(int step) {
    PrintPreview->SetCurrentPage(PrintPreview->CurrentPage() + step);
    UpdatePagesPanel();
}

void TPrintDlg::ZoomComboChange(int index) {
    switch (index) {
    case 0:
        PrintPreview->SetZoomState(TZoomState::zsZoomToWidth);
        break;
    case 1:
        PrintPreview->SetZoomState(TZoomState::zsZoomToHeight);
        break;
    default:
        if (index >= 3 && index < 3 + int(std::size(kZoomPercents)))
            PrintPreview->SetZoom(kZoomPercents[index - 3]);
        else
            PrintPreview->SetZoomState(TZoomState::zsZoomToFit);
        break;
    }
}

void TPrintDlg::PrintBtnClick() {
    if (!PrintPreview->PrinterInstalled()) {
        FMessages(NoPrinterMessage());
        return;
    }
    const int total = PrintPreview->TotalPages();
    if (total == 0)
        return;
    const QString title = JobTitle();
    PrintPreview->SetPrintJobTitle(title);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(PrintPreview->PrinterName());
    printer.setDocName(title);
    printer.setPageSize(PrintPreview->PrinterPaper());
    if (!FChoosePrint || !FChoosePrint(this, printer, total))
        return;
    printer.setDocName(title);
    int first = 1;
    int last = total;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage();
        last = printer.toPage() > 0 ? printer.toPage() : total;
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        first = last = PrintPreview->CurrentPage();
    }
    {
        const TBusyCursor busy;
        PrintPreview->PrintPages(printer, first, last);
    }
    if (PrintPreview->Aborted())
        FMessages(PrintAbortedMessage());
    if (FRebuildPending)
        RebuildPreview();
}

QString TPrintDlg::JobTitle() const {
    const TPData* record = FSource.SelectedRecord();
    if (!record)
        return {};
    if (record->DataType() == TDataType::dtPupil)
        return QStringLiteral("Fiche de ") + PupilCaption(*record);
    return QStringLiteral("Classe ") + record->ClassName();
}

QString TPrintDlg::AskPdfPath(const QString& suggested) {
    QString path =
        FChooseFile ? FChooseFile(this, FileNameOf(suggested) + QStringLiteral(".pdf")) : QString();
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    return path;
}

void TPrintDlg::WritePdf(const std::vector<const QPicture*>& pages, const QString& path) {
    const std::optional<QByteArray> pdf =
        PagesToPdf(pages, QSize(PrintPreview->PaperWidth(), PrintPreview->PaperHeight()),
                   QFileInfo(path).completeBaseName());
    if (!pdf) {
        FMessages(CreateFileError(path));
        return;
    }
    if (const std::optional<QString> error = WriteWholeFile(path, *pdf))
        FMessages(*error);
}

void TPrintDlg::ExportPdf() {
    const TPData* record = FSource.SelectedRecord();
    if (!record || PrintPreview->TotalPages() == 0)
        return;
    const QString path = AskPdfPath(record->DataType() == TDataType::dtPupil ? PupilCaption(*record)
                                                                             : record->ClassName());
    if (path.isEmpty())
        return;
    std::vector<const QPicture*> pages;
    for (int page = 1; page <= PrintPreview->TotalPages(); ++page)
        pages.push_back(PrintPreview->Store().Page(page));
    const TBusyCursor busy;
    WritePdf(pages, path);
}

void TPrintDlg::ExportPupilsPdf() {
    const TPData* schoolClass = FSource.SelectedClass();
    if (!schoolClass || !FBuilders.Pupil)
        return;
    const std::vector<const TPData*> pupils = FSource.ClassPupils();
    if (pupils.empty()) {
        FMessages(QStringLiteral("La classe n'a aucun élève."));
        return;
    }
    const QString path = AskPdfPath(schoolClass->ClassName() + QStringLiteral(" - élèves"));
    if (path.isEmpty())
        return;
    // Each pupil's sheet is recorded apart with the dialog's settings, so
    // each starts on a new page; the pages are then written one after another.
    TSheetOptions options = Options();
    options.DrawRemarks = RemarksToolBtn->isChecked();
    const TPageStore& preview = PrintPreview->Store();
    std::vector<std::unique_ptr<TPageStore>> sheets;
    std::vector<const QPicture*> pages;
    // One step a pupil and one for writing the file; nothing is written
    // until every sheet is recorded, so a cancelled export leaves no file.
    const int steps = int(pupils.size()) + 1;
    QProgressDialog progress(QStringLiteral("Préparation des fiches des élèves..."),
                             QStringLiteral("Annuler"), 0, steps, this);
    progress.setObjectName(QStringLiteral("ExportProgress"));
    progress.setWindowTitle(QStringLiteral("Exporter en PDF"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    const TBusyCursor busy;
    try {
        for (const TPData* pupil : pupils) {
            progress.setValue(int(sheets.size()));
            if (progress.wasCanceled())
                return;
            auto sheet = std::make_unique<TPageStore>();
            sheet->SetPaperWidth(preview.PaperWidth());
            sheet->SetPaperHeight(preview.PaperHeight());
            sheet->SetMarginLeft(preview.MarginLeft());
            sheet->SetMarginTop(preview.MarginTop());
            sheet->SetMarginRight(preview.MarginRight());
            sheet->SetMarginBottom(preview.MarginBottom());
            sheet->SetFont(preview.Font());
            FBuilders.Pupil(*sheet, FSource, *pupil, *schoolClass, options);
            for (int page = 1; page <= sheet->TotalPages(); ++page)
                pages.push_back(sheet->Page(page));
            sheets.push_back(std::move(sheet));
        }
    } catch (const std::exception& error) {
        FMessages(QString::fromUtf8(error.what()));
        return;
    }
    progress.setLabelText(QStringLiteral("Écriture du document PDF..."));
    progress.setValue(steps - 1);
    if (progress.wasCanceled())
        return;
    WritePdf(pages, path);
    progress.setValue(steps);
}

void TPrintDlg::FormClose() {
    FConf.FontName = FFontName;
    FConf.FontSize = FFontSize;
    FConf.FontStyle = FFontStyle;
    FConf.DrawTitle = TitleToolBtn->isChecked() ? 1 : 0;
    FConf.DrawRemarks = RemarksToolBtn->isChecked() ? 1 : 0;
    FConf.ColWidth = ColWidthUpDown->value();
    FConf.MarkColWidth = MarkColWidthUpDown->value();
    FConf.RowHeight = RowHeightUpDown->value();
    FConf.LeftMargin = LeftMarginUpDown->value();
    FConf.ZoomIndex = ZoomCombo->currentIndex();
}

void TPrintDlg::done(int result) {
    FormClose();
    QDialog::done(result);
}
