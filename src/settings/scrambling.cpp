#include "scrambling.h"

#include "code_page.h"

#include <QCoreApplication>

namespace bidwarden {

void processPendingNonInputEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString encryptDecrypt(const QString &text, qint16 key, const PendingEventsHook &processEvents)
{
    // The scrambling byte comes from the digits of the key as written, so
    // keys with the same digits in another order scramble alike.
    unsigned char scrambler = 128;
    for (const QChar digit : QString::number(key))
        scrambler ^= static_cast<unsigned char>(digit.unicode());

    QString result;
    result.reserve(text.size());
    for (qsizetype i = 1; i <= text.size(); ++i) {
        if (i % 10 == 0 && processEvents)
            processEvents();
        const QChar c = text.at(i - 1);
        const std::optional<QByteArray> byte = toCodePage(QString(c));
        // A character without a byte has nothing to scramble; the dialogs
        // refuse such characters before anything is stored.
        if (!byte) {
            result += c;
            continue;
        }
        result += fromCodePage(QByteArray(1, char(static_cast<unsigned char>(byte->at(0)) ^ scrambler)));
    }
    return result;
}

} // namespace bidwarden
