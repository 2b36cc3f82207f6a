// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/games/ArchiveChecks.h"
#include "core/games/RomArchives.h"
#include "core/languages/LanguageTextTable.h"
#include "core/run/ArchiveLessons.h"
#include "core/system/PlatformConventions.h"
#include "core/system/SerialWorker.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

namespace rivonel {

struct OptionSet;
struct RunOutcome;

// What the ROM folder holds and what its archives' checks found. The folder
// is looked at and each archive read through away from the window's thread,
// one at a time; the folder and its archives are watched, so a copy into it
// or over an archive is seen. What the checks found is kept in a file, so an
// unchanged archive is not read again, this start or the next.
class RomFolderWatch : public QObject {
    Q_OBJECT
public:
    struct CheckRequest {
        QString folder;
        ArchiveKnowledge known;
    };

    RomFolderWatch(PlatformConventions platform, QString knowledgeFile,
                   const LanguageTextTable &texts, QObject *parent = nullptr);

    // Reads what earlier starts found.
    void readKnowledge();
    // The folder as typed: it is looked at once typing pauses.
    void setFolder(const QString &folder);
    // Looks at the folder now; until the answer the marks stay as they are.
    void lookNow(const QString &folder);
    // Checks the archive again and tells its report ("Check archive").
    void reportOn(const QString &romSet, const QString &typedFolder);
    // What to warn of before a Play, remembering the archive played.
    Wording beforePlay(const OptionSet &options, const std::optional<QString> &romSet);
    // What the run taught of the archive it played.
    void learnFrom(const RunOutcome &outcome);

    const RomFolderLook &look() const { return m_look; }
    const ArchiveKnowledge &knowledge() const { return m_known; }
    const SerialWorker<QString, RomFolderLook> &looks() const { return m_looks; }
    const SerialWorker<CheckRequest, ArchiveKnowledge> &checks() const { return m_checks; }

Q_SIGNALS:
    // What the list shows of the folder may have changed.
    void changed();
    // Something for the user: a report, or why there is none.
    void told(const rivonel::Wording &text);

private:
    void connectSignals();
    void looked(RomFolderLook look);
    void check();
    void checked(ArchiveKnowledge checked);
    void lookSoon();

    const PlatformConventions m_platform;
    const QString m_knowledgeFile;
    const LanguageTextTable &m_texts;
    QString m_folder; // as typed
    SerialWorker<QString, RomFolderLook> m_looks;
    RomFolderLook m_look;
    QFileSystemWatcher m_watch;
    QTimer m_lookDelay;
    SerialWorker<CheckRequest, ArchiveKnowledge> m_checks;
    ArchiveKnowledge m_known;
    QString m_reportWanted; // the ROM set whose report waits for a check
    PlayedArchive m_played;
};

} // namespace rivonel
