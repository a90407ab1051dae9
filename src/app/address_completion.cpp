#include "address_completion.h"

namespace bidwarden {

std::optional<AddressCompletion> completeAddress(const QString &typed, const QStringList &entries)
{
    const int n = int(typed.size());
    if (n <= completionMinimumExcluded)
        return std::nullopt;
    // The most recently added entry wins, so scan from the end.
    for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
        if (it->startsWith(typed, Qt::CaseSensitive))
            return AddressCompletion{ *it, n, int(it->size()) - n };
    }
    return std::nullopt;
}

} // namespace bidwarden
