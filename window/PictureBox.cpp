#include "window/PictureBox.h"

namespace rivonel {

PictureBox::PictureBox(QSize least, QWidget *parent) : QLabel(parent), m_least(least)
{
    setMinimumSize(least);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAlignment(Qt::AlignCenter);
}

} // namespace rivonel
