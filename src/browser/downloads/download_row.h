#pragma once

#include <QFrame>
#include <QPointer>

QT_BEGIN_NAMESPACE
class QLabel;
class QProgressBar;
class QPushButton;
QT_END_NAMESPACE

namespace bidwarden {

class Download;

// One download in the Downloads window: its name, progress, size and state
// in words, and what the user may do with it: Cancel and Pause/Resume while
// it runs, Open (never a program or a script) and Show in Folder once done.
class DownloadRow : public QFrame
{
    Q_OBJECT

public:
    DownloadRow(Download *download, QWidget *parent = nullptr);

private:
    void showProgress();
    void open();
    void showInFolder();

    QPointer<Download> m_download;
    QLabel *m_name = nullptr;
    QProgressBar *m_bar = nullptr;
    QLabel *m_size = nullptr;
    QLabel *m_state = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_pause = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_showInFolder = nullptr;
};

} // namespace bidwarden
