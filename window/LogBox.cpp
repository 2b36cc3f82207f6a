// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/LogBox.h"

#include <QAccessible>
#include <QScrollBar>
#include <QTextBlock>

#include <utility>

namespace rivonel {

namespace {

// Where the text goes on after its first count line ends.
qsizetype afterLineEnds(const QString &text, int count)
{
    qsizetype at = 0;
    for (int found = 0; found < count && at < text.size(); ++at)
        if (text[at] == u'\n' || text[at] == u'\r') {
            if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n')
                ++at;
            ++found;
        }
    return at;
}

} // namespace

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

QString LogBox::shown(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

LogBox::Piece LogBox::measured(Wording wording, QString text)
{
    const QString inBox = shown(text);
    return {std::move(wording), std::move(text), inBox.size(), int(inBox.count(u'\n'))};
}

QString LogBox::text() const
{
    QString text;
    text.reserve(m_length);
    for (const Piece &piece : m_pieces)
        text += piece.text;
    return text;
}

void LogBox::setText(const QString &text)
{
    clearPieces();
    addPiece(measured({}, text));
    showNewest();
    announce(QString());
}

void LogBox::append(const QString &text)
{
    addPiece(measured({}, text));
    showNewest();
    announce(QString());
}

void LogBox::setText(const Wording &wording, const LanguageTextTable &texts)
{
    clearPieces();
    addPiece(measured(wording, wording(texts)));
    showNewest();
    announce(QString());
}

void LogBox::append(const Wording &wording, const LanguageTextTable &texts)
{
    addPiece(measured(wording, wording(texts)));
    showNewest();
    announce(QString());
}

void LogBox::clearPieces()
{
    m_pieces.clear();
    m_report = -1;
    m_lineBreaks = 0;
    m_length = 0;
    QPlainTextEdit::clear();
}

void LogBox::addPiece(Piece piece, bool report)
{
    // The oldest pieces make room, whole; the report stays.
    for (qsizetype oldest = 0;
         m_lineBreaks + piece.lineBreaks >= maxLines && oldest < m_pieces.size();)
        if (oldest == m_report)
            ++oldest;
        else
            removePiece(oldest);
    // A piece longer than the box can hold keeps its last lines, as they stand.
    if (const int excess = m_lineBreaks + piece.lineBreaks + 1 - maxLines; excess > 0)
        piece = measured({}, piece.text.mid(afterLineEnds(piece.text, excess)));

    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(shown(piece.text));
    if (report)
        m_report = m_pieces.size();
    m_lineBreaks += piece.lineBreaks;
    m_length += piece.text.size();
    m_pieces.append(std::move(piece));
}

void LogBox::removePiece(qsizetype index)
{
    const Piece &piece = m_pieces.at(index);
    if (piece.shownLength > 0) {
        QTextCursor cursor(document());
        cursor.setPosition(startOf(index));
        cursor.setPosition(cursor.position() + piece.shownLength, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    m_lineBreaks -= piece.lineBreaks;
    m_length -= piece.text.size();
    m_pieces.removeAt(index);
    if (m_report > index)
        --m_report;
}

qsizetype LogBox::startOf(qsizetype index) const
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < index; ++i)
        start += m_pieces.at(i).shownLength;
    return start;
}

void LogBox::retranslate(const LanguageTextTable &texts)
{
    QList<Piece> worded = m_pieces;
    bool changed = false;
    for (Piece &piece : worded)
        if (piece.wording) {
            QString text = piece.wording(texts);
            changed = changed || text != piece.text;
            piece = measured(std::move(piece.wording), std::move(text));
        }
    if (!changed)
        return;
    const qsizetype report = m_report;
    clearPieces();
    for (qsizetype i = 0; i < worded.size(); ++i)
        addPiece(std::move(worded[i]), i == report);
    showNewest();
}

void LogBox::appendVerdict(const Wording &report, const LanguageTextTable &texts)
{
    // The verdict starts a line of its own, whatever was said last.
    if (!document()->lastBlock().text().isEmpty())
        append(QStringLiteral("\r\n"));
    addPiece(measured(report, report(texts)), true);
    showNewest();
    // The report starts on the last line the box had (an empty one after a
    // line end). Scroll positions count the lines the box shows, wrapped
    // ones included.
    const QTextBlock verdict = document()->findBlock(int(startOf(m_report)));
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

void LogBox::showNewest()
{
    // The newest line is the one that matters.
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

} // namespace rivonel
