#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace rivonel {

class modRegistry;

// The 51 texts String01 to String51 of one language file. Numbers outside
// 1 to 51 read as empty and are ignored on writing.
class LanguageTextTable {
public:
    static constexpr int count = 51;

    // "String01" ... "String51"
    static QString keyName(int number);

    // The texts the window's design-time language (Portuguese) gives the
    // language-dependent list items, used when no language file is found.
    static LanguageTextTable designTimeListTexts();

    // The texts of a language file; a missing file or key reads as empty.
    static LanguageTextTable read(const modRegistry &settings, const QString &file);

    QString text(int number) const;
    void set(int number, const QString &text);

private:
    std::array<QString, count> m_texts;
};

// The items of the two lists whose texts come from the language, in the
// order that gives each position its meaning for the renderer.
QStringList scanLineItems(const LanguageTextTable &texts);
QStringList textureQualityItems(const LanguageTextTable &texts);

} // namespace rivonel
