#pragma once

#include <QObject>

namespace bidwarden {

class StatusPanels;

// Keeps the NUM, CAPS and INS panels in step with the keyboard: refreshed on
// every key event and when the window becomes active. The system keeps no
// Insert state, so the program counts Insert presses itself; the address box
// does not switch to overwriting.
class KeyboardIndicators : public QObject
{
    Q_OBJECT

public:
    KeyboardIndicators(StatusPanels *panels, QWidget *window);

    bool insertOn() const { return m_insertOn; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refresh();

    StatusPanels *m_panels = nullptr;
    QWidget *m_window = nullptr;
    bool m_insertOn = false;
};

} // namespace bidwarden
