// Measures one completion pass over address lists of growing size. The
// figure that matters is the growth: a pass reads every entry, so it should
// be linear in the list's length.
#include "address_completion.h"

#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <vector>

using namespace bidwarden;

namespace {

QStringList realisticAddresses(int count)
{
    QStringList list;
    list.reserve(count);
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("http://127.0.0.1:18081/itm/%1?hash=item%2&var=%3").arg(100000 + i).arg(i * 7919 % 100000).arg(i % 5);
    return list;
}

// Median nanoseconds of one pass.
double medianPassNs(const QString &typed, const QStringList &list)
{
    std::vector<qint64> samples;
    for (int run = 0; run < 21; ++run) {
        QElapsedTimer timer;
        timer.start();
        const auto completion = completeAddress(typed, list);
        samples.push_back(timer.nsecsElapsed());
        if (completion)
            std::fprintf(stderr, "unexpected completion\n");
    }
    std::sort(samples.begin(), samples.end());
    return double(samples[samples.size() / 2]);
}

// Median nanoseconds of the plainest scan of the same bytes: memcmp of the
// typed text's UTF-16 units against the start of every entry long enough.
double medianMemcmpNs(const QString &typed, const QStringList &list)
{
    const qsizetype n = typed.size();
    const size_t bytes = size_t(n) * sizeof(QChar);
    std::vector<qint64> samples;
    for (int run = 0; run < 21; ++run) {
        QElapsedTimer timer;
        timer.start();
        int matches = 0;
        for (const QString &entry : list)
            matches += entry.size() >= n && std::memcmp(entry.constData(), typed.constData(), bytes) == 0;
        samples.push_back(timer.nsecsElapsed());
        if (matches)
            std::fprintf(stderr, "unexpected match\n");
    }
    std::sort(samples.begin(), samples.end());
    return double(samples[samples.size() / 2]);
}

} // namespace

int main()
{
    // Both texts match no entry, so a pass reads the whole list. The first
    // is told apart from every entry by its last character alone; the second
    // ends as every entry does there and differs at the port, so each entry
    // is compared character by character: the worst case.
    const QString lastCharacterDiffers = QStringLiteral("http://127.0.0.1:18081/itm/0");
    const QString portDiffers = QStringLiteral("http://127.0.0.1:18082/itm/1");
    const int sizes[] = { 1000, 10000, 100000 };
    double quick[3] = {};
    double worst[3] = {};
    std::printf("%-10s %22s %22s %14s\n", "entries", "last char differs (us)", "port differs (us)",
                "ns per entry");
    for (int i = 0; i < 3; ++i) {
        const QStringList list = realisticAddresses(sizes[i]);
        quick[i] = medianPassNs(lastCharacterDiffers, list);
        worst[i] = medianPassNs(portDiffers, list);
        std::printf("%-10d %22.1f %22.1f %14.2f\n", sizes[i], quick[i] / 1000.0, worst[i] / 1000.0,
                    worst[i] / sizes[i]);
    }
    const double scan = medianMemcmpNs(portDiffers, realisticAddresses(sizes[2]));
    std::printf("memcmp scan of the same 100k entries: %.1f us\n", scan / 1000.0);
    std::printf("completion_100k value=%.3f ms\n", worst[2] / 1e6);
    std::printf("completion_100k_over_memcmp ratio=%.2f\n", worst[2] / scan);
    std::printf("completion_growth_10k_over_1k ratio=%.2f\n", worst[1] / worst[0]);
    std::printf("completion_growth_100k_over_10k ratio=%.2f\n", worst[2] / worst[1]);
    return 0;
}
