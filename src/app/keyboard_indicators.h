#pragma once

#include <QObject>

namespace bidwarden {

class StatusPanels;

// Keeps the NUM, CAPS and INS panels in step with the keyboard: refreshed on
// every key event and when the window becomes active. Insert toggles
// overwrite mode, which the program tracks itself.
class KeyboardIndicators : public QObject
{
    Q_OBJECT

public:
    KeyboardIndicators(StatusPanels *panels, QWidget *window);

    bool overwrite() const { return m_overwrite; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refresh();

    StatusPanels *m_panels = nullptr;
    QWidget *m_window = nullptr;
    bool m_overwrite = false;
};

} // namespace bidwarden
