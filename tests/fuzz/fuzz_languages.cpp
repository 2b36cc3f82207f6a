// SPDX-License-Identifier: GPL-3.0-or-later
// A language file of any bytes: every text reads without a crash, a text
// past the first 51 left empty reads as its English text, and the two lists
// keep their length.
#include "core/languages/LanguageTextTable.h"
#include "core/settings/IniDocument.h"
#include "FuzzInput.h"

#include <cstdint>

using namespace rivonel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const IniDocument file =
        IniDocument::fromBytes(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const LanguageTextTable texts = LanguageTextTable::fromFile(file);
    static const LanguageTextTable english;
    for (int number = -1; number <= LanguageTextTable::count + 2; ++number) {
        const QString text = texts.text(number);
        if (number < 1 || number > LanguageTextTable::count) {
            FUZZ_CHECK(text.isEmpty());
            continue;
        }
        const QString inFile =
            file.value(QStringLiteral("Language"), LanguageTextTable::keyName(number))
                .value_or(QString());
        if (!inFile.isEmpty())
            FUZZ_CHECK(text == inFile);
        else if (number > LanguageTextTable::baseCount)
            FUZZ_CHECK(text == english.text(number) && !text.isEmpty());
        else
            FUZZ_CHECK(text.isEmpty());
    }
    FUZZ_CHECK(scanLineItems(texts).size() == 3);
    FUZZ_CHECK(textureQualityItems(texts).size() == 4);
    return 0;
}
