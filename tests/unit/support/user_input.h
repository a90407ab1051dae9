#pragma once

#include <QTest>
#include <QWidget>
#include <QWindow>

namespace bidwarden::test {

// A user's input, delivered to the window the way the platform delivers it,
// so Qt routes it as it routes real input: to the focus widget, through focus
// proxies and shortcuts. Input sent straight to an inner widget skips that
// (a combo box's line edit never sees a real key press).

// Clicks the widget at `at` (its own coordinates; its centre by default).
inline void clickOn(QWidget *widget, QPoint at = QPoint(-1, -1), Qt::MouseButton button = Qt::LeftButton,
                    Qt::KeyboardModifiers modifiers = {})
{
    const QPoint local = at == QPoint(-1, -1) ? widget->rect().center() : at;
    QTest::mouseClick(widget->window()->windowHandle(), button, modifiers, widget->mapTo(widget->window(), local));
}

// Moves the mouse over the widget at `at` (its own coordinates).
inline void hoverOver(QWidget *widget, QPoint at)
{
    QTest::mouseMove(widget->window()->windowHandle(), widget->mapTo(widget->window(), at));
}

inline void pressKey(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClick(window->windowHandle(), key, modifiers);
}

// Types the text one character a key press, each carrying its character.
inline void typeText(QWidget *window, const QString &text)
{
    for (const QChar c : text) {
        const char ascii = c.unicode() < 0x80 ? char(c.unicode()) : 0;
        const Qt::Key key = ascii ? QTest::asciiToKey(ascii) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, window->windowHandle(), key, QString(c), {});
    }
}

} // namespace bidwarden::test
