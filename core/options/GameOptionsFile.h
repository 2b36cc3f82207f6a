// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/languages/LanguageTextTable.h"
#include "core/options/GameOptions.h"
#include "core/settings/IniDocument.h"

#include <QByteArray>
#include <QString>

namespace rivonel {

// game-options.ini on disk: read once at the start, written whole when what it
// holds changed. A file that could not be read is the user's to mend and is
// never replaced.
class GameOptionsFile {
public:
    // The file, and the folder it is made in when there is none.
    GameOptionsFile(QString path, QString folder);

    // Reads the file: what the user is told of it, if anything.
    Wording load();
    // Writes what changed since the last read or write; what the user is told
    // when it could not be kept.
    Wording keep();

    GameOptions &options() { return m_options; }
    const GameOptions &options() const { return m_options; }

private:
    bool readable() const;

    QString m_path;
    QString m_folder;
    GameOptions m_options;
    IniDocument::ReadStatus m_status = IniDocument::ReadStatus::Missing;
    QByteArray m_written; // the file's bytes as last read or written
};

} // namespace rivonel
