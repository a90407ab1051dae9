#include "leave_question.h"

#include <QMessageBox>
#include <QPushButton>

namespace bidwarden {

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
    auto *question = new QMessageBox(QMessageBox::Warning, QMessageBox::tr("Snipes not sent"),
                                     leaveUnsentQuestionText(unsentSnipes), QMessageBox::NoButton, parent);
    question->setObjectName(QStringLiteral("leaveUnsentQuestion"));
    QPushButton *stay = question->addButton(QMessageBox::tr("&Stay"), QMessageBox::RejectRole);
    QPushButton *go = question->addButton(QMessageBox::tr("&Leave without sending"), QMessageBox::DestructiveRole);
    go->setObjectName(QStringLiteral("leaveWithoutSending"));
    question->setDefaultButton(stay);
    question->setEscapeButton(stay);
    question->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(question, &QMessageBox::finished, question, [question, go, leave] {
        if (question->clickedButton() == go)
            leave();
    });
    question->open();
}

} // namespace bidwarden
