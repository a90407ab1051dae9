#pragma once

#include "demo_sites.h"

#include <QStringList>

#include <optional>

namespace bidwarden::demo {

// A one-page PDF (A4) with the lines of text on it, written out in full:
// objects, cross-reference table and trailer.
QByteArray minimalPdf(const QStringList &lines);

// The auction site's documents: an invoice page with a Print button (and a
// shipping label in a frame with one of its own), the invoice as a PDF shown
// in the page, the same opened in a new window, and as an attachment. None
// for other paths.
std::optional<DemoResponse> invoicePages(const DemoRequest &request);

} // namespace bidwarden::demo
