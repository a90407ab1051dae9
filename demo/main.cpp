#include "demo_server.h"
#include "peer_addresses.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

using namespace bidwarden::demo;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("bidwarden-demo"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
            QStringLiteral("Demo sniping service and auction site for Bidwarden, on 127.0.0.1."));
    parser.addHelpOption();
    const QCommandLineOption servicePort(QStringLiteral("service-port"),
                                         QStringLiteral("Port of the demo service (0: any free port)."),
                                         QStringLiteral("port"), QStringLiteral("18080"));
    const QCommandLineOption auctionPort(QStringLiteral("auction-port"),
                                         QStringLiteral("Port of the demo auction site (0: any free port)."),
                                         QStringLiteral("port"), QStringLiteral("18081"));
    const QCommandLineOption logFile(QStringLiteral("log"),
                                     QStringLiteral("Append one JSON line per request to this file."),
                                     QStringLiteral("file"));
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("Hold back the answers for one path, e.g. auction:/itm/5=1500 "
                                                  "(milliseconds; may be given more than once)."),
                                   QStringLiteral("site:path=ms"));
    parser.addOptions({ servicePort, auctionPort, logFile, delay });
    parser.process(app);

    bool servicePortOk = false;
    bool auctionPortOk = false;
    const uint service = parser.value(servicePort).toUInt(&servicePortOk);
    const uint auction = parser.value(auctionPort).toUInt(&auctionPortOk);
    if (!servicePortOk || !auctionPortOk || service > 65535 || auction > 65535) {
        std::fprintf(stderr, "bidwarden-demo: ports are numbers from 0 to 65535\n");
        return 2;
    }

    DemoServer server;
    QString error;
    if (parser.isSet(logFile) && !server.openLog(parser.value(logFile), &error)) {
        std::fprintf(stderr, "bidwarden-demo: %s\n", qPrintable(error));
        return 1;
    }
    for (const QString &rule : parser.values(delay)) {
        if (!server.delayAnswers(rule)) {
            std::fprintf(stderr, "bidwarden-demo: --delay takes service:/path=ms or auction:/path=ms, not %s\n",
                         qPrintable(rule));
            return 2;
        }
    }
    if (!server.listen(quint16(service), quint16(auction), &error)) {
        std::fprintf(stderr, "bidwarden-demo: %s\n", qPrintable(error));
        return 1;
    }
    // Tests and scripts read these two lines to find the peers.
    const PeerAddresses addresses{ server.servicePort(), server.auctionPort() };
    std::fputs(qPrintable(addresses.announcement()), stdout);
    std::fflush(stdout);
    return app.exec();
}
