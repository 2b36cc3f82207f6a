#pragma once

#include <QPlainTextEdit>

namespace rivonel {

// The multi-line log box. It keeps its text exactly as written, CR LF line
// ends included, and shows it with the line breaks the widget understands.
class LogBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LogBox(QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    void append(const QString &text);

private:
    void display(const QString &text);

    QString m_text;
};

} // namespace rivonel
