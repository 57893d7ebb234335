#pragma once

#include "data/Messages.h"

#include <QPointer>
#include <QSyntaxHighlighter>

#include <functional>

class QMenu;
class QPainter;
class QPoint;
class QPlainTextEdit;
class TSpelling;

// The red wavy line under the misspelt words of a text document, checked
// block by block as the text changes (only the changed paragraph is checked
// again), and all over again when the spelling's known words change.
class TSpellHighlighter : public QSyntaxHighlighter {
    Q_OBJECT

public:
    TSpellHighlighter(QTextDocument* document, TSpelling* spelling);

protected:
    void highlightBlock(const QString& text) override;

private:
    QPointer<TSpelling> FSpelling;
};

// Puts, at the top of the menu, the spelling entries for a misspelt word:
// up to five suggestions (chosen: replace calls back with it), "Ignorer"
// and "Ajouter au dictionnaire"; nothing for a word spelt right. Errors in
// writing the word list go to report.
void AddSpellingEntries(QMenu& menu, TSpelling& spelling, const QString& word,
                        const std::function<void(const QString&)>& replace,
                        const TMessageSink& report);

// The memo's edit menu for a click at the position (in its viewport), with
// the spelling entries of the word there on top; the caller owns it.
QMenu* CreateSpellingMenu(QPlainTextEdit* memo, TSpelling* spelling, const QPoint& position,
                          const TMessageSink& report);

// Underlines the misspelt words of the memo as the teacher types and adds
// the spelling entries to its own edit menu.
void AttachSpelling(QPlainTextEdit* memo, TSpelling* spelling, const TMessageSink& report);

// The wavy line drawn under a word whose text starts at x and ends at
// right, its base line at y.
void DrawSpellingWave(QPainter& painter, qreal x, qreal right, qreal y);
