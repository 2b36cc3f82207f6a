#pragma once

#include <QObject>
#include <QRect>
#include <QString>

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
};

} // namespace rivonel
