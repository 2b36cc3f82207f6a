// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/run/Launcher.h"

#include <QStringList>

namespace rivonel::test {

// A launch that only pretends to run: it records each start, answers as the
// test says, and ends when the test says so.
class FakeLauncher final : public Launcher {
public:
    bool startAnswer = true;
    bool isRunning = false;
    QStringList starts; // "script|working directory" a start
    int stops = 0;

    bool start(const QString &script, const QString &directory,
               std::function<void()> whenEnded) override
    {
        starts << script + u'|' + directory;
        m_ended = std::move(whenEnded);
        isRunning = startAnswer;
        return startAnswer;
    }
    bool running() const override { return isRunning; }
    void stop() override { ++stops; }
    // A wait for the end ends the pretended script.
    void stopAndWait() override
    {
        ++stops;
        isRunning = false;
    }
    ScriptEnd scriptEnd() override { return {}; }
    // A run an earlier copy left is found when the test says so.
    bool adoptAnswer = false;
    bool adopt(const QByteArray &, std::function<void()> whenEnded) override
    {
        if (!adoptAnswer)
            return false;
        m_ended = std::move(whenEnded);
        isRunning = true;
        return true;
    }
    // The script ends now, as the launcher would say from the event loop.
    void end()
    {
        isRunning = false;
        if (auto ended = std::exchange(m_ended, nullptr))
            ended();
    }

private:
    std::function<void()> m_ended;
};

} // namespace rivonel::test
