#include "demo_documents.h"

namespace bidwarden::demo {

namespace {

// A PDF string's text: its delimiters and backslash escaped.
QByteArray pdfString(const QString &text)
{
    QByteArray escaped;
    for (const char c : text.toLatin1()) {
        if (c == '(' || c == ')' || c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return '(' + escaped + ')';
}

QByteArray pageContent(const QStringList &lines)
{
    QByteArray content = "BT /F1 18 Tf 72 760 Td 24 TL\n";
    for (const QString &line : lines)
        content += pdfString(line) + " Tj T*\n";
    return content + "ET\n";
}

DemoResponse invoicePdf(bool attachment)
{
    DemoResponse response;
    response.contentType = "application/pdf";
    if (attachment)
        response.headers.append(
                qMakePair(QByteArray("Content-Disposition"), QByteArray("attachment; filename=\"invoice.pdf\"")));
    response.body = minimalPdf({ QStringLiteral("Demo Auctions"), QStringLiteral("Invoice 4711"),
                                 QStringLiteral("Item 123: 42.00 EUR") });
    return response;
}

} // namespace

QByteArray minimalPdf(const QStringList &lines)
{
    const QByteArray content = pageContent(lines);
    const QByteArrayList objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 4 0 R >> >>"
        " /Contents 5 0 R >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
        "<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content + "endstream",
    };
    QByteArray pdf = "%PDF-1.4\n";
    QByteArray xref = "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (qsizetype i = 0; i < objects.size(); ++i) {
        // Each entry 20 bytes: the object's offset, its generation, "n".
        xref += QByteArray::number(pdf.size()).rightJustified(10, '0') + " 00000 n \n";
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const QByteArray startXref = QByteArray::number(pdf.size());
    pdf += xref + "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R >>\n";
    return pdf + "startxref\n" + startXref + "\n%%EOF\n";
}

std::optional<DemoResponse> invoicePages(const DemoRequest &request)
{
    const QString &path = request.path;
    DemoResponse response;
    if (path == QLatin1String("/invoice.html")) {
        response.body = htmlPage(
                QStringLiteral("Invoice 4711 \u2014 Demo Auctions"),
                { QStringLiteral("Item 123: 42.00 EUR. Thank you for your purchase.") },
                QStringLiteral("<p><button id=\"print\" onclick=\"window.print()\">Print</button></p>"
                               "<p><a id=\"pdf\" href=\"/invoice.pdf\">The invoice as a PDF</a></p>"
                               "<p><a id=\"pdf-blank\" href=\"/invoice.pdf\" target=\"_blank\">"
                               "The PDF in a new window</a></p>"
                               "<p><a id=\"pdf-attachment\" href=\"/download/invoice.pdf\">Download the PDF</a></p>"
                               "<p><a id=\"pdf-attachment-blank\" href=\"/download/invoice.pdf\" target=\"_blank\">"
                               "Download the PDF from a new window</a></p>"
                               "<p><a id=\"invoice-blank\" href=\"/invoice.html\" target=\"_blank\">"
                               "The invoice in a new window</a></p>"
                               "<iframe id=\"label\" src=\"/invoice-label.html\" "
                               "style=\"width: 300px; height: 120px; border: 0\"></iframe>"));
        return response;
    }
    if (path == QLatin1String("/invoice-label.html")) {
        response.body = htmlPage(QStringLiteral("Shipping label \u2014 Demo Auctions"), {},
                                 QStringLiteral("<style>html, body { margin: 0; height: 100% } h1 { display: none }"
                                                "</style><button id=\"print\" onclick=\"window.print()\" "
                                                "style=\"width: 100%; height: 100%\">Print the label</button>"));
        return response;
    }
    if (path == QLatin1String("/invoice.pdf") || path == QLatin1String("/download/invoice.pdf"))
        return invoicePdf(path.startsWith(QLatin1String("/download/")));
    return std::nullopt;
}

} // namespace bidwarden::demo
