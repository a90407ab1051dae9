#include "load_report.h"

#include <utility>

namespace bidwarden {

void LoadReport::handleLoadStarted()
{
    m_loading = true;
    m_frameDocuments = 0;
    Q_EMIT loadStarted();
}

void LoadReport::handleNavigationRequested()
{
    // The engine reports one load for a series of navigations that replace
    // each other; each main-frame navigation is reported on its own.
    m_navigationReported = false;
    m_requestWasPost = false;
}

void LoadReport::handleRequestSent(bool isPost)
{
    m_requestWasPost = isPost;
}

void LoadReport::handleDocumentCommitted(bool mainFrame, const QUrl &address)
{
    if (!mainFrame) {
        if (m_loading)
            ++m_frameDocuments;
        Q_EMIT navigateCompleted();
        return;
    }
    // WORKAROUND for Qt WebEngine 6.8.2 (Debian 13): the document's report
    // and the engine's new address travel apart, and there the report came
    // first, while the page still named the old address (or none before the
    // first page): the address box, the caption and a snipe made then named
    // the page before. Nothing in 6.4 or 6.10 promises the order either, so
    // on every version the report waits for the address (urlChanged, or at
    // the latest the load's end) and the page events name the new page.
    if (address == m_address)
        reportMainFrameCommit(false);
}

void LoadReport::handleAddressChanged(const QUrl &address)
{
    m_address = address;
    reportMainFrameCommit(true);
}

void LoadReport::handleLoadEnded(bool ok, bool unanswered)
{
    // A page that commits without a report of its own (about:blank) is
    // reported now, while the load still counts as running.
    if (ok)
        reportMainFrameCommit(false);
    m_loading = false;
    if (unanswered)
        Q_EMIT loadUnanswered();
    Q_EMIT loadFinished();
    if (!ok)
        return;
    const int frames = std::exchange(m_frameDocuments, 0);
    for (int i = 0; i < frames; ++i)
        Q_EMIT documentCompleted();
    Q_EMIT documentCompleted();
}

void LoadReport::reportMainFrameCommit(bool addressChanged)
{
    if (m_loading) {
        if (std::exchange(m_navigationReported, true))
            return;
        m_showsFormAnswer = std::exchange(m_requestWasPost, false);
    } else if (!addressChanged) {
        // A late report of a load that has already been reported.
        return;
    }
    // Outside a load, a new address is a navigation within the document.
    Q_EMIT navigateCompleted();
}

} // namespace bidwarden
