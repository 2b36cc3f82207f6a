#pragma once

#include <QPlainTextEdit>

namespace rivonel {

// The multi-line log box. It keeps its text exactly as written, CR LF line
// ends included, and shows it with the line breaks the widget understands.
class LogBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LogBox(QWidget *parent = nullptr);

    // Three lines, the least it takes; the user may drag it taller, and back.
    QSize sizeHint() const override { return linesHigh(3); }
    QSize minimumSizeHint() const override { return sizeHint(); }

    QString text() const;
    void setText(const QString &text);
    void append(const QString &text);
    // Appends how a run ended: its first line, the verdict, is scrolled to the
    // top of the box (what follows it shows below as far as it fits), and a
    // screen reader is told it.
    void appendVerdict(const QString &report);

private:
    QSize linesHigh(int lines) const;
    void display(const QString &text);
    void announce(const QString &verdict);

    QString m_text;
};

} // namespace rivonel
