#include "leave_question.h"

#include <QMessageBox>
#include <QPushButton>

namespace bidwarden {

namespace {

struct LeaveQuestion
{
    const char *objectName;
    QString title;
    QString text;
    QString leaveText;
    const char *leaveObjectName;
};

// Staying is the default, and Esc stays. Asked without a nested event loop:
// leave runs later, when the user says so.
void askBeforeLeaving(QWidget *parent, const LeaveQuestion &asked, const std::function<void()> &leave)
{
    auto *question = new QMessageBox(QMessageBox::Warning, asked.title, asked.text, QMessageBox::NoButton, parent);
    question->setObjectName(QString::fromLatin1(asked.objectName));
    QPushButton *stay = question->addButton(QMessageBox::tr("&Stay"), QMessageBox::RejectRole);
    stay->setObjectName(QStringLiteral("stay"));
    QPushButton *go = question->addButton(asked.leaveText, QMessageBox::DestructiveRole);
    go->setObjectName(QString::fromLatin1(asked.leaveObjectName));
    question->setDefaultButton(stay);
    question->setEscapeButton(stay);
    question->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(question, &QMessageBox::finished, question, [question, go, leave] {
        if (question->clickedButton() == go)
            leave();
    });
    question->open();
}

} // namespace

QString leaveUnsentQuestionText(int unsentSnipes)
{
    const QString count = unsentSnipes == 1 ? QMessageBox::tr("Not sent: 1 snipe.")
                                            : QMessageBox::tr("Not sent: %1 snipes.").arg(unsentSnipes);
    return count + QLatin1Char(' ')
            + QMessageBox::tr("The service could not be reached yet; the program sends them as soon as it "
                              "answers. If you leave now, they are lost.\n\nLeave without sending them?");
}

void askBeforeLeavingUnsentSnipes(QWidget *parent, int unsentSnipes, const std::function<void()> &leave)
{
    askBeforeLeaving(parent,
                     { "leaveUnsentQuestion", QMessageBox::tr("Snipes not sent"), leaveUnsentQuestionText(unsentSnipes),
                       QMessageBox::tr("&Leave without sending"), "leaveWithoutSending" },
                     leave);
}

QString leaveRunningDownloadsQuestionText(int runningDownloads)
{
    // Whole sentences, so that a translation need not join pieces.
    return runningDownloads == 1
            ? QMessageBox::tr("1 download is still running. If you leave now, it is cancelled and what was saved "
                              "of it is removed.\n\nLeave anyway?")
            : QMessageBox::tr("%1 downloads are still running. If you leave now, they are cancelled and what was "
                              "saved of them is removed.\n\nLeave anyway?")
                      .arg(runningDownloads);
}

void askBeforeLeavingRunningDownloads(QWidget *parent, int runningDownloads, const std::function<void()> &leave)
{
    askBeforeLeaving(parent,
                     { "leaveDownloadsQuestion", QMessageBox::tr("Downloads running"),
                       leaveRunningDownloadsQuestionText(runningDownloads), QMessageBox::tr("&Leave and cancel them"),
                       "leaveCancellingDownloads" },
                     leave);
}

} // namespace bidwarden
