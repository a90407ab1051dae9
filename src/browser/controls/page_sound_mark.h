#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>

QT_BEGIN_NAMESPACE
class QAction;
class QWebEnginePage;
QT_END_NAMESPACE

namespace bidwarden {

// The speaker of a page, as an action, shown while the page plays sound or
// while it is muted: a click mutes the page, or lets it be heard again, and its
// picture, tooltip and checked state tell which. Hidden while the page is
// silent and not muted. The caller puts action() where it shows.
class PageSoundMark : public QObject
{
    Q_OBJECT

public:
    PageSoundMark(QWebEnginePage *page, QObject *parent);

    QAction *action() const { return m_action; }
    // The pictures of the two states; the style's speakers until given.
    void setPictures(const QIcon &playing, const QIcon &muted);

private:
    void update();

    QPointer<QWebEnginePage> m_page;
    QAction *m_action = nullptr;
    QIcon m_playing;
    QIcon m_muted;
};

} // namespace bidwarden
