#pragma once

#include "data/ColHints.h"
#include "data/PData.h"
#include "data/RegionalSettings.h"
#include "print/PageRecorder.h"
#include "print/SheetCanvas.h"
#include "print/SheetSource.h"

#include <QHash>
#include <QPainter>
#include <QPicture>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

// A page store on the print dialog's paper: 2101 x 2971, margins 77, the
// left one never below 60; pages are pictures recorded in page units.
class TPictureRecorder final : public TPageRecorder {
public:
    int PaperWidth() const override { return 2101; }
    int PaperHeight() const override { return 2971; }
    int MarginLeft() const override { return Left; }
    void SetMarginLeft(int value) override { Left = std::max(value, 60); }
    int MarginRight() const override { return 77; }
    int MarginTop() const override { return 77; }
    int MarginBottom() const override { return 77; }
    QRect PageBounds() const override {
        return SheetRect(Left, 77, PaperWidth() - 77, PaperHeight() - 77);
    }
    void BeginDoc() override {
        Pages.clear();
        Open();
    }
    void NewPage() override {
        Painter.end();
        Open();
    }
    void EndDoc() override { Painter.end(); }
    QPainter* Canvas() override { return Painter.isActive() ? &Painter : nullptr; }
    QFont Font() const override { return PageFont; }

    std::vector<std::unique_ptr<QPicture>> Pages;
    QFont PageFont = [] {
        QFont font(u"DejaVu Sans"_s);
        font.setPixelSize(32);
        return font;
    }();

private:
    void Open() {
        Pages.push_back(std::make_unique<QPicture>());
        Painter.begin(Pages.back().get());
        Painter.setFont(Font());
    }

    int Left = 77;
    QPainter Painter;
};

// Texts 10 units wide per character and 30 high unless told otherwise; what
// is drawn is logged as "p<page> T(x,y) "text" [left,top right,bottom]",
// "p<page> L(x1,y1 x2,y2)" and "p<page> P[left,top right,bottom]".
class TLogCanvas final : public TSheetCanvas {
public:
    explicit TLogCanvas(const TPictureRecorder& recorder)
        : Recorder(recorder) {}

    int TextWidth(const QString& text) override {
        if (const auto whole = Widths.find(text); whole != Widths.end())
            return whole.value();
        int width = 0;
        for (QChar c : text)
            width += CharWidths.value(c, 10);
        return width;
    }
    int TextHeight(const QString&) override { return Height; }
    void DrawText(QPoint at, const QRect& cell, const QString& text) override {
        Log << Page() + u" T(%1,%2) \"%3\" "_s.arg(at.x()).arg(at.y()).arg(text) + Box(cell);
    }
    void DrawLine(QPoint from, QPoint to) override {
        Log << Page() + u" L(%1,%2 %3,%4)"_s.arg(from.x()).arg(from.y()).arg(to.x()).arg(to.y());
    }
    void DrawPicture(const QRect& target, const QImage&) override {
        Log << Page() + u" P"_s + Box(target);
    }

    QHash<QString, int> Widths{{u" X "_s, 30}, {u"00.00"_s, 60}, {u"Note"_s, 48}};
    QHash<QChar, int> CharWidths{{u'W', 2000}, {u'i', 3}};
    int Height = 30;
    QStringList Log;

private:
    QString Page() const { return u'p' + QString::number(Recorder.Pages.size()); }
    static QString Box(const QRect& r) {
        return u"[%1,%2 %3,%4]"_s.arg(r.left())
            .arg(r.top())
            .arg(r.left() + r.width())
            .arg(r.top() + r.height());
    }

    const TPictureRecorder& Recorder;
};

// The real page font's measures, with what is drawn kept as it is placed.
class TMeasuredLog final : public TSheetCanvas {
public:
    struct TText {
        QPoint At;
        QRect Cell;
        QString Text;
        int Width = 0;
    };

    explicit TMeasuredLog(TSheetCanvas& measure)
        : Measure(measure) {}

    int TextWidth(const QString& text) override {
        const int width = Measure.TextWidth(text);
        Widths.insert(text, width);
        return width;
    }
    int TextHeight(const QString& text) override { return Measure.TextHeight(text); }
    void DrawText(QPoint at, const QRect& cell, const QString& text) override {
        Texts.push_back({at, cell, text, Measure.TextWidth(text)});
    }
    void DrawLine(QPoint from, QPoint to) override { Lines.push_back({from, to}); }
    void DrawPicture(const QRect&, const QImage&) override {}

    QHash<QString, int> Widths;
    QList<TText> Texts;
    QList<std::pair<QPoint, QPoint>> Lines;

private:
    TSheetCanvas& Measure;
};

// The main window's side of a sheet: one class and one pupil of it.
class TFakeSource final : public TSheetSource {
public:
    TFakeSource() { SchoolClass.SetClassName(u"CE1"_s); }

    const TPData* SelectedRecord() const override { return ClassSelected ? &SchoolClass : &Pupil; }
    const TPData* SelectedClass() const override { return &SchoolClass; }
    std::vector<const TPData*> ClassPupils() const override { return {&Pupil}; }
    QString GridText(int column, int row) const override {
        const auto found = Grid.find({column, row});
        return found == Grid.end() ? QString() : found->second;
    }
    QString StatusText(int panel) const override {
        return panel == 2 ? u"4 élèves"_s : u"2 matières"_s;
    }
    const TColHints& ColumnHints() const override { return DefaultColHints(); }
    QImage CrossPicture() const override { return Cross; }
    QDate Today() const override { return QDate(2026, 12, 8); }
    const TRegionalSettings& Regional() const override { return Settings; }

    bool ClassSelected = false;
    TPData SchoolClass{TDataType::dtClass};
    TPData Pupil{TDataType::dtPupil};
    std::map<std::pair<int, int>, QString> Grid;
    QImage Cross{u":/widgets/cross.xpm"_s};
    TRegionalSettings Settings =
        TRegionalSettings::FromLocale(QLocale(QLocale::French, QLocale::France));
};
