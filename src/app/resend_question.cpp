#include "resend_question.h"

#include "browser_pane.h"
#include "service_post.h"

#include <QMessageBox>
#include <QPointer>
#include <QUrl>

namespace bidwarden {

SentForm sentFormAnswered(const QString &pageAddress, const QString &serviceBase)
{
    const QUrl page(pageAddress);
    if (page == serviceAddress(serviceBase, servicePaths::login))
        return SentForm::Login;
    if (page == serviceAddress(serviceBase, servicePaths::snipe))
        return SentForm::Snipe;
    return SentForm::PageForm;
}

QString resendQuestionText(SentForm form)
{
    switch (form) {
    case SentForm::Login:
        return QMessageBox::tr("This page is the service's answer to your login. Loading it again sends your "
                               "user name and password to the service again.\n\nSend the login again?");
    case SentForm::Snipe:
        return QMessageBox::tr("This page is the service's answer to a snipe. Loading it again sends the snipe "
                               "again: the auction is added to your snipe list once more.\n\nSend the snipe again?");
    case SentForm::PageForm:
        break;
    }
    return QMessageBox::tr("This page is the answer to a form of the page's own that was sent. Loading it again "
                           "sends the form again (an order or a bid may be placed twice).\n\nSend the form again?");
}

void askBeforeSendingFormAgain(QWidget *parent, SentForm form, const std::function<void()> &sendAgain)
{
    auto *question = new QMessageBox(QMessageBox::Question, QMessageBox::tr("Send the form again?"),
                                     resendQuestionText(form), QMessageBox::Yes | QMessageBox::No, parent);
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

void refreshAskingFirst(QWidget *parent, BrowserPane *pane, const QString &serviceBase)
{
    if (!pane->showsFormAnswer()) {
        pane->refresh();
        return;
    }
    const SentForm form = serviceBase.isEmpty() ? SentForm::PageForm : sentFormAnswered(pane->locationUrl(), serviceBase);
    askBeforeSendingFormAgain(parent, form, [target = QPointer<BrowserPane>(pane)] {
        if (target)
            target->refresh();
    });
}

} // namespace bidwarden
