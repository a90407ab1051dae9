#pragma once

#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

QT_BEGIN_NAMESPACE
class QPlainTextEdit;
QT_END_NAMESPACE

namespace bidwarden {

// What a user reports about the program they run: each fact's name and value,
// in the order shown.
using AboutFacts = QList<QPair<QString, QString>>;

// The facts as one plain text, a "name: value" line each, ready to paste.
QString aboutReportText(const AboutFacts &facts);

// Help › About: the program's and its components' versions and the settings
// folder, as text the user can select and copy. Modeless.
class AboutWindow : public QDialog
{
    Q_OBJECT

public:
    explicit AboutWindow(const AboutFacts &facts, QWidget *parent = nullptr);

    QString reportText() const;

private:
    QPlainTextEdit *m_facts = nullptr;
};

} // namespace bidwarden
