#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class QWidget;

namespace bidwarden::test {

// Which modal dialogs a test answers, and how the user answers one.
using ModalFilter = std::function<bool(QWidget *modal)>;
using ModalAnswer = std::function<void(QWidget *modal)>;
// Every modal dialog.
bool anyModal(QWidget *modal);

// Answers modal dialogs as they show, as the user would: each one that
// shows, once. Modal dialogs run their own event loop, so a test cannot
// answer one after the call that shows it returns; this answers from a
// timer of the test's event loop instead.
class ModalAnswerer : public QObject
{
public:
    ModalAnswerer();

    // From now on, each dialog that shows and that `which` accepts is
    // handed to `answer`; the last rule given replaces the one before.
    void answerWith(ModalFilter which, ModalAnswer answer);
    // How many dialogs have been answered, and the window the last one
    // showed over.
    int answered() const { return m_answered; }
    QWidget *lastOver() const { return m_lastOver; }

private:
    void answerShown();

    QTimer m_poll;
    ModalFilter m_which;
    ModalAnswer m_answer;
    QPointer<QWidget> m_answering;
    QPointer<QWidget> m_lastOver;
    int m_answered = 0;
};

} // namespace bidwarden::test
