#pragma once

// What the launch benchmarks share: the system desktop with the launch's end
// notice optionally withheld, and a Zinc and ROM directory that can run sfex.

#include "platform/ProcessLauncher.h"
#include "platform/SystemDesktop.h"
#include "RomContents.h"
#include "StoredZip.h"
#include "window/frmPrincipal.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>

namespace rivonel::bench {

class BenchDesktop final : public Desktop, private Launcher {
public:
    bool notifyEnd = true;
    PlatformConventions conventions() const override { return m_system.conventions(); }
    modRegistry &settingsAccess() override { return m_system.settingsAccess(); }
    void showMessage(QWidget *, const QString &, const QString &, MessageStyle) override {}
    bool ask(QWidget *, const QString &, const QString &) override { return true; }
    std::optional<QString> pickFolder(QWidget *, const QString &) override { return {}; }
    WebOpenResult openWebAddress(const QString &) override { return WebOpenResult::NotOpened; }
    int soundOutputCount() override { return 1; }
    Launcher &launcher() override { return *this; }

private:
    // Without the end notice the run is seen to end only by the timer's looks.
    bool start(const QString &script, const QString &dir, std::function<void()> ended) override
    {
        return m_launcher.start(script, dir,
                                notifyEnd ? std::move(ended) : std::function<void()>([] {}));
    }
    bool running() const override { return notifyEnd ? m_launcher.running() : true; }
    void stop() override { m_launcher.stop(); }
    ScriptEnd scriptEnd() override { return m_launcher.scriptEnd(); }

    SystemDesktop m_system;
    ProcessLauncher m_launcher{PlatformConventions::native()};
};

// Fills <dir>/zinc with the substitute emulator and the OpenGL plug-in, and
// <dir>/roms with a complete sfex archive; returns the two directories.
inline std::pair<QString, QString> prepareZincAndRoms(const QString &dir)
{
    const QString zinc = dir + QStringLiteral("/zinc");
    const QString roms = dir + QStringLiteral("/roms");
    QDir().mkpath(zinc);
    QDir().mkpath(roms);
    const PlatformConventions platform = PlatformConventions::native();
    QFile::copy(QStringLiteral(ZINC_SIM_PATH), platform.join(zinc, platform.emulatorFileName));
    QFile(zinc + QStringLiteral("/ogl_renderer.znc")).open(QIODevice::WriteOnly);
    QList<zincsim::ZipEntry> entries;
    for (const QString &name : zincsim::requiredRomFiles(QStringLiteral("sfex")))
        entries.append({name, "rom"});
    QFile archive(roms + QStringLiteral("/sfex.zip"));
    if (archive.open(QIODevice::WriteOnly))
        archive.write(zincsim::makeStoredZip(entries));
    return {zinc, roms};
}

// Starts the window and points it at those directories, with sfex selected.
inline void pointAtDemo(frmPrincipal &window, const QString &zinc, const QString &roms)
{
    window.Form_Load();
    window.txtZincDir->setText(zinc);
    window.txtRomDir->setText(roms);
    window.cboRend->setCurrentIndex(1);
    window.lstGames->item(0)->setSelected(true);
}

} // namespace rivonel::bench
