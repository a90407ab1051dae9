#pragma once

#include <QToolButton>

namespace bidwarden {

class DownloadList;

// The status bar's item while downloads run: the newest running one's name
// and progress (and how many more run). A click asks for the Downloads
// window; it hides once none runs.
class DownloadProgress : public QToolButton
{
    Q_OBJECT

public:
    DownloadProgress(DownloadList *downloads, QWidget *parent = nullptr);

private:
    void showProgress();

    DownloadList *m_downloads;
};

} // namespace bidwarden
