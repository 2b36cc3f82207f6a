#include "FakeDesktop.h"

using namespace Qt::StringLiterals;
namespace rivonel::test {

namespace {
QString line(std::initializer_list<QString> parts)
{
    return QStringList(parts).join(QLatin1Char('|'));
}
} // namespace

PlatformConventions FakeDesktop::conventions() const
{
    return platform;
}

void FakeDesktop::showMessage(QWidget *, const QString &text, const QString &caption,
                              MessageStyle style)
{
    calls << line({u"showMessage"_s, text, caption, QString::number(static_cast<int>(style))});
}

std::optional<QString> FakeDesktop::pickFolder(QWidget *, const QString &title)
{
    calls << line({u"pickFolder"_s, title});
    return folderAnswer;
}

Desktop::WebOpenResult FakeDesktop::openWebAddress(const QString &address)
{
    calls << line({u"openWebAddress"_s, address});
    return webAnswer;
}

int FakeDesktop::soundOutputCount()
{
    calls << u"soundOutputCount"_s;
    return soundDevices;
}

bool FakeDesktop::startHidden(const QString &scriptPath, const QString &workingDirectory,
                              std::function<void()> endedCallback)
{
    calls << line({u"startHidden"_s, scriptPath, workingDirectory});
    if (realLaunch)
        return launcher.start(platform, scriptPath, workingDirectory, std::move(endedCallback));
    ended = std::move(endedCallback);
    return startAnswer;
}

bool FakeDesktop::launchRunning()
{
    return realLaunch ? launcher.running() : running;
}

} // namespace rivonel::test
