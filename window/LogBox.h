#pragma once

#include "core/languages/LanguageTextTable.h"

#include <QList>
#include <QPlainTextEdit>

namespace rivonel {

// The multi-line log box. It keeps its text exactly as written, CR LF line
// ends included, and shows it with the line breaks the widget understands.
// What the program says in its own words is written as a wording, and
// follows a change of language; the rest (lines read from elsewhere) stays
// as it was written.
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
    void setText(const Wording &wording, const LanguageTextTable &texts);
    void append(const Wording &wording, const LanguageTextTable &texts);
    // Words every wording again in this language.
    void retranslate(const LanguageTextTable &texts);
    // Appends how a run ended: its first line, the verdict, is scrolled to the
    // top of the box (what follows it shows below as far as it fits), and a
    // screen reader is told it.
    void appendVerdict(const Wording &report, const LanguageTextTable &texts);

private:
    QSize linesHigh(int lines) const;
    void display(const QString &text);
    void announce(const QString &verdict);

    struct Piece {
        Wording wording; // none for a text written as it stands
        QString text;
    };
    void addPiece(Piece piece);

    QList<Piece> m_pieces;
    QString m_text;
};

} // namespace rivonel
