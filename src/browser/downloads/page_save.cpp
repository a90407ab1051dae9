#include "page_save.h"

#include "browser_logging.h"
#include "browser_profile.h"
#include "download_words.h"

#include <QDir>
#include <QFileDialog>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>

namespace bidwarden {

namespace {

QString singleFileFilter()
{
    return PageSave::tr("Web page, single file (*.mhtml)");
}

QString completeFilter()
{
    return PageSave::tr("Web page, complete (*.html)");
}

} // namespace

PageSave::PageSave(QWebEnginePage *page, QWidget *dialogParent)
    : QObject(dialogParent)
    , m_page(page)
    , m_dialogParent(dialogParent)
{
}

void PageSave::saveAs()
{
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    const QString name = savedPageFileName(m_page->title(), m_page->url().host());
    auto *dialog = new QFileDialog(m_dialogParent->window(), tr("Save Page As"),
                                   QDir(downloadFolder()).filePath(name + QStringLiteral(".mhtml")));
    m_dialog = dialog;
    dialog->setObjectName(QStringLiteral("savePageDialog"));
    dialog->setAccessibleName(tr("Save Page As"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilters({ singleFileFilter(), completeFilter() });
    dialog->setDefaultSuffix(QStringLiteral("mhtml"));
    connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString &filter) {
        dialog->setDefaultSuffix(filter == completeFilter() ? QStringLiteral("html") : QStringLiteral("mhtml"));
    });
    connect(dialog, &QFileDialog::fileSelected, this, [this, dialog](const QString &path) {
        save(path, dialog->selectedNameFilter() == completeFilter());
    });
    dialog->open();
}

void PageSave::save(const QString &path, bool complete)
{
    if (path.isEmpty())
        return;
    qCDebug(lcBrowser) << "saving the page at" << m_page->url() << "as" << path;
    // The engine takes the path as accepted: the save starts as a download
    // without asking again.
    m_page->save(path, complete ? QWebEngineDownloadRequest::CompleteHtmlSaveFormat
                                : QWebEngineDownloadRequest::MimeHtmlSaveFormat);
}

} // namespace bidwarden
