#include "page_other_programs.h"

#include "browser_logging.h"
#include "other_programs.h"
#include "permission_answers.h"
#include "permission_bar.h"
#include "shown_host.h"
#include "web_page.h"

#include <QDesktopServices>

namespace bidwarden {

namespace {

QString answerWord(const QUrl &address)
{
    return QStringLiteral("other program:") + address.scheme().toLower();
}

void handOver(const QUrl &address)
{
    if (!QDesktopServices::openUrl(address))
        qCWarning(lcBrowser) << "the desktop has no program for" << address.scheme() << "addresses";
}

} // namespace

PageOtherPrograms::PageOtherPrograms(WebPage *page, PermissionBar *bar, PermissionAnswers *answers)
    : QObject(page)
    , m_bar(bar)
    , m_answers(answers)
{
    connect(page, &WebPage::userInput, this, [this](const QUrl &origin) { m_inputOrigin = origin; });
    // A new document's frames are new; a press in the old one names no one.
    connect(page, &WebPage::documentCommitted, this, [this](bool mainFrame) {
        if (mainFrame)
            m_inputOrigin.clear();
    });
    connect(page, &WebPage::otherProgramRequested, this, [this, page](const QUrl &address) {
        const QUrl asker = m_inputOrigin.isValid() ? m_inputOrigin : page->url();
        const QString host = shownHost(asker);
        ask(host.isEmpty() ? tr("This page") : host, address);
    });
}

void PageOtherPrograms::askForTyped(const QUrl &address)
{
    ask(QString(), address);
}

void PageOtherPrograms::ask(const QString &site, const QUrl &address)
{
    const QString word = answerWord(address);
    if (const std::optional<bool> known = m_answers->allowed(site, word)) {
        if (*known)
            handOver(address);
        return;
    }
    const QString asking = site + QLatin1Char('\n') + address.toString(QUrl::FullyEncoded);
    if (!m_bar || m_asking.contains(asking))
        return;
    m_asking.insert(asking);
    const QPointer<PageOtherPrograms> guard(this);
    const auto answered = [this, guard, asking] {
        if (guard)
            m_asking.remove(asking);
    };
    PermissionBar::Question question{ otherProgramQuestion(site, address),
                                      [answers = m_answers, site, word, address, answered](bool allowed) {
                                          answered();
                                          answers->remember(site, word, allowed);
                                          if (allowed)
                                              handOver(address);
                                      } };
    question.allowText = tr("&Open link");
    // A page that goes away unanswered hands nothing over and is asked again.
    question.dropped = answered;
    question.detail = address.toString(QUrl::FullyEncoded);
    m_bar->ask(std::move(question));
}

} // namespace bidwarden
