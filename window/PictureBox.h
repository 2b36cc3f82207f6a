// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace rivonel {

// The game's picture: at least the logo's size, and as large as the layout
// makes it. It never asks for the size of the picture it shows, which is
// fitted to it: a label would, and grow each time its picture is fitted.
// With the focus it shows a frame in the highlight colour.
class PictureBox : public QLabel {
public:
    PictureBox(QSize least, QWidget *parent = nullptr);

    QSize sizeHint() const override { return m_least; }
    QSize minimumSizeHint() const override { return m_least; }

protected:
    // Reached by Tab only, it marks the focus in the desktop's highlight.
    void paintEvent(QPaintEvent *event) override;

private:
    const QSize m_least;
};

} // namespace rivonel
