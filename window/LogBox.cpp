#include "window/LogBox.h"

#include <QAccessible>
#include <QScrollBar>
#include <QTextBlock>

namespace rivonel {

LogBox::LogBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Text can be selected and copied, never typed, pasted or dropped.
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

QSize LogBox::linesHigh(int lines) const
{
    const int margins = 2 * (frameWidth() + qRound(document()->documentMargin()));
    return {QPlainTextEdit::sizeHint().width(), lines * fontMetrics().lineSpacing() + margins};
}

QString LogBox::text() const
{
    return m_text;
}

void LogBox::setText(const QString &text)
{
    m_pieces = {{{}, text}};
    m_text = text;
    display(m_text);
    announce(QString());
}

void LogBox::append(const QString &text)
{
    addPiece({{}, text});
}

void LogBox::setText(const Wording &wording, const LanguageTextTable &texts)
{
    setText(wording(texts));
    m_pieces.front().wording = wording;
}

void LogBox::append(const Wording &wording, const LanguageTextTable &texts)
{
    addPiece({wording, wording(texts)});
}

void LogBox::addPiece(Piece piece)
{
    m_text += piece.text;
    m_pieces.append(std::move(piece));
    display(m_text);
    announce(QString());
}

void LogBox::retranslate(const LanguageTextTable &texts)
{
    QString worded;
    for (Piece &piece : m_pieces) {
        if (piece.wording)
            piece.text = piece.wording(texts);
        worded += piece.text;
    }
    if (worded == m_text)
        return;
    m_text = worded;
    display(m_text);
}

void LogBox::appendVerdict(const Wording &report, const LanguageTextTable &texts)
{
    // The report starts on the last line the box has (an empty one after a
    // line end).
    const int verdictBlock = document()->blockCount() - 1;
    append(report, texts);
    // Scroll positions count the lines the box shows, wrapped ones included.
    const QTextBlock verdict = document()->findBlockByNumber(verdictBlock);
    if (verdict.isValid())
        verticalScrollBar()->setValue(verdict.firstLineNumber());
    announce(verdict.text());
}

void LogBox::announce(const QString &verdict)
{
    if (accessibleDescription() == verdict)
        return;
    setAccessibleDescription(verdict);
    if (!verdict.isEmpty()) {
        QAccessibleEvent alert(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

void LogBox::display(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setPlainText(shown);
    // The newest line is the one that matters.
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

} // namespace rivonel
