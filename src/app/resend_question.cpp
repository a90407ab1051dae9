#include "resend_question.h"

#include <QMessageBox>

namespace bidwarden {

void askBeforeSendingFormAgain(QWidget *parent, const std::function<void()> &sendAgain)
{
    auto *question = new QMessageBox(
            QMessageBox::Question, QMessageBox::tr("Send the form again?"),
            QMessageBox::tr("This page is the answer to a form that was sent. Loading it again sends the form "
                            "again (a snipe adds the auction to the list once more).\n\nSend the form again?"),
            QMessageBox::Yes | QMessageBox::No, parent);
    question->setObjectName(QStringLiteral("resendQuestion"));
    question->setDefaultButton(QMessageBox::No);
    question->setEscapeButton(QMessageBox::No);
    question->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(question, &QMessageBox::finished, question, [question, sendAgain] {
        if (question->standardButton(question->clickedButton()) == QMessageBox::Yes)
            sendAgain();
    });
    question->open();
}

} // namespace bidwarden
