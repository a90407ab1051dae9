#pragma once

#include "settings_folder.h"

#include <QPointer>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QMessageBox;
QT_END_NAMESPACE

namespace bidwarden {

// What the two settings dialogs share: a window of its own without owner or
// modality, its settings folder, its one warning at a time, and a signal when
// it closes.
class SettingsDialog : public QWidget
{
    Q_OBJECT

public:
    SettingsDialog(const SettingsFolder &settings, const QString &objectName, const QString &title);

Q_SIGNALS:
    // The dialog has closed, by its button or the close box.
    void closed();

protected:
    const SettingsFolder &settings() const { return m_settings; }
    // Shows a warning without blocking, as a child of the dialog, replacing
    // any warning still open. No nested event loop runs, so nothing can reach
    // the dialog half-way through a command.
    void showMessage(const QString &objectName, const QString &text);
    void closeEvent(QCloseEvent *event) override;

private:
    SettingsFolder m_settings;
    QPointer<QMessageBox> m_message;
};

} // namespace bidwarden
