// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ImageList.h"

namespace rivonel {

ImageList::ImageList(QObject *parent) : QObject(parent)
{
}

void ImageList::add(const QImage &image)
{
    m_images.append(image);
}

int ImageList::count() const
{
    return static_cast<int>(m_images.size());
}

QImage ImageList::image(int index) const
{
    return m_images.value(index);
}

} // namespace rivonel
