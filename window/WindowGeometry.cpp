// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/WindowGeometry.h"

#include "core/settings/IniDocument.h"
#include "core/system/WholeFile.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QWidget>

namespace rivonel {

namespace {
constexpr QSize startSize(758, 402);
const QString geometrySection = QStringLiteral("Window");
const QString geometryKey = QStringLiteral("Geometry");
const QString splitterKey = QStringLiteral("LogSplit");
const QString filterKey = QStringLiteral("Filter");
const QString bigScreenKey = QStringLiteral("BigScreen");

// The screen that shows most of the rectangle, or the first one when none does.
QScreen *screenFor(const QRect &rect)
{
    QScreen *best = QGuiApplication::primaryScreen();
    qint64 bestArea = 0;
    for (QScreen *screen : QGuiApplication::screens()) {
        const QRect common = screen->availableGeometry().intersected(rect);
        const qint64 area = qint64(common.width()) * common.height();
        if (!common.isEmpty() && area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    return best;
}
} // namespace

QRect fittedToScreen(const QRect &wanted, const QRect &room, const QSize &least)
{
    const QSize size = wanted.size().boundedTo(room.size()).expandedTo(least);
    // What is still too large starts at the room's top left corner.
    const auto place = [](int at, int start, int length, int room) {
        return std::max(start, std::min(at, start + room - length));
    };
    return {QPoint(place(wanted.x(), room.left(), size.width(), room.width()),
                   place(wanted.y(), room.top(), size.height(), room.height())),
            size};
}

WindowGeometry::WindowGeometry(QWidget &window, QString file, QSplitter *splitter,
                               QComboBox *filter)
    : QObject(&window), m_window(window), m_file(std::move(file)), m_splitter(splitter),
      m_filter(filter)
{
    window.installEventFilter(this);
}

void WindowGeometry::restore()
{
    // Wide enough for every list's longest item, in any language.
    m_window.resize(startSize.expandedTo(
        QSize(m_window.sizeHint().width(), m_window.minimumSizeHint().height())));
    const IniDocument::Reading saved = IniDocument::read(m_file);
    if (const auto geometry = saved.document.value(geometrySection, geometryKey))
        // Qt brings a place off every screen back onto one.
        m_fitted = m_window.restoreGeometry(QByteArray::fromBase64(geometry->toLatin1()));
    // A remembered geometry is only a wish: it is made to fit the screens
    // there are now, whole on one of them.
    // Never made larger than a screen, not even for a moment; once shown,
    // its frame goes wholly on the screen too.
    if (m_fitted)
        fit(m_window.geometry());
    if (const auto split = saved.document.value(geometrySection, splitterKey); split && m_splitter)
        m_splitter->restoreState(QByteArray::fromBase64(split->toLatin1()));
    bool number = false;
    const int filter =
        saved.document.value(geometrySection, filterKey).value_or(QString()).toInt(&number);
    if (m_filter && number && filter >= 0 && filter < m_filter->count())
        m_filter->setCurrentIndex(filter);
    m_bigScreenWas = saved.document.value(geometrySection, bigScreenKey) == u"1";
}

bool WindowGeometry::eventFilter(QObject *watched, QEvent *event)
{
    // Closed, not minimised: kept for the next start.
    if (watched != &m_window || event->spontaneous())
        return false;
    if (event->type() == QEvent::Hide)
        save();
    // A first start opens wide enough for the language's captions, which
    // the window did not have when it was built.
    if (event->type() == QEvent::Show && !std::exchange(m_fitted, true))
        m_window.resize(m_window.size().expandedTo(
            QSize(m_window.sizeHint().width(), m_window.minimumSizeHint().height())));
    else if (event->type() == QEvent::Show && !std::exchange(m_framed, true))
        QTimer::singleShot(0, this, [this] { fit(m_window.frameGeometry()); });
    return false;
}

// The least the window can be, whether its layout or its owner says so.
QSize WindowGeometry::leastSize() const
{
    return m_window.minimumSizeHint().expandedTo(m_window.minimumSize());
}

// The window, as outer says it is (with or without its frame), within the
// screen that shows most of it.
void WindowGeometry::fit(const QRect &outer)
{
    const QScreen *screen = screenFor(outer);
    if (!screen || screen->availableGeometry().contains(outer))
        return;
    const QSize frame = outer.size() - m_window.size();
    const QRect fitted = fittedToScreen(outer, screen->availableGeometry(), leastSize() + frame);
    m_window.resize(fitted.size() - frame);
    m_window.move(fitted.topLeft()); // where the frame, if any, goes
}

// Not being kept is no reason to bother the user.
void WindowGeometry::save() const
{
    IniDocument document;
    // A window larger than its screen (and than it must be) is not kept that way.
    const QScreen *screen = screenFor(m_window.geometry());
    const QSize room =
        screen ? screen->availableGeometry().size().expandedTo(leastSize()) : m_window.size();
    const bool fits = room.expandedTo(m_window.size()) == room;
    bool kept = !fits || document.setValue(geometrySection, geometryKey,
                                           QString::fromLatin1(m_window.saveGeometry().toBase64()));
    if (m_splitter)
        kept = kept && document.setValue(geometrySection, splitterKey,
                                         QString::fromLatin1(m_splitter->saveState().toBase64()));
    if (m_filter)
        kept = kept && document.setValue(geometrySection, filterKey,
                                         QString::number(m_filter->currentIndex()));
    if (m_bigScreen)
        kept = kept && document.setValue(geometrySection, bigScreenKey,
                                         QString::number(m_bigScreen() ? 1 : 0));
    if (kept && QDir().mkpath(QFileInfo(m_file).path()))
        (void)writeFileAnew(m_file, document.toBytes());
}

} // namespace rivonel
