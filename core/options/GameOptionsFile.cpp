// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/GameOptionsFile.h"

#include "core/options/OptionsFile.h"
#include "core/system/ShownName.h"
#include "core/system/WholeFile.h"

#include <QDir>

namespace rivonel {

GameOptionsFile::GameOptionsFile(QString path, QString folder)
    : m_path(std::move(path)), m_folder(std::move(folder))
{
}

bool GameOptionsFile::readable() const
{
    return m_status == IniDocument::ReadStatus::Read ||
           m_status == IniDocument::ReadStatus::Missing;
}

Wording GameOptionsFile::load()
{
    GameOptions::Reading reading = GameOptions::read(m_path);
    m_status = reading.status;
    m_options = std::move(reading.options);
    m_written = m_options.toBytes();
    if (readable())
        return {};
    return [path = m_path, status = m_status](const LanguageTextTable &texts) {
        return texts.text(textKey::gameOptionsNotRead)
            .arg(shownName(path), whyNotRead(texts, status));
    };
}

Wording GameOptionsFile::keep()
{
    const QByteArray bytes = m_options.toBytes();
    if (bytes == m_written)
        return {};
    // A file that could not be read is the user's to mend: it is never replaced,
    // and what the user gave a game since is said not to be kept.
    if (!readable())
        return [path = m_path, status = m_status](const LanguageTextTable &texts) {
            return texts.text(textKey::optionsNotSaved)
                .arg(shownName(path), whyNotRead(texts, status));
        };
    if (QDir().mkpath(m_folder) && writeFileAnew(m_path, bytes)) {
        m_written = bytes;
        m_status = IniDocument::ReadStatus::Read;
        return {};
    }
    return [path = m_path](const LanguageTextTable &texts) {
        return texts.text(textKey::optionsNotSaved)
            .arg(shownName(path), texts.text(textKey::fileNotWrittenWhole));
    };
}

} // namespace rivonel
