#pragma once

#include "code_page.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace bidwarden::fuzz {

// A broken invariant: report where, then abort so the fuzzer keeps the input.
[[noreturn]] inline void fail(const char *file, int line, const char *condition)
{
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
    std::fflush(stderr);
    std::abort();
}

// The quiet reads say why they read nothing under bidwarden.settings; at
// thousands of inputs a second that is only noise, and slows the run.
inline void quietOwnLogging()
{
    static const bool quiet = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("bidwarden.*=false"));
        return true;
    }();
    (void)quiet;
}

#define BIDWARDEN_FUZZ_CHECK(condition)                                                 \
    do {                                                                                \
        if (!(condition))                                                               \
            ::bidwarden::fuzz::fail(__FILE__, __LINE__, #condition);                    \
    } while (false)

// The 256 characters the code page has, taken from the decoder once. Building
// it checks the code page itself: every byte decodes to its own character, and
// that character, and no other, encodes back to the byte. The targets then ask
// this table, not the code under test, whether a character can be sent or stored.
class CodePageTable
{
public:
    static const CodePageTable &instance()
    {
        static const CodePageTable table;
        return table;
    }

    bool has(QChar c) const { return m_byte[c.unicode()] >= 0; }
    bool hasAll(const QString &text) const
    {
        for (const QChar c : text) {
            if (!has(c))
                return false;
        }
        return true;
    }
    // Only for characters the table has.
    unsigned char byteOf(QChar c) const { return static_cast<unsigned char>(m_byte[c.unicode()]); }

private:
    CodePageTable()
    {
        m_byte.fill(-1);
        for (int b = 0; b < 256; ++b) {
            const QByteArray byte(1, char(b));
            const QString c = fromCodePage(byte);
            BIDWARDEN_FUZZ_CHECK(c.size() == 1);
            BIDWARDEN_FUZZ_CHECK(m_byte[c.at(0).unicode()] < 0);
            m_byte[c.at(0).unicode()] = b;
            BIDWARDEN_FUZZ_CHECK(toCodePage(c) == byte);
        }
        for (int u = 0; u < 0x10000; ++u) {
            const QString c{ QChar(char16_t(u)) };
            BIDWARDEN_FUZZ_CHECK(isRepresentable(c) == (m_byte[u] >= 0));
            BIDWARDEN_FUZZ_CHECK(toCodePage(c).has_value() == (m_byte[u] >= 0));
        }
    }

    std::array<int, 0x10000> m_byte;
};

// The input's layout: byte 0 chooses how value bytes become text (low two
// bits) and leaves the other bits to the target; byte 1 is the separator the
// rest is split at, so any byte value can still appear inside a value.
struct FuzzInput
{
    unsigned char options = 0;
    QList<QString> values;
    // The whole payload after the two header bytes, decoded the same way.
    QString whole;
};

inline QString decodeValue(const QByteArray &bytes, unsigned char options)
{
    switch (options & 3) {
    case 0:
        return fromCodePage(bytes);
    case 1:
        // Anything outside the code page, and U+FFFD for broken sequences.
        return QString::fromUtf8(bytes);
    case 2: {
        // Little-endian units as they come, lone surrogates included.
        QString text;
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
            text += QChar(char16_t(static_cast<unsigned char>(bytes.at(i))
                                   | (static_cast<unsigned char>(bytes.at(i + 1)) << 8)));
        }
        return text;
    }
    default:
        // U+0080..U+009F, which the code page mostly lacks.
        return QString::fromLatin1(bytes);
    }
}

// Splits into at most maxValues values; the last one keeps any further separators.
inline FuzzInput splitInput(const uint8_t *data, size_t size, int maxValues)
{
    FuzzInput input;
    if (size == 0)
        return input;
    input.options = data[0];
    if (size == 1)
        return input;
    const char separator = char(data[1]);
    const QByteArray payload(reinterpret_cast<const char *>(data) + 2, qsizetype(size - 2));
    input.whole = decodeValue(payload, input.options);
    qsizetype start = 0;
    while (input.values.size() < maxValues - 1) {
        const qsizetype at = payload.indexOf(separator, start);
        if (at < 0)
            break;
        input.values.append(decodeValue(payload.mid(start, at - start), input.options));
        start = at + 1;
    }
    input.values.append(decodeValue(payload.mid(start), input.options));
    return input;
}

} // namespace bidwarden::fuzz
