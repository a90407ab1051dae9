#pragma once

#include <QFrame>

QT_BEGIN_NAMESPACE
class QLabel;
class QLineEdit;
QT_END_NAMESPACE

namespace bidwarden {

// The text a find bar shows for the engine's count of matches: "2 of 7",
// "No matches", nothing before anything is looked for.
QString matchCountText(const QString &searched, int activeMatch, int matches);

// A bar over a page that finds text in it: each change of the text looks
// for it from the top, Enter and F3 go to the next match, Shift+Enter and
// Shift+F3 to the previous one, Esc closes the bar and clears the
// highlighting. It knows nothing of the engine: it asks with
// findRequested() and is told the matches with showMatches().
class FindBar : public QFrame
{
    Q_OBJECT

public:
    explicit FindBar(QWidget *parent = nullptr);

    // Shows the bar with its text selected and the keyboard focus in it.
    void open();
    // F3 / Shift+F3: the next or previous match of the text, or the bar
    // opened when there is no text to look for yet.
    void findAgain(bool backward);
    void close();

public Q_SLOTS:
    void showMatches(int activeMatch, int matches);
    // The page has changed: the count no longer holds.
    void forgetMatches();

Q_SIGNALS:
    // An empty text asks for the highlighting to be cleared.
    void findRequested(const QString &text, bool backward);
    // The bar has closed; the page takes the keyboard focus back when the
    // bar had it.
    void closed(bool hadFocus);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_text = nullptr;
    QLabel *m_matches = nullptr;
};

} // namespace bidwarden
