#include "modal_answerer.h"

#include <QApplication>
#include <QWidget>

namespace bidwarden::test {

bool anyModal(QWidget *)
{
    return true;
}

ModalAnswerer::ModalAnswerer()
{
    m_poll.setInterval(50);
    connect(&m_poll, &QTimer::timeout, this, &ModalAnswerer::answerShown);
}

void ModalAnswerer::answerWith(ModalFilter which, ModalAnswer answer)
{
    m_which = std::move(which);
    m_answer = std::move(answer);
    m_poll.start();
}

void ModalAnswerer::answerShown()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal == m_answering || !m_which(modal))
        return;
    m_answering = modal;
    ++m_answered;
    m_lastOver = modal->parentWidget() ? modal->parentWidget()->window() : nullptr;
    // A copy: the answer may give the next rule.
    const ModalAnswer answer = m_answer;
    answer(modal);
}

} // namespace bidwarden::test
