#include "window/WindowGeometry.h"

#include "core/settings/IniDocument.h"
#include "core/system/WholeFile.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QSplitter>
#include <QWidget>

namespace rivonel {

namespace {
constexpr QSize startSize(758, 402);
const QString geometrySection = QStringLiteral("Window");
const QString geometryKey = QStringLiteral("Geometry");
const QString splitterKey = QStringLiteral("LogSplit");
const QString filterKey = QStringLiteral("Filter");
} // namespace

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
    if (const auto split = saved.document.value(geometrySection, splitterKey); split && m_splitter)
        m_splitter->restoreState(QByteArray::fromBase64(split->toLatin1()));
    bool number = false;
    const int filter =
        saved.document.value(geometrySection, filterKey).value_or(QString()).toInt(&number);
    if (m_filter && number && filter >= 0 && filter < m_filter->count())
        m_filter->setCurrentIndex(filter);
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
    return false;
}

// Not being kept is no reason to bother the user.
void WindowGeometry::save() const
{
    IniDocument document;
    bool kept = document.setValue(geometrySection, geometryKey,
                                  QString::fromLatin1(m_window.saveGeometry().toBase64()));
    if (m_splitter)
        kept = kept && document.setValue(geometrySection, splitterKey,
                                         QString::fromLatin1(m_splitter->saveState().toBase64()));
    if (m_filter)
        kept = kept && document.setValue(geometrySection, filterKey,
                                         QString::number(m_filter->currentIndex()));
    if (kept && QDir().mkpath(QFileInfo(m_file).path()))
        (void)writeFileAnew(m_file, document.toBytes());
}

} // namespace rivonel
