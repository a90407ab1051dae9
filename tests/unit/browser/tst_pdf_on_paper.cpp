#include "pdf_on_paper.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QTest>

using namespace bidwarden;

namespace {

// One page of a PDF: its size and the part of it painted black, as
// fractions of the page.
struct SourcePage
{
    QPageLayout::Orientation orientation;
    QRectF black;
};

QByteArray pdfOf(const QList<SourcePage> &pages)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A6));
    writer.setPageMargins(QMarginsF());
    writer.setPageOrientation(pages.first().orientation);
    QPainter painter(&writer);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            writer.setPageOrientation(pages.at(i).orientation);
            writer.newPage();
        }
        const QRectF page = painter.viewport();
        const QRectF black = pages.at(i).black;
        painter.fillRect(QRectF(page.width() * black.x(), page.height() * black.y(), page.width() * black.width(),
                                page.height() * black.height()),
                         Qt::black);
    }
    painter.end();
    return bytes;
}

// Paints the PDF on A4 paper with no margins; the paper is a PDF too.
PdfPaintResult paintOnA4(const QByteArray &pdf, QByteArray *paper)
{
    QBuffer buffer(paper);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter printer(&buffer);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF());
    return paintPdfOnPaper(pdf, &printer);
}

// The sheets a paint on A4 paper came to, as pictures.
QList<QImage> sheetsOf(const QByteArray &paper)
{
    QByteArray bytes = paper;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&buffer);
    QList<QImage> sheets;
    for (int page = 0; page < document.pageCount(); ++page)
        sheets << document.render(page, QSize(210, 297));
    return sheets;
}

// Whether there is ink there: the sheets render with no background.
bool blackAt(const QImage &sheet, QPointF at)
{
    const QRgb dot = sheet.pixel(int(at.x() * sheet.width()), int(at.y() * sheet.height()));
    return qAlpha(dot) > 128 && qGray(dot) < 100;
}

} // namespace

Q_DECLARE_METATYPE(QList<SourcePage>)

class TestPdfOnPaper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pagesKeepTheirShapePlaceAndOrder_data();
    void pagesKeepTheirShapePlaceAndOrder();
    void whatIsNoPdfPrintsNothing_data();
    void whatIsNoPdfPrintsNothing();
};

void TestPdfOnPaper::pagesKeepTheirShapePlaceAndOrder_data()
{
    QTest::addColumn<QList<SourcePage>>("pages");
    // For each sheet: a point that must be black and one that must be white.
    QTest::addColumn<QList<QPointF>>("black");
    QTest::addColumn<QList<QPointF>>("white");

    const auto portrait = QPageLayout::Portrait;
    const auto landscape = QPageLayout::Landscape;
    // A6 has A4's shape: the page fills the sheet.
    QTest::newRow("a page of the sheet's shape fills it")
            << QList<SourcePage>{ { portrait, QRectF(0, 0, 0.5, 1) } } << QList<QPointF>{ { 0.25, 0.5 } }
            << QList<QPointF>{ { 0.75, 0.5 } };
    // A wide page is as wide as the sheet, at its top, the rest left blank.
    QTest::newRow("a wide page at the top of the sheet")
            << QList<SourcePage>{ { landscape, QRectF(0, 0, 1, 1) } } << QList<QPointF>{ { 0.5, 0.2 } }
            << QList<QPointF>{ { 0.5, 0.9 } };
    QTest::newRow("each page on a sheet of its own, in order")
            << QList<SourcePage>{ { portrait, QRectF(0, 0, 1, 0.5) }, { portrait, QRectF(0, 0.5, 1, 0.5) } }
            << QList<QPointF>{ { 0.5, 0.25 }, { 0.5, 0.75 } } << QList<QPointF>{ { 0.5, 0.75 }, { 0.5, 0.25 } };
}

void TestPdfOnPaper::pagesKeepTheirShapePlaceAndOrder()
{
    QFETCH(QList<SourcePage>, pages);
    QFETCH(QList<QPointF>, black);
    QFETCH(QList<QPointF>, white);

    QByteArray paper;
    const PdfPaintResult result = paintOnA4(pdfOf(pages), &paper);
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.pages, pages.size());
    const QList<QImage> sheets = sheetsOf(paper);
    QCOMPARE(sheets.size(), pages.size());
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        QVERIFY2(blackAt(sheets.at(i), black.at(i)), qPrintable(QStringLiteral("sheet %1").arg(i + 1)));
        QVERIFY2(!blackAt(sheets.at(i), white.at(i)), qPrintable(QStringLiteral("sheet %1").arg(i + 1)));
    }
}

void TestPdfOnPaper::whatIsNoPdfPrintsNothing_data()
{
    QTest::addColumn<QByteArray>("pdf");
    QTest::newRow("nothing") << QByteArray();
    QTest::newRow("a page of text") << QByteArray("<html>not a PDF</html>");
    QTest::newRow("a PDF cut short") << pdfOf({ { QPageLayout::Portrait, QRectF(0, 0, 1, 1) } }).left(40);
}

void TestPdfOnPaper::whatIsNoPdfPrintsNothing()
{
    QFETCH(QByteArray, pdf);
    QByteArray paper;
    const PdfPaintResult result = paintOnA4(pdf, &paper);
    QVERIFY(!result.ok());
    QCOMPARE(result.pages, 0);
    // The printer was never started: no sheet went out.
    QVERIFY2(paper.isEmpty(), paper.left(20).constData());
}

QTEST_MAIN(TestPdfOnPaper)
#include "tst_pdf_on_paper.moc"
