#include "window/LogBox.h"

#include <QScrollBar>

namespace rivonel {

LogBox::LogBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Text can be selected and copied, never typed, pasted or dropped.
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

QString LogBox::text() const
{
    return m_text;
}

void LogBox::setText(const QString &text)
{
    m_text = text;
    display(m_text);
}

void LogBox::append(const QString &text)
{
    setText(m_text + text);
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
