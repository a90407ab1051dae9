// Form posts to the service: whatever the user types, a post either goes out
// holding exactly what was typed, in bytes the service's form parser reads
// back unchanged, or is refused with a reason. Never a post that loses or
// alters a character, and never one over the service's size limit.

#include "form_body.h"
#include "form_decoding.h"
#include "fuzz_support.h"
#include "service_post.h"

#include <optional>

namespace bidwarden::fuzz {

namespace {

const QString serviceBase = QStringLiteral("https://service.invalid");

bool keptAsIs(unsigned char b)
{
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '*'
            || b == '-' || b == '.' || b == '_';
}

// Bytes a post body may hold: the encoded values plus the joining '=' and '&'.
bool allowedInBody(unsigned char b)
{
    return keptAsIs(b) || b == '+' || b == '%' || b == '=' || b == '&';
}

// What the demo service's form parser reads back from one encoded value.
std::optional<QString> formDecode(const QByteArray &encoded)
{
    const std::optional<demo::FormFields> fields = demo::decodeForm("v=" + encoded);
    if (!fields || fields->size() != 1)
        return std::nullopt;
    return demo::formValue(*fields, QStringLiteral("v"));
}

// The encoded size worked out from the table alone; only for representable text.
qint64 encodedLength(const QString &value)
{
    const CodePageTable &table = CodePageTable::instance();
    qint64 length = 0;
    for (const QChar c : value) {
        const unsigned char b = table.byteOf(c);
        length += (b == ' ' || keptAsIs(b)) ? 1 : 3;
    }
    return length;
}

struct Field
{
    QString name;
    QString value;
};

// refused and postData are what the code under test produced for the fields.
void checkBody(const QList<Field> &fields, bool refused, const QByteArray &postData)
{
    const CodePageTable &table = CodePageTable::instance();
    bool representable = true;
    qint64 expectedSize = 0;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        representable = representable && table.hasAll(fields.at(i).value);
        if (!representable)
            break;
        expectedSize += (i > 0 ? 1 : 0) + fields.at(i).name.size() + 1 + encodedLength(fields.at(i).value);
    }
    const bool mustRefuse = !representable || expectedSize > maxPostDataBytes;
    BIDWARDEN_FUZZ_CHECK(refused == mustRefuse);
    if (refused) {
        BIDWARDEN_FUZZ_CHECK(postData.isEmpty());
        return;
    }

    BIDWARDEN_FUZZ_CHECK(postData.size() == expectedSize);
    BIDWARDEN_FUZZ_CHECK(postData.size() <= 32767);
    for (const char c : postData)
        BIDWARDEN_FUZZ_CHECK(allowedInBody(static_cast<unsigned char>(c)));

    if (fields.isEmpty())
        return; // nothing added: the empty body, already checked by its size
    // The service's parser reads back every field, in order, unchanged.
    const std::optional<demo::FormFields> decoded = demo::decodeForm(postData);
    BIDWARDEN_FUZZ_CHECK(decoded.has_value());
    BIDWARDEN_FUZZ_CHECK(decoded->size() == fields.size());
    for (qsizetype i = 0; i < fields.size(); ++i) {
        BIDWARDEN_FUZZ_CHECK(decoded->at(i).first == fields.at(i).name);
        BIDWARDEN_FUZZ_CHECK(decoded->at(i).second == fields.at(i).value);
    }
}

void checkPost(const ServicePostResult &result, const QString &path, const QList<Field> &fields)
{
    BIDWARDEN_FUZZ_CHECK(result.ok() == result.refusal.isEmpty());
    checkBody(fields, !result.ok(), result.ok() ? result.post->postData : QByteArray());
    if (result.ok()) {
        BIDWARDEN_FUZZ_CHECK(result.post->url == serviceAddress(serviceBase, path));
        BIDWARDEN_FUZZ_CHECK(result.post->url.isValid());
        BIDWARDEN_FUZZ_CHECK(result.post->headers == formPostHeader());
    }
}

} // namespace

int testOneInput(const uint8_t *data, size_t size)
{
    const CodePageTable &table = CodePageTable::instance();
    FuzzInput input = splitInput(data, size, 4);
    // Option bits 2 and 3 together repeat the first value until the snipe post is within a
    // few bytes of the size limit, on either side: a short input reaches the
    // boundary, so the fuzzer need not grow inputs to 32 KiB to test it.
    if ((input.options & 0x0C) == 0x0C && !input.values.isEmpty() && !input.values.first().isEmpty()
        && table.hasAll(input.values.first())) {
        const QString unit = input.values.first();
        QList<qint64> unitLengths;
        for (const QChar c : unit)
            unitLengths.append(encodedLength(QString(c)));
        const qint64 target = maxPostDataBytes - qint64(sizeof("AuctionURL=") - 1) - 3 + (input.options >> 5);
        QString grown;
        grown.reserve(target);
        qint64 length = 0;
        for (qsizetype i = 0; length < target; i = (i + 1) % unit.size()) {
            grown += unit.at(i);
            length += unitLengths.at(i);
        }
        input.values.first() = grown;
    }

    for (const QString &value : input.values) {
        const std::optional<QByteArray> encoded = formUrlEncode(value);
        BIDWARDEN_FUZZ_CHECK(encoded.has_value() == table.hasAll(value));
        if (!encoded)
            continue;
        BIDWARDEN_FUZZ_CHECK(encoded->size() == encodedLength(value));
        // A value never carries a bare separator into the body.
        BIDWARDEN_FUZZ_CHECK(!encoded->contains('&') && !encoded->contains('='));
        BIDWARDEN_FUZZ_CHECK(formDecode(*encoded) == value);
    }

    // Every value in one body, the way a longer form would be composed.
    static const QString names[] = { QStringLiteral("First"), QStringLiteral("second_2"),
                                     QStringLiteral("Third-3"), QStringLiteral("f.4") };
    FormBody body;
    QList<Field> fields;
    for (qsizetype i = 0; i < input.values.size(); ++i) {
        body.add(names[i], input.values.at(i), QStringLiteral("value %1").arg(i + 1));
        fields.append({ names[i], input.values.at(i) });
    }
    BIDWARDEN_FUZZ_CHECK(body.ok() == body.error().isEmpty());
    checkBody(fields, !body.ok(), body.postData());

    const QString first = input.values.value(0);
    const QString second = input.values.value(1);
    checkPost(snipePost(serviceBase, first), servicePaths::snipe, { { QStringLiteral("AuctionURL"), first } });
    checkPost(loginPost(serviceBase, first, second), servicePaths::login,
              { { QStringLiteral("UserLogin"), first }, { QStringLiteral("UserPassword"), second } });
    return 0;
}

} // namespace bidwarden::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return bidwarden::fuzz::testOneInput(data, size);
}
