#pragma once

#include <QByteArray>
#include <QString>

QT_BEGIN_NAMESPACE
class QPagedPaintDevice;
QT_END_NAMESPACE

namespace bidwarden {

// What painting a PDF on paper came to: the pages painted, or why none
// were.
struct PdfPaintResult
{
    int pages = 0;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Paints each page of the PDF on its own sheet of the device (a printer),
// as large as the sheet's printable area allows with the page's shape
// kept, centred at the top. The pages are drawn as pictures at the
// device's resolution, at most 300 dots per inch: what a printer needs,
// without holding a page of hundreds of megabytes.
PdfPaintResult paintPdfOnPaper(const QByteArray &pdf, QPagedPaintDevice *device);

} // namespace bidwarden
