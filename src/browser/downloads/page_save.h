#pragma once

#include <QObject>
#include <QPointer>

QT_BEGIN_NAMESPACE
class QFileDialog;
class QWebEnginePage;
class QWidget;
QT_END_NAMESPACE

namespace bidwarden {

// Save Page As for one page: asks where, named after the page's title in the
// download folder, and has the engine save the page as one file (a web
// archive), or as the page and a folder of its parts ("Web page,
// complete"). The save then runs as a download of the page's profile.
class PageSave : public QObject
{
    Q_OBJECT

public:
    // The dialog opens over dialogParent's window.
    PageSave(QWebEnginePage *page, QWidget *dialogParent);

    void saveAs();

private:
    void save(const QString &path, bool complete);

    QWebEnginePage *m_page;
    QWidget *m_dialogParent;
    QPointer<QFileDialog> m_dialog;
};

} // namespace bidwarden
