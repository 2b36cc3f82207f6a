// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QRect>
#include <QString>

#include <functional>

class QComboBox;
class QSplitter;
class QWidget;

namespace rivonel {

// Where a window wanted at wanted goes within room: no larger (but never
// smaller than least), and wholly in it where it fits.
QRect fittedToScreen(const QRect &wanted, const QRect &room, const QSize &least);

// The size and place a window comes back at, with where the user put its
// splitter and which games its list shows: kept in a file of its own when the
// window closes (not when it is minimised), and restored when asked.
class WindowGeometry : public QObject {
    Q_OBJECT
public:
    WindowGeometry(QWidget &window, QString file, QSplitter *splitter = nullptr,
                   QComboBox *filter = nullptr);

    // Wide enough for the window's contents, or as it was last left.
    void restore();
    // Whether the big-screen view is kept as in sight, read when saving;
    // and whether it was when the window last closed.
    void keepBigScreen(std::function<bool()> shown) { m_bigScreen = std::move(shown); }
    bool bigScreenWas() const { return m_bigScreenWas; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void save() const;
    void fit(const QRect &outer);
    QSize leastSize() const;

    QWidget &m_window;
    const QString m_file;
    QSplitter *m_splitter;
    QComboBox *m_filter;
    bool m_fitted = false; // to its contents, or as the user left it
    bool m_framed = false; // fitted once its frame is known
    std::function<bool()> m_bigScreen;
    bool m_bigScreenWas = false;
};

} // namespace rivonel
