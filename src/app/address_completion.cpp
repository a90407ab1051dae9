#include "address_completion.h"

namespace bidwarden {

std::optional<AddressCompletion> completeAddress(const QString &typed, const QStringList &entries)
{
    const int n = int(typed.size());
    if (n <= completionMinimumExcluded)
        return std::nullopt;
    // The most recently added entry wins, so scan from the end. Addresses
    // share long prefixes and differ near what was just typed, so the last
    // typed character rules most entries out before a full comparison.
    const QChar last = typed.at(n - 1);
    for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
        if (it->size() >= n && it->at(n - 1) == last && it->startsWith(typed, Qt::CaseSensitive))
            return AddressCompletion{ *it, n, int(it->size()) - n };
    }
    return std::nullopt;
}

bool isDeletion(const QString &before, qsizetype selectedBefore, const QString &after)
{
    return after.size() < before.size() && after.size() <= before.size() - selectedBefore;
}

} // namespace bidwarden
