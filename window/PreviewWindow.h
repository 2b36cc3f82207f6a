// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace rivonel {

// A window beside the main one that shows a text to read, in a fixed-width
// font and unwrapped, as files are; Close, or Escape, puts it away.
class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    explicit PreviewWindow(QWidget *parent);

    // Shows the text under the title, in front.
    void showText(const QString &title, const QString &text);

private:
    QPlainTextEdit *m_text;
};

} // namespace rivonel
