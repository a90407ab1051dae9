#pragma once

#include <QtGlobal>

#include <functional>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace bidwarden {

// Asks whether to send a form again before a page that answers one is
// loaded again (a second login, or the auction once more on the snipe
// list). No is the default, and Esc says no. Asked without a nested event
// loop: sendAgain runs later, when the user says yes.
void askBeforeSendingFormAgain(QWidget *parent, const std::function<void()> &sendAgain);

} // namespace bidwarden
