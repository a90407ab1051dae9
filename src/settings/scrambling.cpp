#include "scrambling.h"

#include "code_page.h"

#include <QCoreApplication>

namespace bidwarden {

namespace {

unsigned char scramblingByte(qint16 key)
{
    unsigned char scrambler = 128;
    for (const QChar digit : QString::number(key))
        scrambler ^= static_cast<unsigned char>(digit.unicode());
    return scrambler;
}

} // namespace

void processPendingNonInputEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString encryptDecrypt(const QString &text, qint16 key, const PendingEventsHook &processEvents)
{
    const unsigned char scrambler = scramblingByte(key);

    // The usual case: the whole text has bytes, converted in one go.
    if (std::optional<QByteArray> bytes = toCodePage(text)) {
        for (qsizetype i = 1; i <= bytes->size(); ++i) {
            if (i % 10 == 0 && processEvents)
                processEvents();
            (*bytes)[i - 1] = char(static_cast<unsigned char>(bytes->at(i - 1)) ^ scrambler);
        }
        return fromCodePage(*bytes);
    }

    // Some character has no byte: go one character at a time and keep those
    // characters as they are (a surrogate pair's halves both stay, so the pair
    // stays whole).
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 1; i <= text.size(); ++i) {
        if (i % 10 == 0 && processEvents)
            processEvents();
        const QChar c = text.at(i - 1);
        const std::optional<char> byte = toCodePageByte(c);
        result += byte ? fromCodePageByte(char(static_cast<unsigned char>(*byte) ^ scrambler)) : c;
    }
    return result;
}

} // namespace bidwarden
