#include "settings_dialog.h"

#include <QCloseEvent>
#include <QMessageBox>

namespace bidwarden {

SettingsDialog::SettingsDialog(const SettingsFolder &settings, const QString &objectName, const QString &title)
    : QWidget(nullptr)
    , m_settings(settings)
{
    setObjectName(objectName);
    setWindowTitle(title);
}

void SettingsDialog::showMessage(const QString &objectName, const QString &text)
{
    if (m_message)
        m_message->close();
    auto *box = new QMessageBox(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    box->setObjectName(objectName);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextFormat(Qt::PlainText);
    m_message = box;
    box->open();
}

void SettingsDialog::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (!event->isAccepted())
        return;
    if (m_message)
        m_message->close();
    Q_EMIT closed();
}

} // namespace bidwarden
