#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QUrl>

QT_BEGIN_NAMESPACE
class QWebEngineDownloadRequest;
QT_END_NAMESPACE

namespace bidwarden {

class WebPage;
class PermissionAnswers;
class PermissionBar;

// Keeps a page from putting one download after another in front of the user
// by itself: a second download that the page starts without the user's
// click, soon after the one before, waits for the user's leave, asked once
// in the bar above the page for the site and held for the run. What came
// while the question was open is started again once the user allows it, and
// dropped otherwise; nothing is saved that the user did not agree to.
class PageDownloads : public QObject
{
    Q_OBJECT

public:
    PageDownloads(WebPage *page, PermissionBar *bar, PermissionAnswers *answers);

    // Whether the page's download may be offered to the user; one that may
    // not is for the caller to cancel.
    bool mayOffer(QWebEngineDownloadRequest *download);

private:
    void askForSeveral(const QString &site);

    WebPage *m_page;
    QPointer<PermissionBar> m_bar;
    PermissionAnswers *m_answers;
    QElapsedTimer m_sincePrevious;
    bool m_userInputSincePrevious = false;
    // Address and file name of each download held while the user is asked;
    // none while no question is open.
    QList<QPair<QUrl, QString>> m_held;
};

} // namespace bidwarden
