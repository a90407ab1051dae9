#pragma once

#include <QWidget>

QT_BEGIN_NAMESPACE
class QLabel;
class QVBoxLayout;
QT_END_NAMESPACE

namespace bidwarden {

class Download;
class DownloadList;

// The run's downloads, newest first, one row each: a window of its own that
// leaves the program's window usable, one at a time.
class DownloadsWindow : public QWidget
{
    Q_OBJECT

public:
    // Shows the window of the owner's, made the first time, and brings it
    // to the front.
    static DownloadsWindow *showFor(DownloadList *downloads, QWidget *owner);

private:
    DownloadsWindow(DownloadList *downloads, QWidget *owner);
    void addRow(Download *download, int at);

    QVBoxLayout *m_rows = nullptr;
    QLabel *m_empty = nullptr;
};

} // namespace bidwarden
