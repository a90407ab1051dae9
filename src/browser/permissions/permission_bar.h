#pragma once

#include "permission_answers.h"

#include <QFrame>

#include <functional>

QT_BEGIN_NAMESPACE
class QLabel;
class QPushButton;
QT_END_NAMESPACE

namespace bidwarden {

// The question put to the user, naming the site by its host.
QString permissionQuestion(const QString &host, PagePermission permission);

// A bar above a page that asks the user what the page wants (to use the
// camera, to hand a link to another program, to download several files),
// one question at a time, the next once one is answered. Never modal: the
// page and the rest of the window stay usable while it asks.
class PermissionBar : public QFrame
{
    Q_OBJECT

public:
    struct Question
    {
        QString text;
        // Called once, with the user's answer.
        std::function<void(bool allowed)> answer;
        // The yes button's text, with its mnemonic; "&Allow" when empty.
        QString allowText = QString();
        // Shown as the question's tooltip: what the text had to cut short.
        QString detail = QString();
        // Called in place of answer(false) when the page goes away before
        // the user answers; where empty, that is an answer of Block.
        std::function<void()> dropped = {};
    };

    explicit PermissionBar(QWidget *parent = nullptr);

    void ask(Question question);
    // The page the questions came from has gone: each is answered Block (or
    // dropped), so nothing is left waiting.
    void blockAll();
    int pending() const { return int(m_questions.size()); }
    QString questionText() const;

private:
    void answerFirst(bool allowed);
    void showFirst();

    QList<Question> m_questions;
    QLabel *m_text = nullptr;
    QPushButton *m_allow = nullptr;
    QPushButton *m_block = nullptr;
};

} // namespace bidwarden
