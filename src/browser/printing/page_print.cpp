#include "page_print.h"

#include "browser_logging.h"
#include "engine_version.h"

#include <QCloseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QWebEngineView>
#if BIDWARDEN_ENGINE_HAS_FRAME_PRINT()
#include "pdf_on_paper.h"

#include <QWebEngineFrame>
#endif

namespace bidwarden {

namespace {

#if BIDWARDEN_ENGINE_HAS_FRAME_PRINT()
// Writes the PDF the engine made, whole or not at all.
bool writePdf(const QString &path, const QByteArray &pdf)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !file.commit()) {
        qCWarning(lcBrowser) << "could not write the printed frame to" << path << ":" << file.errorString();
        return false;
    }
    return true;
}
#endif

} // namespace

PagePrint::PagePrint(QWebEngineView *view, QObject *parent)
    : QObject(parent)
    , m_view(view)
{
    // window.print() of the page, a PDF's print button: the same print as
    // the program's Print command, in the page's own window.
    connect(view, &QWebEngineView::printRequested, this, [this] { print(); });
#if BIDWARDEN_ENGINE_HAS_FRAME_PRINT()
    // Qt WebEngine 6.8 tells a frame's window.print() apart; 6.4 raises
    // printRequested for every frame, and the whole page prints.
    connect(view, &QWebEngineView::printRequestedByFrame, this, [this](QWebEngineFrame frame) {
        askThenPrint(nullptr, [this, frame] { printFrame(frame); });
    });
#endif
    connect(view, &QWebEngineView::printFinished, this, &PagePrint::end);
}

PagePrint::~PagePrint()
{
    // Only when the program is torn down during a job (the pane and the
    // page window wait for it): the engine's thread still paints on the
    // printer, which is left to it rather than deleted under it.
    if (m_printing) {
        qCInfo(lcBrowser) << "a print job was still running; its printer is left to it";
        Q_UNUSED(m_printer.release());
    }
}

void PagePrint::print(QWidget *dialogParent)
{
    askThenPrint(dialogParent, [this] { printPage(); });
}

void PagePrint::askThenPrint(QWidget *dialogParent, std::function<void()> printChosen)
{
    if (m_printer) // a dialog is open or a job runs
        return;
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    auto *dialog = new QPrintDialog(m_printer.get(), dialogParent ? dialogParent : m_view->window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this, printChosen = std::move(printChosen)](int result) {
        if (result == QDialog::Accepted)
            printChosen();
        else
            m_printer.reset();
    });
    dialog->open();
}

void PagePrint::printPage()
{
    m_printing = true;
    m_view->print(m_printer.get());
}

#if BIDWARDEN_ENGINE_HAS_FRAME_PRINT()
void PagePrint::printFrame(const QWebEngineFrame &frame)
{
    // Qt WebEngine 6.8 puts only the main frame on a printer
    // (QWebEngineView::print); a frame by itself it renders only into a PDF
    // (A4, portrait). That PDF is the file chosen in the dialog, or it is
    // put on the printer's paper.
    if (!frame.isValid() || frame.isMainFrame()) {
        printPage();
        return;
    }
    m_printing = true;
    const bool toPdfFile = m_printer->outputFormat() == QPrinter::PdfFormat && !m_printer->outputFileName().isEmpty();
    QWebEngineFrame printed = frame;
    printed.printToPdf([self = QPointer<PagePrint>(this), toPdfFile](const QByteArray &pdf) {
        if (self)
            self->putFramePdfOut(pdf, toPdfFile);
    });
}

void PagePrint::putFramePdfOut(const QByteArray &pdf, bool toPdfFile)
{
    if (pdf.isEmpty()) {
        qCWarning(lcBrowser) << "the engine could not print the frame";
        end(false);
        return;
    }
    if (toPdfFile) {
        end(writePdf(m_printer->outputFileName(), pdf));
        return;
    }
    const PdfPaintResult painted = paintPdfOnPaper(pdf, m_printer.get());
    if (!painted.ok())
        qCWarning(lcBrowser) << "the printed frame did not reach the printer:" << painted.error;
    end(painted.ok());
}
#endif

void PagePrint::end(bool success)
{
    if (!m_printing)
        return;
    m_printing = false;
    m_printer.reset();
    Q_EMIT finished(success);
}

} // namespace bidwarden
