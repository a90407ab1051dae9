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

// A bar above a page that asks the user what the page wants to use, one
// question at a time, the next once one is answered. Never modal: the page
// and the rest of the window stay usable while it asks.
class PermissionBar : public QFrame
{
    Q_OBJECT

public:
    struct Question
    {
        QString host;
        PagePermission permission;
        // Called once, with the user's answer.
        std::function<void(bool allowed)> answer;
    };

    explicit PermissionBar(QWidget *parent = nullptr);

    void ask(Question question);
    // The page the questions came from has gone: each is answered Block, so
    // nothing is left waiting.
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
