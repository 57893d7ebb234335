#include "print/PageStore.h"

#include <stdexcept>

QString NewPageError() {
    return QStringLiteral("Not enough memory to create a new page");
}

TPageStore::TPageStore() {
    FFont.setFamily(QStringLiteral("Arial"));
    FFont.setPixelSize(20);
}

TPageStore::~TPageStore() {
    if (FOpenPainter)
        FOpenPainter->end();
}

bool TPageStore::SetPaperWidth(int value) {
    if (value == FPaperWidth)
        return false;
    FPaperWidth = value;
    return true;
}

bool TPageStore::SetPaperHeight(int value) {
    if (value == FPaperHeight)
        return false;
    FPaperHeight = value;
    return true;
}

void TPageStore::SetMargin(int index, int value) {
    FMargins[index] = std::max(value, FMinMargin);
}

void TPageStore::SetMargins(int value) {
    for (int index = 0; index < 4; ++index)
        SetMargin(index, value);
}

QRect TPageStore::PageBounds() const {
    return QRect(QPoint(MarginLeft(), MarginTop()),
                 QPoint(FPaperWidth - MarginRight(), FPaperHeight - MarginBottom()));
}

void TPageStore::SetUnits(TUnits units, int resolution) {
    if (units == FUnits)
        return;
    auto convert = [&](int value) {
        return PixelsToUnits(UnitsToPixels(value, FUnits, resolution), units, resolution);
    };
    FMinMargin = convert(FMinMargin);
    for (int& margin : FMargins)
        margin = convert(margin);
    FPaperWidth = convert(FPaperWidth);
    FPaperHeight = convert(FPaperHeight);
    if (FFont.pixelSize() > 0)
        FFont.setPixelSize(std::max(1, convert(FFont.pixelSize())));
    FUnits = units;
}

std::unique_ptr<QPicture> TPageStore::CreatePicture() {
    return std::make_unique<QPicture>();
}

void TPageStore::OpenPage() {
    FOpenPicture = CreatePicture();
    if (FOpenPicture) {
        FOpenPicture->setBoundingRect(QRect(0, 0, FPaperWidth, FPaperHeight));
        FOpenPainter = std::make_unique<QPainter>();
        if (FOpenPainter->begin(FOpenPicture.get())) {
            FOpenPainter->setFont(FFont);
            FOpenPainter->setPen(QPen(Qt::black, 1));
            return;
        }
    }
    // The document cannot go on: the store is left idle with the pages it
    // has, so that the next build starts afresh.
    FOpenPainter.reset();
    FOpenPicture.reset();
    FState = TState::Idle;
    Changed();
    throw std::runtime_error(NewPageError().toStdString());
}

void TPageStore::ClosePage() {
    if (!FOpenPainter)
        return;
    FOpenPainter->end();
    FOpenPainter.reset();
    std::unique_ptr<QPicture> picture = std::move(FOpenPicture);
    if (!picture) {
        FState = TState::Idle;
        Changed();
        throw std::runtime_error(NewPageError().toStdString());
    }
    FPages.push_back(std::move(picture));
    Changed();
}

void TPageStore::BeginDoc() {
    if (FState != TState::Idle)
        return;
    Clear();
    FState = TState::Recording;
    NewPage();
}

void TPageStore::NewPage() {
    if (FState != TState::Recording)
        return;
    ClosePage();
    OpenPage();
}

void TPageStore::EndDoc() {
    if (FState != TState::Recording)
        return;
    ClosePage();
    FState = TState::Idle;
    Changed();
}

bool TPageStore::Clear() {
    if (FState == TState::Printing)
        return false;
    if (FOpenPainter)
        FOpenPainter->end();
    FOpenPainter.reset();
    FOpenPicture.reset();
    FPages.clear();
    FState = TState::Idle;
    Changed();
    return true;
}

QPainter* TPageStore::Canvas() {
    return FOpenPainter.get();
}

bool TPageStore::BeginPrinting() {
    if (FState != TState::Idle)
        return false;
    FState = TState::Printing;
    return true;
}

void TPageStore::EndPrinting() {
    if (FState == TState::Printing)
        FState = TState::Idle;
}

const QPicture* TPageStore::Page(int number) const {
    if (number < 1 || number > TotalPages())
        return nullptr;
    return FPages[std::size_t(number - 1)].get();
}

void TPageStore::Changed() {
    if (OnChange)
        OnChange();
}
