#include "app/StatisticsForm.h"

#include "app/HandlerGuard.h"
#include "app/MessageBoxes.h"
#include "data/SafeFile.h"
#include "widgets/StatisticsChart.h"
#include "workspace/WorkspaceModel.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <cmath>

namespace {

QPushButton* NewButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

TStatisticsForm::TStatisticsForm(TStatisticsContext context, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , FContext(std::move(context))
    , FChart(new TStatisticsChart) {
    setObjectName(QStringLiteral("StatisticsForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    FChart->setObjectName(QStringLiteral("StatisticsChart"));
    FChart->SetColHints(FContext.ColHints);
    FChart->SetDecimalSeparator(FContext.DecimalSeparator);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("ChartScroll"));
    scroll->setWidgetResizable(true);
    scroll->setWidget(FChart);
    scroll->setBackgroundRole(QPalette::Base);
    auto* copy = NewButton("CopyBtn", QStringLiteral("&Copier l'image"), this);
    auto* save = NewButton("SaveBtn", QStringLiteral("&Enregistrer..."), this);
    auto* close = NewButton("CloseBtn", QStringLiteral("&Fermer"), this);
    connect(copy, &QPushButton::clicked, this,
            [this] { RunGuarded(this, [this] { CopyExecute(); }); });
    connect(save, &QPushButton::clicked, this,
            [this] { RunGuarded(this, [this] { SaveExecute(); }); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy);
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);

    const TWorkspaceModel* model = FContext.Model;
    auto refresh = [this] {
        Refresh();
    };
    connect(model, &QAbstractItemModel::dataChanged, this, refresh);
    connect(model, &QAbstractItemModel::rowsInserted, this, refresh);
    connect(model, &QAbstractItemModel::rowsRemoved, this, refresh);
    connect(model, &QAbstractItemModel::modelReset, this, refresh);
    connect(model, &QAbstractItemModel::layoutChanged, this, refresh);
}

void TStatisticsForm::SetClass(const QModelIndex& schoolClass) {
    FClass = schoolClass;
    Refresh();
    if (!isVisible())
        resize(FChart->sizeHint().width() + 40, std::min(FChart->ChartHeight() + 80, 600));
}

void TStatisticsForm::Refresh() {
    const TClassNode* schoolClass = FClass.isValid() ? FContext.Model->ClassAt(FClass) : nullptr;
    if (!schoolClass || !schoolClass->Data) {
        // The class is gone (deleted, or the workspace freed): so is its chart.
        FChart->SetStatistics(QString(), {});
        close();
        return;
    }
    setWindowTitle(QStringLiteral("Statistiques de la classe - ") + schoolClass->Text);
    FChart->SetStatistics(schoolClass->Text + QStringLiteral(" : %1 élève%2")
                                                  .arg(schoolClass->Pupils.size())
                                                  .arg(schoolClass->Pupils.size() > 1
                                                           ? QStringLiteral("s")
                                                           : QString()),
                          ClassStatistics(*schoolClass));
}

void TStatisticsForm::CopyExecute() {
    QApplication::clipboard()->setImage(FChart->ToImage());
}

void TStatisticsForm::SaveExecute() {
    if (!FContext.ChooseSaveFile)
        return;
    QString path =
        FContext.ChooseSaveFile(this, QStringLiteral("Enregistrer les statistiques"),
                                QStringLiteral("Image PNG (*.png);;Document PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) &&
        !path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        path += QStringLiteral(".png");
    if (const auto error = SaveTo(path))
        ShowMessage(this, *error);
}

std::optional<QString> TStatisticsForm::SaveTo(const QString& path) const {
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        if (!FChart->ToImage().save(path, "PNG"))
            return CreateFileError(path);
        return std::nullopt;
    }
    QPdfWriter writer(path);
    writer.setResolution(96);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    writer.setTitle(windowTitle());
    QPainter painter;
    if (!painter.begin(&writer))
        return CreateFileError(path);
    painter.setFont(FChart->font());
    // Page after page, each showing the next slice of the chart.
    const QRect page =
        writer.pageLayout()
            .paintRectPixels(writer.resolution())
            .translated(-writer.pageLayout().paintRectPixels(writer.resolution()).topLeft());
    const int height = FChart->ChartHeight();
    const int pages = std::max(1, int(std::ceil(double(height) / page.height())));
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.setClipRect(page);
        painter.translate(0, -i * page.height());
        FChart->Render(painter, QRect(0, 0, page.width(), height));
        painter.restore();
    }
    if (!painter.end())
        return CreateFileError(path);
    return std::nullopt;
}
