#include "downloads_window.h"

#include "download_list.h"
#include "download_row.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace bidwarden {

DownloadsWindow *DownloadsWindow::showFor(DownloadList *downloads, QWidget *owner)
{
    auto *window = owner->findChild<DownloadsWindow *>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new DownloadsWindow(downloads, owner);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

DownloadsWindow::DownloadsWindow(DownloadList *downloads, QWidget *owner)
    : QWidget(owner, Qt::Window)
    , m_empty(new QLabel(tr("No downloads yet."), this))
{
    setObjectName(QStringLiteral("downloadsWindow"));
    setAccessibleName(tr("Downloads"));
    setWindowTitle(tr("Downloads"));
    auto *list = new QWidget;
    list->setObjectName(QStringLiteral("downloadList"));
    m_rows = new QVBoxLayout(list);
    m_rows->addStretch(1);
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(list);
    auto *column = new QVBoxLayout(this);
    m_empty->setObjectName(QStringLiteral("noDownloads"));
    column->addWidget(m_empty);
    column->addWidget(scroll, 1);
    // The list is newest first already.
    for (Download *download : downloads->downloads())
        addRow(download, m_rows->count() - 1);
    connect(downloads, &DownloadList::added, this, [this](Download *download) { addRow(download, 0); });
    resize(520, 360);
}

void DownloadsWindow::addRow(Download *download, int at)
{
    m_rows->insertWidget(at, new DownloadRow(download));
    m_empty->hide();
}

} // namespace bidwarden
