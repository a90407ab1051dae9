// The address completion: for any list and any typed text, the pass ends,
// and it gives either no completion or the most recent entry that begins
// with the typed text (never before the seventh character), with only what
// it added selected.
//
// Input: lines (LF), UTF-8; the first is the typed text, the others the
// list, oldest first.
#include "address_completion.h"
#include "fuzz_support.h"

#include <QStringList>

#include <cstdint>

using namespace bidwarden;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size))
                                      .split(QLatin1Char('\n'));
    const QString typed = lines.value(0);
    const QStringList entries = lines.mid(1);

    const std::optional<AddressCompletion> completion = completeAddress(typed, entries);

    // What the pass must find, by the plainest scan there is.
    QString expected;
    bool found = false;
    if (typed.size() > 6) {
        for (const QString &entry : entries) {
            if (entry.left(typed.size()) == typed) {
                expected = entry;
                found = true;
            }
        }
    }
    BIDWARDEN_FUZZ_CHECK(completion.has_value() == found);
    if (!completion)
        return 0;
    BIDWARDEN_FUZZ_CHECK(completion->text == expected);
    BIDWARDEN_FUZZ_CHECK(completion->text.startsWith(typed, Qt::CaseSensitive));
    BIDWARDEN_FUZZ_CHECK(completion->selectionStart == typed.size());
    BIDWARDEN_FUZZ_CHECK(completion->selectionStart + completion->selectionLength == completion->text.size());
    return 0;
}
