#include "download_row.h"

#include "browser_logging.h"
#include "download_list.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>

namespace bidwarden {

namespace {

QPushButton *makeButton(const QString &text, const char *objectName, const QString &accessibleName, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAccessibleName(accessibleName);
    return button;
}

QLabel *makeLabel(const char *objectName, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(objectName));
    // File names and the engine's reasons are not markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

DownloadRow::DownloadRow(Download *download, QWidget *parent)
    : QFrame(parent)
    , m_download(download)
    , m_name(makeLabel("downloadName", this))
    , m_bar(new QProgressBar(this))
    , m_size(makeLabel("downloadSize", this))
    , m_state(makeLabel("downloadState", this))
{
    const QString name = download->fileName();
    setObjectName(QStringLiteral("downloadRow"));
    setAccessibleName(tr("Download of %1").arg(name));
    setFrameShape(QFrame::StyledPanel);
    m_name->setText(name);
    m_name->setToolTip(download->path());
    m_bar->setObjectName(QStringLiteral("downloadBar"));
    m_bar->setAccessibleName(tr("Progress of %1").arg(name));
    m_cancel = makeButton(tr("Cancel"), "downloadCancel", tr("Cancel the download of %1").arg(name), this);
    m_pause = makeButton(tr("Pause"), "downloadPause", tr("Pause or resume the download of %1").arg(name), this);
    m_open = makeButton(tr("Open"), "downloadOpen", tr("Open %1").arg(name), this);
    m_showInFolder = makeButton(tr("Show in Folder"), "downloadShowInFolder",
                                tr("Show %1 in its folder").arg(name), this);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_name, 0, 0, 1, 2);
    grid->addWidget(m_bar, 1, 0, 1, 2);
    grid->addWidget(m_size, 2, 0);
    grid->addWidget(m_state, 2, 1, Qt::AlignRight);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *button : { m_cancel, m_pause, m_open, m_showInFolder })
        buttons->addWidget(button);
    grid->addLayout(buttons, 3, 0, 1, 2);

    connect(m_cancel, &QPushButton::clicked, download, &Download::cancel);
    connect(m_pause, &QPushButton::clicked, download, [download] {
        if (download->progress().state == DownloadState::Paused)
            download->resume();
        else
            download->pause();
    });
    connect(m_open, &QPushButton::clicked, this, &DownloadRow::open);
    connect(m_showInFolder, &QPushButton::clicked, this, &DownloadRow::showInFolder);
    connect(download, &Download::changed, this, &DownloadRow::showProgress);
    showProgress();
}

void DownloadRow::showProgress()
{
    if (!m_download)
        return;
    const Download::Progress &progress = m_download->progress();
    const bool sizeKnown = progress.total > 0;
    m_bar->setRange(0, sizeKnown ? 100 : 0);
    if (sizeKnown)
        m_bar->setValue(int(progress.received * 100 / progress.total));
    if (!m_download->isRunning()) {
        // A bar that no longer moves; an unknown size would keep it busy.
        m_bar->setRange(0, 100);
        m_bar->setValue(progress.state == DownloadState::Completed ? 100 : m_bar->value());
    }
    m_size->setText(sizeKnown ? tr("%1 of %2").arg(downloadSize(progress.received), downloadSize(progress.total))
                              : downloadSize(progress.received));
    m_state->setText(downloadStateText(progress.state, progress.interruptReason));
    const bool done = progress.state == DownloadState::Completed;
    m_cancel->setVisible(m_download->isRunning());
    m_pause->setVisible(m_download->isRunning());
    m_pause->setText(progress.state == DownloadState::Paused ? tr("Resume") : tr("Pause"));
    const QFileInfo file(m_download->path());
    m_open->setVisible(done && mayOpenDownload(file.fileName(), file.isExecutable()));
    m_showInFolder->setVisible(done);
}

void DownloadRow::open()
{
    // Asked again at the click: the file may have changed since.
    const QFileInfo file(m_download ? m_download->path() : QString());
    if (!file.exists() || !mayOpenDownload(file.fileName(), file.isExecutable()))
        return;
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath())))
        qCWarning(lcBrowser) << "the desktop did not open" << file.absoluteFilePath();
}

void DownloadRow::showInFolder()
{
    if (!m_download)
        return;
    const QString folder = QFileInfo(m_download->path()).absolutePath();
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        qCWarning(lcBrowser) << "the desktop did not open the folder" << folder;
}

} // namespace bidwarden
