#pragma once

#include <QtGlobal>

#include <functional>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace bidwarden {

class BrowserPane;

// The form whose answer a page is: the program's login or snipe (told by the
// address the service answers them at), or a form of the page's own.
enum class SentForm { Login, Snipe, PageForm };
SentForm sentFormAnswered(const QString &pageAddress, const QString &serviceBase);

// The question, naming what sending the form again does.
QString resendQuestionText(SentForm form);

// Asks whether to send a form again before a page that answers one is
// loaded again (a second login, or the auction once more on the snipe
// list). No is the default, and Esc says no. Asked without a nested event
// loop: sendAgain runs later, when the user says yes.
void askBeforeSendingFormAgain(QWidget *parent, SentForm form, const std::function<void()> &sendAgain);

// Refresh of the pane: at once for a plain page, after the question for the
// answer to a form (a service pane's login or snipe when serviceBase names
// the service, else the page's own form).
void refreshAskingFirst(QWidget *parent, BrowserPane *pane, const QString &serviceBase);

} // namespace bidwarden
