#pragma once

#include <QString>
#include <QStringList>

namespace bidwarden {

// Where a page's request to use a passkey on a security key stands, in the
// engine's order of steps: the engine waits for the user at the account
// choice, the PIN and after a failure; it waits for the key at the touch.
enum class PasskeyStep {
    NotStarted,
    SelectAccount,
    CollectPin,
    FinishTokenCollection,
    RequestFailed,
    Cancelled,
    Completed,
};

// Why the request failed, as the engine tells it.
enum class PasskeyFailure {
    Timeout,
    KeyNotRegistered,
    KeyAlreadyRegistered,
    SoftPinBlock,
    HardPinBlock,
    AuthenticatorRemovedDuringPinEntry,
    AuthenticatorMissingResidentKeys,
    AuthenticatorMissingUserVerification,
    AuthenticatorMissingLargeBlob,
    NoCommonAlgorithms,
    StorageFull,
    UserConsentDenied,
    WinUserCancelled,
};

enum class PinReason { Set, Change, Challenge };

enum class PinError { NoError, InternalUvLocked, WrongPin, TooShort, InvalidCharacters, SameAsCurrentPin };

// What the key asks the PIN for; remainingAttempts counts only when the
// existing PIN is asked for (Challenge), and is negative where unknown.
struct PinQuestion
{
    PinReason reason = PinReason::Challenge;
    PinError error = PinError::NoError;
    int minLength = 4;
    int remainingAttempts = -1;
};

// One step of a request with what it comes with: the accounts to choose
// from, the PIN question, or the failure.
struct PasskeyState
{
    PasskeyStep step = PasskeyStep::NotStarted;
    QStringList accounts;
    PinQuestion pin;
    PasskeyFailure failure = PasskeyFailure::Timeout;
};

// What the dialog says at this step of a request from the site (the relying
// party's name, as the engine gives it); empty once the request has ended.
QString passkeyMessage(const PasskeyState &state, const QString &site);
// The failure in words: what happened and what the user can do.
QString passkeyFailureText(PasskeyFailure failure);
// The PIN question in words: what is asked, what was wrong with the last
// one, how many tries remain, how long it must be.
QString pinQuestionText(const PinQuestion &question);
// Whether the request is over at this step (the dialog closes).
bool passkeyStepEnds(PasskeyStep step);
// Whether the user can try again from this step.
bool passkeyStepOffersRetry(PasskeyStep step);
// Whether a typed PIN can go to the key: at least minLength characters (code
// points) and at most the 63 bytes of UTF-8 a key takes.
bool pinAcceptable(const QString &pin, int minLength);

} // namespace bidwarden
