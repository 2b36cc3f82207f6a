#include "FakeDesktop.h"

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
    calls << line(
        {QStringLiteral("showMessage"), text, caption, QString::number(static_cast<int>(style))});
}

std::optional<QString> FakeDesktop::pickFolder(QWidget *, const QString &title)
{
    calls << line({QStringLiteral("pickFolder"), title});
    return folderAnswer;
}

Desktop::WebOpenResult FakeDesktop::openWebAddress(const QString &address)
{
    calls << line({QStringLiteral("openWebAddress"), address});
    return webAnswer;
}

int FakeDesktop::soundOutputCount()
{
    calls << QStringLiteral("soundOutputCount");
    return soundDevices;
}

bool FakeDesktop::startHidden(const QString &scriptPath, const QString &workingDirectory,
                              std::function<void()> endedCallback)
{
    calls << line({QStringLiteral("startHidden"), scriptPath, workingDirectory});
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
