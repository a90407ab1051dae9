#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace bidwarden {

// Completion starts once more than this many characters have been typed.
inline constexpr int completionMinimumExcluded = 6;

struct AddressCompletion
{
    QString text;
    // The completed part, from the end of what was typed to the end.
    int selectionStart = 0;
    int selectionLength = 0;
};

// The last entry of the list that begins with the typed text (exact,
// case-sensitive; an equal entry matches), or nothing when the text has six
// characters or fewer or no entry matches.
std::optional<AddressCompletion> completeAddress(const QString &typed, const QStringList &entries);

// True when an edit only took characters out (Backspace, Delete, Cut, Undo of
// a paste), given the text before it, how many characters were selected
// then, and the text after it. Typing or pasting over a selection is not: it
// puts at least one character in the selection's place.
bool isDeletion(const QString &before, qsizetype selectedBefore, const QString &after);

} // namespace bidwarden
