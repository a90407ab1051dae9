#include "page_downloads.h"

#include "automatic_downloads.h"
#include "browser_logging.h"
#include "permission_answers.h"
#include "permission_bar.h"
#include "shown_host.h"
#include "web_page.h"

#include <QWebEngineDownloadRequest>

namespace bidwarden {

namespace {

const QString severalDownloads = QStringLiteral("several downloads");

} // namespace

PageDownloads::PageDownloads(WebPage *page, PermissionBar *bar, PermissionAnswers *answers)
    : QObject(page)
    , m_page(page)
    , m_bar(bar)
    , m_answers(answers)
{
    connect(page, &WebPage::userInput, this, [this] { m_userInputSincePrevious = true; });
}

bool PageDownloads::mayOffer(QWebEngineDownloadRequest *download)
{
    const QString site = shownHost(m_page->url());
    DownloadCircumstances circumstances;
    circumstances.first = !m_sincePrevious.isValid();
    circumstances.userInputSincePrevious = std::exchange(m_userInputSincePrevious, false);
    circumstances.msSincePrevious = circumstances.first ? 0 : m_sincePrevious.elapsed();
    circumstances.siteAnswer = m_answers->allowed(site, severalDownloads);
    circumstances.questionOpen = !m_held.isEmpty();
    m_sincePrevious.start();

    const DownloadVerdict verdict = downloadVerdict(circumstances);
    switch (verdict) {
    case DownloadVerdict::Offer:
        return true;
    case DownloadVerdict::Ask:
        m_held.append({ download->url(), download->suggestedFileName() });
        askForSeveral(site);
        break;
    case DownloadVerdict::Hold:
        // The question is open: this one waits for its answer too.
        m_held.append({ download->url(), download->suggestedFileName() });
        break;
    case DownloadVerdict::Refuse:
        qCDebug(lcBrowser) << "not offering another download from" << site << "by itself:" << download->url();
        break;
    }
    return false;
}

void PageDownloads::askForSeveral(const QString &site)
{
    if (!m_bar) {
        m_held.clear();
        return;
    }
    const QPointer<PageDownloads> guard(this);
    PermissionBar::Question question{
        tr("%1 wants to download several files.").arg(site.isEmpty() ? tr("This page") : site),
        [this, guard, answers = m_answers, site](bool allowed) {
            answers->remember(site, severalDownloads, allowed);
            if (!guard)
                return;
            const QList<QPair<QUrl, QString>> held = std::exchange(m_held, {});
            // Started again as the page asked for them, each offered as any download.
            if (allowed) {
                for (const auto &[address, fileName] : held)
                    m_page->download(address, fileName);
            }
        }
    };
    // The page went away unanswered: what it held is dropped, nothing remembered.
    question.dropped = [this, guard] {
        if (!guard)
            return;
        m_held.clear();
    };
    m_bar->ask(std::move(question));
}

} // namespace bidwarden
