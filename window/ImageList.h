// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QList>
#include <QObject>

namespace rivonel {

// A list of pictures held by the window and never shown itself.
class ImageList : public QObject {
    Q_OBJECT
public:
    explicit ImageList(QObject *parent = nullptr);

    void add(const QImage &image);
    int count() const;
    // A null image for an index that holds none.
    QImage image(int index) const;

private:
    QList<QImage> m_images;
};

} // namespace rivonel
