#include "page_passkeys.h"

#include "browser_logging.h"
#include "engine_version.h"
#include "passkey_dialog.h"

#include <QWebEnginePage>
#if BIDWARDEN_ENGINE_HAS_PASSKEY_API()
#include <QWebEngineWebAuthUxRequest>
#endif

namespace bidwarden {

#if BIDWARDEN_ENGINE_HAS_PASSKEY_API()
namespace {

using Request = QWebEngineWebAuthUxRequest;

// The program's names for the engine's values, which keep the engine's
// numbering; a value the engine adds later reads as the fallback.
#define BIDWARDEN_SAME_VALUE(ours, theirs, name) static_assert(int(ours::name) == int(theirs::name));
BIDWARDEN_SAME_VALUE(PasskeyStep, Request::WebAuthUxState, NotStarted)
BIDWARDEN_SAME_VALUE(PasskeyStep, Request::WebAuthUxState, SelectAccount)
BIDWARDEN_SAME_VALUE(PasskeyStep, Request::WebAuthUxState, CollectPin)
BIDWARDEN_SAME_VALUE(PasskeyStep, Request::WebAuthUxState, FinishTokenCollection)
BIDWARDEN_SAME_VALUE(PasskeyStep, Request::WebAuthUxState, RequestFailed)
BIDWARDEN_SAME_VALUE(PasskeyStep, Request::WebAuthUxState, Cancelled)
BIDWARDEN_SAME_VALUE(PasskeyStep, Request::WebAuthUxState, Completed)
BIDWARDEN_SAME_VALUE(PasskeyFailure, Request::RequestFailureReason, Timeout)
BIDWARDEN_SAME_VALUE(PasskeyFailure, Request::RequestFailureReason, KeyNotRegistered)
BIDWARDEN_SAME_VALUE(PasskeyFailure, Request::RequestFailureReason, KeyAlreadyRegistered)
BIDWARDEN_SAME_VALUE(PasskeyFailure, Request::RequestFailureReason, SoftPinBlock)
BIDWARDEN_SAME_VALUE(PasskeyFailure, Request::RequestFailureReason, HardPinBlock)
BIDWARDEN_SAME_VALUE(PasskeyFailure, Request::RequestFailureReason, AuthenticatorRemovedDuringPinEntry)
BIDWARDEN_SAME_VALUE(PasskeyFailure, Request::RequestFailureReason, AuthenticatorMissingResidentKeys)
BIDWARDEN_SAME_VALUE(PasskeyFailure, Request::RequestFailureReason, AuthenticatorMissingUserVerification)
BIDWARDEN_SAME_VALUE(PasskeyFailure, Request::RequestFailureReason, AuthenticatorMissingLargeBlob)
BIDWARDEN_SAME_VALUE(PasskeyFailure, Request::RequestFailureReason, NoCommonAlgorithms)
BIDWARDEN_SAME_VALUE(PasskeyFailure, Request::RequestFailureReason, StorageFull)
BIDWARDEN_SAME_VALUE(PasskeyFailure, Request::RequestFailureReason, UserConsentDenied)
BIDWARDEN_SAME_VALUE(PasskeyFailure, Request::RequestFailureReason, WinUserCancelled)
BIDWARDEN_SAME_VALUE(PinReason, Request::PinEntryReason, Set)
BIDWARDEN_SAME_VALUE(PinReason, Request::PinEntryReason, Change)
BIDWARDEN_SAME_VALUE(PinReason, Request::PinEntryReason, Challenge)
BIDWARDEN_SAME_VALUE(PinError, Request::PinEntryError, NoError)
BIDWARDEN_SAME_VALUE(PinError, Request::PinEntryError, InternalUvLocked)
BIDWARDEN_SAME_VALUE(PinError, Request::PinEntryError, WrongPin)
BIDWARDEN_SAME_VALUE(PinError, Request::PinEntryError, TooShort)
BIDWARDEN_SAME_VALUE(PinError, Request::PinEntryError, InvalidCharacters)
BIDWARDEN_SAME_VALUE(PinError, Request::PinEntryError, SameAsCurrentPin)
#undef BIDWARDEN_SAME_VALUE

template<typename Ours, typename Theirs>
Ours ours(Theirs value, Ours last, Ours fallback)
{
    const int n = int(value);
    return n >= 0 && n <= int(last) ? Ours(n) : fallback;
}

PasskeyState stateOf(const Request *request)
{
    PasskeyState state;
    // An unknown step is one the user can only cancel, as a failure.
    state.step = ours(request->state(), PasskeyStep::Completed, PasskeyStep::RequestFailed);
    if (state.step == PasskeyStep::SelectAccount)
        state.accounts = request->userNames();
    if (state.step == PasskeyStep::CollectPin) {
        const QWebEngineWebAuthPinRequest pin = request->pinRequest();
        state.pin.reason = ours(pin.reason, PinReason::Challenge, PinReason::Challenge);
        state.pin.error = ours(pin.error, PinError::SameAsCurrentPin, PinError::NoError);
        state.pin.minLength = pin.minPinLength;
        state.pin.remainingAttempts = pin.remainingAttempts;
    }
    if (state.step == PasskeyStep::RequestFailed)
        state.failure = ours(request->requestFailureReason(), PasskeyFailure::WinUserCancelled,
                             PasskeyFailure::UserConsentDenied);
    return state;
}

} // namespace
#endif

PagePasskeys::PagePasskeys(QWebEnginePage *page, QWidget *shownIn)
    : QObject(page)
    , m_shownIn(shownIn)
{
    // Leaving the page ends what it asked.
    connect(page, &QWebEnginePage::loadStarted, this, &PagePasskeys::cancelOpenRequest);
#if BIDWARDEN_ENGINE_HAS_PASSKEY_API()
    // From Qt WebEngine 6.7 the engine asks the browser to show the request
    // and waits for it: unanswered, the page's request never settles, even
    // past its own timeout.
    connect(page, &QWebEnginePage::webAuthUxRequested, this, &PagePasskeys::open);
#endif
}

PagePasskeys::~PagePasskeys()
{
    cancelOpenRequest();
}

void PagePasskeys::cancelOpenRequest()
{
#if BIDWARDEN_ENGINE_HAS_PASSKEY_API()
    if (m_request && !passkeyStepEnds(stateOf(m_request).step))
        m_request->cancel();
    m_request.clear();
#endif
    if (m_dialog)
        m_dialog->finish();
}

#if BIDWARDEN_ENGINE_HAS_PASSKEY_API()
void PagePasskeys::open(QWebEngineWebAuthUxRequest *request)
{
    if (!request)
        return;
    // One request at a time: an earlier one still shown is over.
    cancelOpenRequest();
    QWidget *window = m_shownIn ? m_shownIn->window() : nullptr;
    if (!window) {
        qCWarning(lcBrowser) << "a passkey request for" << request->relyingPartyId()
                             << "came with no window to show it in; cancelled";
        request->cancel();
        return;
    }
    qCDebug(lcBrowser) << "a passkey request for" << request->relyingPartyId() << "at" << request->state();
    m_request = request;
    auto *dialog = new PasskeyDialog(request->relyingPartyId(), window);
    m_dialog = dialog;
    const QPointer<Request> guarded(request);
    connect(dialog, &PasskeyDialog::accountChosen, request, &Request::setSelectedAccount);
    connect(dialog, &PasskeyDialog::pinEntered, request, &Request::setPin);
    connect(dialog, &PasskeyDialog::retryRequested, request, &Request::retry);
    connect(dialog, &PasskeyDialog::cancelRequested, request, &Request::cancel);
    connect(request, &Request::stateChanged, dialog, [this, guarded] {
        if (guarded)
            follow(guarded);
    });
    // The engine deletes the request when the page's request has ended.
    connect(request, &QObject::destroyed, dialog, &PasskeyDialog::finish);
    dialog->follow(stateOf(request));
    if (!passkeyStepEnds(dialog->step()))
        dialog->show();
}

void PagePasskeys::follow(QWebEngineWebAuthUxRequest *request)
{
    if (request != m_request || !m_dialog)
        return;
    const PasskeyState state = stateOf(request);
    qCDebug(lcBrowser) << "the passkey request for" << request->relyingPartyId() << "went to" << request->state();
    m_dialog->follow(state);
    if (passkeyStepEnds(state.step))
        m_request.clear();
}
#endif

} // namespace bidwarden
