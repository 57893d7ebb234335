#include "app/StatusBar.h"

#include <QLabel>

TStatusBar::TStatusBar(const std::vector<int>& widths, QWidget* parent)
    : QStatusBar(parent)
    , FWidths(widths) {
    setSizeGripEnabled(false);
    for (std::size_t i = 0; i < widths.size(); ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setIndent(2);
        FPanels.push_back(panel);
    }
    setMinimumHeight(FPanels.empty() ? 0 : FPanels.front()->sizeHint().height() + 4);
    PlacePanels();
}

QString TStatusBar::PanelText(int panel) const {
    return FPanels.at(std::size_t(panel))->text();
}

void TStatusBar::SetPanelText(int panel, const QString& text) {
    FPanels.at(std::size_t(panel))->setText(text);
}

int TStatusBar::PanelWidth(int panel) const {
    return FWidths.at(std::size_t(panel));
}

void TStatusBar::SetPanelWidth(int panel, int width) {
    FWidths.at(std::size_t(panel)) = width;
    PlacePanels();
}

void TStatusBar::SetPanelBevel(int panel, bool bevel) {
    FPanels.at(std::size_t(panel))
        ->setFrameStyle(bevel ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
}

void TStatusBar::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    PlacePanels();
}

void TStatusBar::PlacePanels() {
    int left = 0;
    for (std::size_t i = 0; i < FPanels.size(); ++i) {
        FPanels[i]->setGeometry(left, 2, FWidths[i], height() - 2);
        left += FWidths[i];
    }
}
