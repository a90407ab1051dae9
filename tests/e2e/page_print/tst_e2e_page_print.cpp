// A page's own print and the PDFs it links to, on the real engine with the
// demo auction site's invoice: its Print button (and a frame's) opens the
// print dialog and prints, in the pane and in a page window; a PDF shows in
// the page, in a new window too, unless the server sends it as an
// attachment. Clicks go to the windows as a user's do.
#include "browser_profile.h"
#include "download_list.h"
#include "engine_suite.h"
#include "engine_version.h"
#include "main_window.h"
#include "page_print.h"
#include "page_script.h"
#include "page_window.h"
#include "user_input.h"
#include "web_engine_pane.h"
#include "web_page.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

using namespace bidwarden;
using namespace bidwarden::test;

namespace {

// The print dialog shown on the window, once it shows.
QPrintDialog *printDialogOn(QWidget *window)
{
    QPrintDialog *dialog = nullptr;
    const bool shown = QTest::qWaitFor(
            [&] { return (dialog = window->findChild<QPrintDialog *>()) && dialog->isVisible(); }, engineTimeoutMs);
    return shown ? dialog : nullptr;
}

// Prints to the PDF file from the dialog: with no printer on the machine,
// the dialog prints to a file, whose name the user types there; Return
// prints.
bool printToFile(QPrintDialog *dialog, const QString &pdf)
{
    auto *fileName = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
    if (!fileName)
        return false;
    fileName->setText(pdf);
    const QPointer<QPrintDialog> shown = dialog;
    pressKey(dialog, Qt::Key_Return);
    return !shown || !shown->isVisible();
}

bool isPdf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-";
}

} // namespace

class TestPagePrintEndToEnd : public EngineSuite
{
    Q_OBJECT

private Q_SLOTS:
    void pagesPrintButtonPrints_data();
    void pagesPrintButtonPrints();
    void pageWindowClosesOnceItsPageIsPrinted();
    void cancelledDialogPrintsNothing();
    void pdfLinkShowsThePdfInThePane();
    void pdfViewersPrintButtonPrints();
    void attachedPdfIsOfferedAsADownload_data();
    void attachedPdfIsOfferedAsADownload();
    void newWindowPdfLinkOpensAWindowShowingIt();

private:
    QString pdfPath(const char *name) const { return QDir(m_program->settingsPath()).filePath(QLatin1String(name)); }
    bool loadInvoice() { return m_program->load(auction(), page("invoice.html")) && m_program->activate(); }
    // The invoice in a page window of its own, active, its page loaded.
    PageWindow *invoiceInAPageWindow();
};

PageWindow *TestPagePrintEndToEnd::invoiceInAPageWindow()
{
    if (!loadInvoice() || !clickElement(auction()->view(), QStringLiteral("#invoice-blank")))
        return nullptr;
    if (!QTest::qWaitFor([this] { return shownPageWindows(m_program->window()).size() == 1; }, engineTimeoutMs))
        return nullptr;
    PageWindow *window = shownPageWindows(m_program->window()).first();
    const bool loaded = QTest::qWaitFor([&] {
        return window->pageAddress() == page("invoice.html") && !window->pageView()->page()->isLoading();
    }, engineTimeoutMs);
    window->activateWindow();
    return loaded && QTest::qWaitForWindowActive(window, engineTimeoutMs) ? window : nullptr;
}

void TestPagePrintEndToEnd::pagesPrintButtonPrints_data()
{
    QTest::addColumn<bool>("inAPageWindow");
    QTest::addColumn<QString>("button");

    QTest::newRow("the page's button, in the pane") << false << QStringLiteral("#print");
    // On Qt WebEngine 6.8 the frame prints by itself into the file; on 6.4
    // the whole page does.
    QTest::newRow("a frame's button, in the pane") << false << QStringLiteral("#label");
    QTest::newRow("the page's button, in a page window") << true << QStringLiteral("#print");
}

void TestPagePrintEndToEnd::pagesPrintButtonPrints()
{
    QFETCH(bool, inAPageWindow);
    QFETCH(QString, button);
    PageWindow *pageWindow = inAPageWindow ? invoiceInAPageWindow() : nullptr;
    QVERIFY(!inAPageWindow || pageWindow);
    if (!inAPageWindow)
        QVERIFY(loadInvoice());
    PageView *pageView = inAPageWindow ? pageWindow->pageView() : auction()->pageView();
    QWidget *window = inAPageWindow ? static_cast<QWidget *>(pageWindow) : m_program->window();

    QVERIFY(clickElement(pageView->view(), button));
    QPrintDialog *dialog = printDialogOn(window);
    QVERIFY(dialog);
    QSignalSpy printed(pageView->pagePrint(), &PagePrint::finished);
    const QString pdf = pdfPath("invoice-printed.pdf");
    QVERIFY(printToFile(dialog, pdf));
    QTRY_COMPARE_WITH_TIMEOUT(printed.size(), 1, engineTimeoutMs);
    QCOMPARE(printed.first().first().toBool(), true);
    QVERIFY(QFileInfo(pdf).size() > 1000);
    QVERIFY(isPdf(pdf));
    // The print was the page's own: the main window's pane printed nothing.
    if (inAPageWindow)
        QVERIFY(!m_program->window()->findChild<QPrintDialog *>());
}

void TestPagePrintEndToEnd::pageWindowClosesOnceItsPageIsPrinted()
{
    // Closed at once, while the engine prints from a thread of its own: the
    // window waits for the job, which would paint on a printer already gone.
    PageWindow *window = invoiceInAPageWindow();
    QVERIFY(window);
    QVERIFY(clickElement(window->pageView()->view(), QStringLiteral("#print")));
    QPrintDialog *dialog = printDialogOn(window);
    QVERIFY(dialog);
    QSignalSpy printed(window->pageView()->pagePrint(), &PagePrint::finished);
    bool shownWhenPrinted = false;
    QObject::connect(window->pageView()->pagePrint(), &PagePrint::finished, window,
                     [&] { shownWhenPrinted = window->isVisible(); });
    const QPointer<PageWindow> gone = window;
    const QString pdf = pdfPath("invoice-window.pdf");
    QVERIFY(printToFile(dialog, pdf));
    window->close();
    QTRY_COMPARE_WITH_TIMEOUT(printed.size(), 1, engineTimeoutMs);
    QVERIFY(shownWhenPrinted);
    QTRY_VERIFY_WITH_TIMEOUT(!gone, engineTimeoutMs);
    QVERIFY(isPdf(pdf));
}

void TestPagePrintEndToEnd::cancelledDialogPrintsNothing()
{
    // Esc in the dialog prints nothing; the page's next print asks again.
    QVERIFY(loadInvoice());
    QSignalSpy printed(auction()->pageView()->pagePrint(), &PagePrint::finished);
    QVERIFY(clickElement(auction()->view(), QStringLiteral("#print")));
    QPrintDialog *dialog = printDialogOn(m_program->window());
    QVERIFY(dialog);
    const QPointer<QPrintDialog> first = dialog;
    pressKey(dialog, Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!first, engineTimeoutMs);
    QVERIFY(m_program->activate());
    QVERIFY(clickElement(auction()->view(), QStringLiteral("#print")));
    dialog = printDialogOn(m_program->window());
    QVERIFY(dialog);
    pressKey(dialog, Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!m_program->window()->findChild<QPrintDialog *>(), engineTimeoutMs);
    QCOMPARE(printed.size(), 0);
}

void TestPagePrintEndToEnd::pdfLinkShowsThePdfInThePane()
{
    // The engine's viewer shows it: the user is not asked where to save it.
    QVERIFY(loadInvoice());
    QVERIFY(clickElement(auction()->view(), QStringLiteral("#pdf")));
    QVERIFY(m_program->waitForLoadFinished(auction(), page("invoice.pdf")));
    QCOMPARE(auction()->locationUrl(), page("invoice.pdf"));
    QVERIFY(m_program->peers().hasRequest(QStringLiteral("auction"), QStringLiteral("GET"), QStringLiteral("/invoice.pdf")));
    QVERIFY2(m_program->offeredDownloadPath().isEmpty(), qPrintable(m_program->offeredDownloadPath()));
}

void TestPagePrintEndToEnd::pdfViewersPrintButtonPrints()
{
#if !BIDWARDEN_ENGINE_REPORTS_PDF_VIEWER_PRINT()
    // Qt WebEngine 6.4 does not tell the program of the viewer's print
    // button; the program's Print prints the PDF there.
    QSKIP("Qt WebEngine before 6.7 does not report the PDF viewer's print button");
#else
    // The viewer's own toolbar, drawn by the engine, has its print button
    // second from the right; the viewer takes clicks once it has drawn the
    // document, so the user clicks again until the dialog shows.
    QVERIFY(loadInvoice());
    QVERIFY(clickElement(auction()->view(), QStringLiteral("#pdf")));
    QVERIFY(m_program->waitForLoadFinished(auction(), page("invoice.pdf")));
    QWebEngineView *view = auction()->view();
    const QPoint printButton(view->width() - 68, 28);
    QPrintDialog *dialog = nullptr;
    const auto shown = [&] { return (dialog = m_program->window()->findChild<QPrintDialog *>()) && dialog->isVisible(); };
    bool asked = false;
    for (QDeadlineTimer deadline(engineTimeoutMs); !asked && !deadline.hasExpired();) {
        clickOn(view, printButton);
        asked = QTest::qWaitFor(shown, 2000);
    }
    QVERIFY(asked);
    QSignalSpy printed(auction()->pageView()->pagePrint(), &PagePrint::finished);
    const QString pdf = pdfPath("viewer-printed.pdf");
    QVERIFY(printToFile(dialog, pdf));
    QTRY_COMPARE_WITH_TIMEOUT(printed.size(), 1, engineTimeoutMs);
    QCOMPARE(printed.first().first().toBool(), true);
    QVERIFY(isPdf(pdf));
#endif
}

void TestPagePrintEndToEnd::attachedPdfIsOfferedAsADownload_data()
{
    QTest::addColumn<QString>("link");
    QTest::newRow("in the page") << QStringLiteral("#pdf-attachment");
    // The window opened for the link has nothing to show once the download
    // is offered.
    QTest::newRow("to a new window") << QStringLiteral("#pdf-attachment-blank");
}

void TestPagePrintEndToEnd::attachedPdfIsOfferedAsADownload()
{
    // Sent as an attachment, the PDF is saved where the user says, and the
    // page stays; no window is left behind.
    QFETCH(QString, link);
    const QString target = pdfPath("saved-invoice.pdf");
    m_program->setDownloadTarget(target);
    QVERIFY(loadInvoice());
    QSignalSpy finished(m_program->profile()->downloads(), &DownloadList::finished);
    QVERIFY(clickElement(auction()->view(), link));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, engineTimeoutMs);
    const auto *saved = finished.first().at(0).value<Download *>();
    QCOMPARE(saved->path(), target);
    QVERIFY(saved->progress().state == DownloadState::Completed);
    QCOMPARE(QFileInfo(m_program->offeredDownloadPath()).fileName(), QStringLiteral("invoice.pdf"));
    QVERIFY(isPdf(target));
    QCOMPARE(auction()->locationUrl(), page("invoice.html"));
    QTRY_VERIFY_WITH_TIMEOUT(m_program->window()->findChildren<PageWindow *>().isEmpty(), engineTimeoutMs);
}

void TestPagePrintEndToEnd::newWindowPdfLinkOpensAWindowShowingIt()
{
    QVERIFY(loadInvoice());
    QVERIFY(clickElement(auction()->view(), QStringLiteral("#pdf-blank")));
    QTRY_COMPARE_WITH_TIMEOUT(shownPageWindows(m_program->window()).size(), 1, engineTimeoutMs);
    PageWindow *window = shownPageWindows(m_program->window()).first();
    auto *address = window->findChild<QLineEdit *>(QStringLiteral("pageAddress"));
    QTRY_COMPARE_WITH_TIMEOUT(address->text(), page("invoice.pdf"), engineTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(!window->pageView()->page()->isLoading(), engineTimeoutMs);
    QCOMPARE(window->pageAddress(), page("invoice.pdf"));
    QVERIFY2(m_program->offeredDownloadPath().isEmpty(), qPrintable(m_program->offeredDownloadPath()));
    // The pane stays where it was.
    QCOMPARE(auction()->locationUrl(), page("invoice.html"));
}

BIDWARDEN_ENGINE_TEST_MAIN(TestPagePrintEndToEnd)
#include "tst_e2e_page_print.moc"
