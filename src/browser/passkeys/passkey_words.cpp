#include "passkey_words.h"

#include <QCoreApplication>

namespace bidwarden {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("bidwarden::PasskeyDialog", text);
}

QString count(int n, const char *one, const char *many)
{
    return (n == 1 ? tr(one) : tr(many)).arg(n);
}

QString pinErrorText(PinError error)
{
    switch (error) {
    case PinError::NoError: return QString();
    case PinError::InternalUvLocked:
        return tr("Your security key could not check your fingerprint too often; enter its PIN instead.");
    case PinError::WrongPin: return tr("That PIN was wrong.");
    case PinError::TooShort: return tr("That PIN is too short.");
    case PinError::InvalidCharacters: return tr("That PIN has characters the security key does not take.");
    case PinError::SameAsCurrentPin: return tr("The new PIN must differ from the current one.");
    }
    return QString();
}

QString pinAskedText(PinReason reason)
{
    switch (reason) {
    case PinReason::Set: return tr("Choose a PIN for your security key.");
    case PinReason::Change: return tr("Your security key asks you to change its PIN: enter a new one.");
    case PinReason::Challenge: return tr("Enter your security key's PIN.");
    }
    return tr("Enter your security key's PIN.");
}

} // namespace

QString passkeyFailureText(PasskeyFailure failure)
{
    switch (failure) {
    case PasskeyFailure::Timeout: return tr("No security key answered in time.");
    case PasskeyFailure::KeyNotRegistered:
        return tr("This security key is not registered with the site; try another key.");
    case PasskeyFailure::KeyAlreadyRegistered:
        return tr("This security key is already registered with the site; try another key.");
    case PasskeyFailure::SoftPinBlock:
        return tr("The wrong PIN was entered too often; remove the security key and insert it again.");
    case PasskeyFailure::HardPinBlock:
        return tr("The wrong PIN was entered too often: the security key is locked until it is reset.");
    case PasskeyFailure::AuthenticatorRemovedDuringPinEntry:
        return tr("The security key was removed while its PIN was asked for.");
    case PasskeyFailure::AuthenticatorMissingResidentKeys:
        return tr("This security key cannot store sign-in details for the site.");
    case PasskeyFailure::AuthenticatorMissingUserVerification:
        return tr("This security key cannot check who you are, as the site asks.");
    case PasskeyFailure::AuthenticatorMissingLargeBlob:
        return tr("This security key cannot store the data the site asks to keep on it.");
    case PasskeyFailure::NoCommonAlgorithms:
        return tr("This security key supports none of the methods the site accepts.");
    case PasskeyFailure::StorageFull: return tr("This security key is full; remove sign-ins it no longer needs.");
    case PasskeyFailure::UserConsentDenied: return tr("The security key was not allowed to answer.");
    case PasskeyFailure::WinUserCancelled: return tr("The request was cancelled.");
    }
    return tr("The security key could not answer.");
}

QString pinQuestionText(const PinQuestion &question)
{
    QStringList lines;
    const QString error = pinErrorText(question.error);
    if (!error.isEmpty())
        lines << error;
    lines << pinAskedText(question.reason);
    if (question.reason == PinReason::Challenge && question.remainingAttempts >= 0)
        lines << count(question.remainingAttempts, "%1 attempt left.", "%1 attempts left.");
    if (question.reason != PinReason::Challenge && question.minLength > 0)
        lines << count(question.minLength, "It needs at least %1 character.", "It needs at least %1 characters.");
    return lines.join(QLatin1Char('\n'));
}

QString passkeyMessage(const PasskeyState &state, const QString &site)
{
    switch (state.step) {
    case PasskeyStep::NotStarted: return tr("%1 asks for your security key. Insert it.").arg(site);
    case PasskeyStep::SelectAccount:
        return state.accounts.isEmpty() ? tr("Your security key has no account for %1.").arg(site)
                                        : tr("Choose the account to sign in to %1 with.").arg(site);
    case PasskeyStep::CollectPin: return pinQuestionText(state.pin);
    case PasskeyStep::FinishTokenCollection: return tr("Touch your security key.");
    case PasskeyStep::RequestFailed: return passkeyFailureText(state.failure);
    case PasskeyStep::Cancelled:
    case PasskeyStep::Completed: return QString();
    }
    return QString();
}

bool passkeyStepEnds(PasskeyStep step)
{
    return step == PasskeyStep::Cancelled || step == PasskeyStep::Completed;
}

bool passkeyStepOffersRetry(PasskeyStep step)
{
    return step == PasskeyStep::RequestFailed;
}

bool pinAcceptable(const QString &pin, int minLength)
{
    // A key takes at most 63 bytes of UTF-8, and counts the minimum in code
    // points.
    return !pin.isEmpty() && pin.toUcs4().size() >= minLength && pin.toUtf8().size() <= 63;
}

} // namespace bidwarden
