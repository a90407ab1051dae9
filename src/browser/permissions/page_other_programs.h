#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QUrl>

namespace bidwarden {

class WebPage;
class PermissionAnswers;
class PermissionBar;

// Hands an address of another program (mailto:, ssh:, a program's own
// scheme) to the desktop only once the user has agreed, asked in the bar
// above the page in the name of the site whose page or frame the user
// clicked in. The answer holds for that site and scheme while the program
// runs; Block, or a page that goes away before the answer, hands nothing
// over. Lives as long as the page.
class PageOtherPrograms : public QObject
{
    Q_OBJECT

public:
    PageOtherPrograms(WebPage *page, PermissionBar *bar, PermissionAnswers *answers);

    // The user typed the address: asked as for a click, in no site's name.
    void askForTyped(const QUrl &address);

private:
    void ask(const QString &site, const QUrl &address);

    QPointer<PermissionBar> m_bar;
    PermissionAnswers *m_answers;
    // The origin of the frame the user last pressed a button or key in.
    QUrl m_inputOrigin;
    // The questions open in the bar, by site and address: a second click on
    // the link asks nothing more.
    QSet<QString> m_asking;
};

} // namespace bidwarden
