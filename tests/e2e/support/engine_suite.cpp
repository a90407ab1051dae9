#include "engine_suite.h"

#include <QApplication>
#include <QTest>

namespace bidwarden::test {

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

void EngineSuite::init()
{
    m_modals = std::make_unique<ModalAnswerer>();
    m_program = std::make_unique<ProgramUnderTest>();
    start();
}

void EngineSuite::cleanup()
{
    // First: its answers may hold what the test function held.
    m_modals.reset();
    m_program.reset();
    afterTheProgram();
    // Also when the test failed before: the expectations go with the test.
    QVERIFY2(expectedWarningsSeen(), "an expected warning did not come");
}

void EngineSuite::start()
{
    QVERIFY(openOnTheStartPage());
}

bool EngineSuite::openOnTheStartPage()
{
    if (!m_program->startPeers()) {
        qInfo("the demo peers did not start");
        return false;
    }
    m_program->open();
    return m_program->waitForStartPage();
}

} // namespace bidwarden::test

// The meta-object built here: the library's shared moc file also holds the
// fake pane's, which each test builds for itself, and would define it twice.
#include "moc_engine_suite.cpp"
