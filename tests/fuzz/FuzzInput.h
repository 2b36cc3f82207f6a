// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>

// A broken promise stops the run and says which; libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #condition);           \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace rivonel::fuzz {

// The choices a fuzz target makes, decoded from its input: numbers from the
// end, so that the front of a corpus file (a whole file) is what the target reads as
// its text. Once the input is used up every choice is 0.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_size == 0; }

    // 0 to max.
    std::uint32_t number(std::uint32_t max)
    {
        std::uint64_t value = 0;
        for (std::uint32_t range = max; range != 0 && m_size != 0; range >>= 8)
            value = value << 8 | m_data[--m_size];
        return static_cast<std::uint32_t>(value % (std::uint64_t(max) + 1));
    }

    bool flag() { return number(1) == 1; }

    // A short text of characters that matter to an INI line (breaks, NUL,
    // quotes, blanks, the separators) and of any script, beyond Latin-1 and
    // the Basic Multilingual Plane too; never half a surrogate pair.
    QString text(std::uint32_t maxLength)
    {
        static const char16_t special[] = {u'\n', u'\r', u'\0', u'"',   u'\'',  u' ',   u'\t', u'=',
                                           u'[',  u']',  u';',  0x00A0, 0x0085, 0x2028, 0xFEFF};
        QString text;
        for (std::uint32_t length = number(maxLength); length > 0 && !empty(); --length) {
            switch (number(5)) {
            case 0:
                text += special[number(std::size(special) - 1)];
                break;
            case 1: // Latin-1 and the Windows-1252 letters above it
                text += QChar(char16_t(0x80 + number(0x17F)));
                break;
            case 2: { // anywhere but the surrogates
                char32_t c = number(0x10FFFF - 0x800);
                if (c >= 0xD800)
                    c += 0x800;
                text += QString::fromUcs4(&c, 1);
                break;
            }
            default:
                text += QChar(char16_t(0x20 + number(0x5E)));
            }
        }
        return text;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
};

} // namespace rivonel::fuzz
