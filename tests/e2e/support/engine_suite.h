#pragma once

#include "e2e_fixture.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

namespace bidwarden::test {

// Which modal dialogs a test answers, and how the user answers one.
using ModalFilter = std::function<bool(QWidget *modal)>;
using ModalAnswer = std::function<void(QWidget *modal)>;
inline bool anyModal(QWidget *) { return true; }

// Answers modal dialogs as they show, each once, as the user would. A
// modal dialog runs an event loop of its own, so the test's code cannot
// answer it after the call that shows it; a timer of that loop does.
class ModalAnswerer : public QObject
{
public:
    ModalAnswerer();
    // From now on; the rule given last replaces the one before.
    void answerWith(ModalFilter which, ModalAnswer answer);
    int answered() const { return m_answered; }
    // The window the last one showed over.
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

// What every engine suite shares: a program of its own for each test, the
// addresses of the demo site's pages, the modal dialogs the user answers,
// and the check that the program warned of nothing the test did not say it
// would (expectOwnWarning, in the test).
class EngineSuite : public QObject
{
    Q_OBJECT

protected:
    // How each test starts; by default as openOnTheStartPage().
    virtual void start();
    // What goes once the test's program has gone.
    virtual void afterTheProgram() {}

    // Starts the peers, opens the program and waits for its start page.
    bool openOnTheStartPage();
    WebEnginePane *auction() const { return m_program->auctionPane(); }
    // The address of a page of the demo auction site.
    QString page(const char *path) const { return m_program->peers().auctionUrl() + QLatin1String(path); }

    // Until the test ends or the next call, each modal dialog that shows and
    // that `which` accepts is handed, once, to `answer`.
    void whenModalShows(ModalFilter which, ModalAnswer answer)
    {
        m_modals->answerWith(std::move(which), std::move(answer));
    }
    void whenModalShows(ModalAnswer answer) { whenModalShows(anyModal, std::move(answer)); }
    // How many modal dialogs have been answered in this test, and the window
    // the last one showed over.
    int modalsAnswered() const { return m_modals->answered(); }
    QWidget *lastModalOver() const { return m_modals->lastOver(); }

    std::unique_ptr<ProgramUnderTest> m_program;

private Q_SLOTS:
    void init();
    void cleanup();

private:
    std::unique_ptr<ModalAnswerer> m_modals;
};

} // namespace bidwarden::test
