#include "window/WindowGeometry.h"

#include "core/settings/IniDocument.h"
#include "core/system/WholeFile.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QWidget>

namespace rivonel {

namespace {
constexpr QSize startSize(758, 402);
const QString geometrySection = QStringLiteral("Window");
const QString geometryKey = QStringLiteral("Geometry");
} // namespace

WindowGeometry::WindowGeometry(QWidget &window, QString file)
    : QObject(&window), m_window(window), m_file(std::move(file))
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
        m_window.restoreGeometry(QByteArray::fromBase64(geometry->toLatin1()));
}

bool WindowGeometry::eventFilter(QObject *watched, QEvent *event)
{
    // Closed, not minimised: kept for the next start.
    if (watched == &m_window && event->type() == QEvent::Hide && !event->spontaneous())
        save();
    return false;
}

// Not being kept is no reason to bother the user.
void WindowGeometry::save() const
{
    IniDocument document;
    if (document.setValue(geometrySection, geometryKey,
                          QString::fromLatin1(m_window.saveGeometry().toBase64())) &&
        QDir().mkpath(QFileInfo(m_file).path()))
        (void)writeFileAnew(m_file, document.toBytes());
}

} // namespace rivonel
