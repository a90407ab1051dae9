#include "demo_documents.h"

#include <QRegularExpression>
#include <QTest>

using namespace bidwarden::demo;

namespace {

DemoResponse get(const QString &path)
{
    DemoRequest r;
    r.method = QStringLiteral("GET");
    r.path = path;
    r.target = path;
    return handleAuctionSite(r);
}

QByteArray contentDisposition(const DemoResponse &response)
{
    for (const auto &[name, value] : response.headers) {
        if (name.compare("Content-Disposition", Qt::CaseInsensitive) == 0)
            return value;
    }
    return QByteArray();
}

} // namespace

class TestDemoDocuments : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pdfCrossReferencesPointAtItsObjects();
    void pdfEscapesItsText();
    void invoiceIsAPageAPdfAndAnAttachment_data();
    void invoiceIsAPageAPdfAndAnAttachment();
    void homePageLinksToTheInvoice();
};

void TestDemoDocuments::pdfCrossReferencesPointAtItsObjects()
{
    // A reader finds the objects through the table at startxref: each
    // offset there must be where its object starts.
    const QByteArray pdf = minimalPdf({ QStringLiteral("Invoice 4711") });
    QVERIFY(pdf.startsWith("%PDF-1."));
    QVERIFY(pdf.endsWith("%%EOF\n"));
    const QRegularExpressionMatch start = QRegularExpression(QStringLiteral("startxref\n(\\d+)\n")).match(QString::fromLatin1(pdf));
    QVERIFY(start.hasMatch());
    const qsizetype xref = start.captured(1).toLongLong();
    QCOMPARE(pdf.mid(xref, 5), QByteArray("xref\n"));
    const QByteArrayList table = pdf.mid(xref).split('\n');
    QCOMPARE(table.at(1), QByteArray("0 6"));
    for (int object = 1; object <= 5; ++object) {
        const QByteArray entry = table.at(2 + object) + '\n';
        QCOMPARE(entry.size(), 20);
        QVERIFY(entry.endsWith(" 00000 n \n"));
        QVERIFY2(pdf.mid(entry.left(10).toLongLong()).startsWith(QByteArray::number(object) + " 0 obj\n"), entry);
    }
    // The stream is as long as it says.
    const QRegularExpressionMatch stream = QRegularExpression(QStringLiteral("/Length (\\d+) >>\nstream\n"))
                                                   .match(QString::fromLatin1(pdf));
    QVERIFY(stream.hasMatch());
    const qsizetype from = stream.capturedEnd();
    QCOMPARE(pdf.mid(from + stream.captured(1).toLongLong(), 9), QByteArray("endstream"));
}

void TestDemoDocuments::pdfEscapesItsText()
{
    const QByteArray pdf = minimalPdf({ QStringLiteral("a (b) c\\d") });
    QVERIFY2(pdf.contains("(a \\(b\\) c\\\\d) Tj"), pdf.constData());
}

void TestDemoDocuments::invoiceIsAPageAPdfAndAnAttachment_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QByteArray>("disposition");

    QTest::newRow("invoice page") << "/invoice.html" << QByteArray("text/html; charset=utf-8") << QByteArray();
    QTest::newRow("label in its frame") << "/invoice-label.html" << QByteArray("text/html; charset=utf-8")
                                        << QByteArray();
    QTest::newRow("PDF shown in the page") << "/invoice.pdf" << QByteArray("application/pdf") << QByteArray();
    QTest::newRow("PDF as an attachment") << "/download/invoice.pdf" << QByteArray("application/pdf")
                                          << QByteArray("attachment; filename=\"invoice.pdf\"");
}

void TestDemoDocuments::invoiceIsAPageAPdfAndAnAttachment()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, contentType);
    QFETCH(QByteArray, disposition);
    const DemoResponse response = get(path);
    QCOMPARE(response.status, 200);
    QCOMPARE(response.contentType, contentType);
    QCOMPARE(contentDisposition(response), disposition);
    if (contentType == "application/pdf")
        QVERIFY(response.body.startsWith("%PDF-"));
}

void TestDemoDocuments::homePageLinksToTheInvoice()
{
    QVERIFY(get(QStringLiteral("/")).body.contains("href=\"/invoice.html\""));
}

QTEST_GUILESS_MAIN(TestDemoDocuments)
#include "tst_demo_documents.moc"
