#pragma once

#include <QStatusBar>

#include <vector>

class QLabel;

// A status bar of panels laid side by side from the left, each with its own
// width, as the window sets them; nothing is stretched by a layout.
class TStatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit TStatusBar(const std::vector<int>& widths, QWidget* parent = nullptr);

    int PanelCount() const { return int(FPanels.size()); }
    QString PanelText(int panel) const;
    void SetPanelText(int panel, const QString& text);
    int PanelWidth(int panel) const;
    void SetPanelWidth(int panel, int width);
    void SetPanelBevel(int panel, bool bevel);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlacePanels();

    std::vector<QLabel*> FPanels;
    std::vector<int> FWidths;
};
