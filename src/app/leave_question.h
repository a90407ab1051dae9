#pragma once

#include <QString>

#include <functional>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace bidwarden {

// The question, naming how many snipes would be lost.
QString leaveUnsentQuestionText(int unsentSnipes);

// Asks whether to leave while snipes are not sent yet (they live for the run
// only). Staying is the default, and Esc stays. Asked without a nested event
// loop: leave runs later, when the user says so.
void askBeforeLeavingUnsentSnipes(QWidget *parent, int unsentSnipes, const std::function<void()> &leave);

// The question, naming how many downloads would be cancelled.
QString leaveRunningDownloadsQuestionText(int runningDownloads);

// Asks whether to leave while downloads run, as for snipes not sent; leaving
// is for the caller to carry out (cancelling them).
void askBeforeLeavingRunningDownloads(QWidget *parent, int runningDownloads, const std::function<void()> &leave);

} // namespace bidwarden
