#pragma once

#include <QString>

namespace bidwarden {

// The program's fixed addresses. main() fills them from the build's constants;
// tests point them at servers on loopback.
struct Endpoints
{
    // Scheme and host of the sniping service, no trailing slash.
    QString serviceBase;
    // The auction pane's built-in home page.
    QString auctionHome;
};

} // namespace bidwarden
