// Measures one completion pass over address lists of growing size. The
// figure that matters is the growth: a pass reads every entry, so it should
// be linear in the list's length.
#include "address_completion.h"

#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
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

// Median nanoseconds of one pass. The typed text shares the entries' long
// prefix but matches none of them, so the pass reads every entry: the worst
// case (the last matching entry is found first, as the scan runs from the end).
double medianPassNs(const QStringList &list)
{
    const QString typed = QStringLiteral("http://127.0.0.1:18081/itm/0");
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

} // namespace

int main()
{
    const int sizes[] = { 1000, 10000, 100000 };
    double ns[3] = {};
    std::printf("%-10s %14s\n", "entries", "pass (us)");
    for (int i = 0; i < 3; ++i) {
        ns[i] = medianPassNs(realisticAddresses(sizes[i]));
        std::printf("%-10d %14.1f\n", sizes[i], ns[i] / 1000.0);
    }
    std::printf("completion_100k value=%.3f ms\n", ns[2] / 1e6);
    std::printf("completion_growth_10k_over_1k ratio=%.2f\n", ns[1] / ns[0]);
    std::printf("completion_growth_100k_over_10k ratio=%.2f\n", ns[2] / ns[1]);
    return 0;
}
