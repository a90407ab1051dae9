#pragma once

#include "engine_version.h"

#include <QObject>
#include <QPointer>
#include <QtGlobal>

#include <functional>
#include <memory>

QT_BEGIN_NAMESPACE
class QPrinter;
class QWebEngineFrame;
class QWebEngineView;
class QWidget;
QT_END_NAMESPACE

namespace bidwarden {

// Prints one page: the print dialog, then the page on the printer chosen
// there. The program's Print command and the page's own print
// (window.print(), the print button of a PDF the page shows) come here
// alike. The engine paints on the printer from a thread of its own, so the
// printer is kept until the job has ended (whatever closes the page waits
// for finished()).
class PagePrint : public QObject
{
    Q_OBJECT

public:
    // Answers the page's own print requests of the view, which must outlive
    // every job.
    PagePrint(QWebEngineView *view, QObject *parent = nullptr);
    ~PagePrint() override;

    // The print dialog, window-modal on dialogParent (the view's window
    // when null), then the page. Nothing while a dialog is open or a job
    // runs.
    void print(QWidget *dialogParent = nullptr);
    // Whether a print job runs.
    bool isPrinting() const { return m_printing; }

Q_SIGNALS:
    // A print job the user started in the dialog has ended.
    void finished(bool success);

private:
    void askThenPrint(QWidget *dialogParent, std::function<void()> printChosen);
    void printPage();
#if BIDWARDEN_ENGINE_HAS_FRAME_PRINT()
    void printFrame(const QWebEngineFrame &frame);
    // The engine's PDF of a frame, into the file chosen or on paper.
    void putFramePdfOut(const QByteArray &pdf, bool toPdfFile);
#endif
    void end(bool success);

    QWebEngineView *m_view = nullptr;
    // From the dialog until the end of the job the user started there.
    std::unique_ptr<QPrinter> m_printer;
    bool m_printing = false;
};

} // namespace bidwarden
