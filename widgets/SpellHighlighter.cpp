#include "widgets/SpellHighlighter.h"

#include "data/Spelling.h"

#include <QAction>
#include <QFont>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

namespace {

const QColor kWaveColour(Qt::red);

QTextCharFormat MisspeltFormat() {
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setUnderlineColor(kWaveColour);
    return format;
}

// The word of the block that the position is in or touches.
std::optional<TWordSpan> WordAt(const QString& text, int position) {
    for (const TWordSpan& span : SpellWords(text)) {
        if (position >= span.Start && position <= span.Start + span.Length)
            return span;
    }
    return std::nullopt;
}

} // namespace

TSpellHighlighter::TSpellHighlighter(QTextDocument* document, TSpelling* spelling)
    : QSyntaxHighlighter(document)
    , FSpelling(spelling) {
    connect(spelling, &TSpelling::Changed, this, &QSyntaxHighlighter::rehighlight);
}

void TSpellHighlighter::highlightBlock(const QString& text) {
    if (!FSpelling)
        return;
    static const QTextCharFormat format = MisspeltFormat();
    for (const TWordSpan& span : FSpelling->Misspelt(text))
        setFormat(span.Start, span.Length, format);
}

void AddSpellingEntries(QMenu& menu, TSpelling& spelling, const QString& word,
                        const std::function<void(const QString&)>& replace,
                        const TMessageSink& report) {
    if (word.isEmpty() || !spelling.IsMisspelt(word))
        return;
    QAction* first = menu.actions().value(0);
    QList<QAction*> entries;
    const QStringList suggestions = spelling.Suggestions(word);
    for (const QString& suggestion : suggestions) {
        auto* action = new QAction(suggestion, &menu);
        QFont bold = action->font();
        bold.setBold(true);
        action->setFont(bold);
        QObject::connect(action, &QAction::triggered, &menu,
                         [replace, suggestion] { replace(suggestion); });
        entries.append(action);
    }
    if (suggestions.isEmpty()) {
        auto* none = new QAction(QStringLiteral("(aucune suggestion)"), &menu);
        none->setEnabled(false);
        entries.append(none);
    }
    QPointer<TSpelling> target(&spelling);
    auto* ignore = new QAction(QStringLiteral("Ignorer"), &menu);
    ignore->setObjectName(QStringLiteral("SpellIgnore"));
    QObject::connect(ignore, &QAction::triggered, &menu, [target, word] {
        if (target)
            target->Ignore(word);
    });
    auto* add = new QAction(QStringLiteral("Ajouter au dictionnaire"), &menu);
    add->setObjectName(QStringLiteral("SpellAdd"));
    QObject::connect(add, &QAction::triggered, &menu, [target, word, report] {
        if (!target)
            return;
        if (auto error = target->AddToDictionary(word); error && report)
            report(*error);
    });
    entries << ignore << add;
    auto* separator = new QAction(&menu);
    separator->setSeparator(true);
    entries.append(separator);
    menu.insertActions(first, entries);
}

QMenu* CreateSpellingMenu(QPlainTextEdit* memo, TSpelling* spelling, const QPoint& position,
                          const TMessageSink& report) {
    // Qt's own edit menu, in the program's language.
    QMenu* menu = memo->createStandardContextMenu(position);
    const QTextCursor at = memo->cursorForPosition(position);
    const QTextBlock block = at.block();
    const auto span = WordAt(block.text(), at.positionInBlock());
    if (!spelling || !span)
        return menu;
    const int start = block.position() + span->Start;
    const int length = span->Length;
    QPointer<QPlainTextEdit> target(memo);
    auto replace = [target, start, length](const QString& word) {
        if (!target)
            return;
        // One step of the memo's own undo, like typing it.
        QTextCursor cursor(target->document());
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        cursor.insertText(word);
    };
    AddSpellingEntries(*menu, *spelling, block.text().mid(span->Start, span->Length), replace,
                       report);
    return menu;
}

void AttachSpelling(QPlainTextEdit* memo, TSpelling* spelling, const TMessageSink& report) {
    new TSpellHighlighter(memo->document(), spelling);
    memo->setContextMenuPolicy(Qt::CustomContextMenu);
    QPointer<TSpelling> target(spelling);
    QObject::connect(memo, &QWidget::customContextMenuRequested, memo,
                     [memo, target, report](const QPoint& position) {
                         std::unique_ptr<QMenu> menu(
                             CreateSpellingMenu(memo, target.data(), position, report));
                         menu->exec(memo->viewport()->mapToGlobal(position));
                     });
}

void DrawSpellingWave(QPainter& painter, qreal x, qreal right, qreal y) {
    constexpr qreal kHalfPeriod = 2.0;
    constexpr qreal kAmplitude = 1.5;
    if (right - x < 1)
        return;
    QPainterPath wave(QPointF(x, y));
    bool up = true;
    for (qreal at = x + kHalfPeriod; at < right + kHalfPeriod; at += kHalfPeriod) {
        wave.lineTo(std::min(at, right), up ? y - kAmplitude : y + kAmplitude);
        up = !up;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kWaveColour, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(wave);
    painter.restore();
}
