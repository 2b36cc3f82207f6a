// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/languages/LanguageTextTable.h"

#include <QList>
#include <QPlainTextEdit>

namespace rivonel {

// The multi-line log box. It keeps its text exactly as written, CR LF line
// ends included, and shows it with the line breaks the widget understands.
// What the program says in its own words is written as a wording, and
// follows a change of language; the rest (lines read from elsewhere) stays
// as it was written. Each piece is added to what the box shows, never the
// whole text again, and the box keeps at most maxLines lines: the oldest
// pieces go first, but never the report of the run that ended last.
class LogBox : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int maxLines = 1000;

    explicit LogBox(QWidget *parent = nullptr);

    // Three lines, the least it takes; the user may drag it taller, and back.
    QSize sizeHint() const override { return linesHigh(3); }
    QSize minimumSizeHint() const override { return sizeHint(); }

    QString text() const;
    bool isEmpty() const { return m_length == 0; }
    // Hides the widget's own, which would leave the pieces behind.
    void clear() { setText(QString()); }
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
    struct Piece {
        Wording wording; // none for a text written as it stands
        QString text;
        qsizetype shownLength = 0; // in the document, where a line end is one character
        int lineBreaks = 0;
    };
    static QString shown(const QString &text);
    static Piece measured(Wording wording, QString text);

    QSize linesHigh(int lines) const;
    void clearPieces();
    void addPiece(Piece piece, bool report = false);
    void removePiece(qsizetype index);
    qsizetype startOf(qsizetype index) const;
    void showNewest();
    void announce(const QString &verdict);

    QList<Piece> m_pieces;
    qsizetype m_report = -1; // the piece that stays, if any
    int m_lineBreaks = 0;
    qsizetype m_length = 0; // of the text as written
};

} // namespace rivonel
