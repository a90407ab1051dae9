#include "pdf_on_paper.h"

#include <QBuffer>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfDocument>

#include <algorithm>

namespace bidwarden {

namespace {

constexpr int maximumDotsPerInch = 300;

// Where a page of this shape goes on the sheet: as large as it fits,
// centred across, at the top.
QRectF placeOnSheet(QSizeF page, QRectF sheet)
{
    const QSizeF fitted = page.scaled(sheet.size(), Qt::KeepAspectRatio);
    return QRectF(QPointF(sheet.left() + (sheet.width() - fitted.width()) / 2, sheet.top()), fitted);
}

} // namespace

PdfPaintResult paintPdfOnPaper(const QByteArray &pdf, QPagedPaintDevice *device)
{
    QByteArray bytes = pdf;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&buffer);
    if (document.status() != QPdfDocument::Status::Ready || document.pageCount() < 1)
        return { 0, QStringLiteral("The engine's PDF of the frame could not be read.") };

    QPainter painter;
    if (!painter.begin(device))
        return { 0, QStringLiteral("The printer could not be started.") };
    const int dpi = std::min(device->logicalDpiX(), maximumDotsPerInch);
    const QRectF sheet(QPointF(0, 0), QSizeF(painter.viewport().size()));
    for (int page = 0; page < document.pageCount(); ++page) {
        if (page > 0 && !device->newPage()) {
            painter.end();
            return { page, QStringLiteral("The printer took no further page.") };
        }
        const QSizeF points = document.pagePointSize(page);
        const QRectF target = placeOnSheet(points, sheet);
        const QSize dots = (points * dpi / 72.0).toSize();
        const QImage picture = document.render(page, dots);
        if (picture.isNull()) {
            painter.end();
            return { page, QStringLiteral("A page of the frame could not be drawn.") };
        }
        painter.drawImage(target, picture);
    }
    painter.end();
    return { document.pageCount(), {} };
}

} // namespace bidwarden
