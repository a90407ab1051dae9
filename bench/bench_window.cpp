// Start-up, snipe and memory figures of the real window, each against a
// baseline built here on the bare engine, measured side by side in one run.
//
//   bench_window                  driver: runs everything, prints the summary
//   bench_window --startup MODE SERVICE AUCTION   one start-up (program|baseline)
//   bench_window --snipe          snipe latency and memory growth, in-process
#include "demo_server.h"
#include "main_window.h"
#include "process_memory.h"
#include "web_engine_browser.h"
#include "web_engine_pane.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineHttpRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace bidwarden;

namespace {

constexpr int rounds = 5;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// One start-up in this process: prints "loaded <pss KiB>" once both panes
// have finished their first load, then quits.
int runStartup(const QString &mode, const QString &service, const QString &auction)
{
    QTemporaryDir settings;
    QTemporaryDir profileDir;
    int loads = 0;
    const auto loaded = [&loads] {
        if (++loads == 2) {
            std::printf("loaded %lld\n", static_cast<long long>(bench::processTreePssKiB()));
            std::fflush(stdout);
            QCoreApplication::quit();
        }
    };
    if (mode == QLatin1String("program")) {
        WebEngineBrowser browser(QStringLiteral("bench"), profileDir.path());
        MainWindow window({ service, auction }, SettingsFolder(settings.path()),
                          [&browser](QWidget *parent) { return browser.createPane(parent); });
        bool auctionDone = false;
        bool serviceDone = false;
        QObject::connect(window.auctionPane(), &BrowserPane::downloadCompleted, &window,
                         [&] { if (!std::exchange(auctionDone, true)) loaded(); });
        QObject::connect(window.servicePane(), &BrowserPane::downloadCompleted, &window,
                         [&] { if (!std::exchange(serviceDone, true)) loaded(); });
        window.show();
        return QApplication::exec();
    }
    // The baseline: the same two pages in two bare views on one profile.
    QWebEngineProfile profile(QStringLiteral("bench"));
    profile.setPersistentStoragePath(profileDir.path());
    QMainWindow window;
    auto *central = new QWidget(&window);
    window.setCentralWidget(central);
    auto *first = new QWebEngineView(central);
    auto *second = new QWebEngineView(central);
    first->setPage(new QWebEnginePage(&profile, first));
    second->setPage(new QWebEnginePage(&profile, second));
    first->setGeometry(0, 96, 760, 500);
    second->setGeometry(0, 96, 760, 500);
    second->hide();
    bool firstDone = false;
    bool secondDone = false;
    QObject::connect(first, &QWebEngineView::loadFinished, &window, [&] { if (!std::exchange(firstDone, true)) loaded(); });
    QObject::connect(second, &QWebEngineView::loadFinished, &window, [&] { if (!std::exchange(secondDone, true)) loaded(); });
    first->setUrl(QUrl(auction));
    second->setUrl(QUrl(service + QStringLiteral("/?source=program")));
    window.resize(773, 720);
    window.show();
    const int result = QApplication::exec();
    delete first;
    delete second;
    return result;
}

// Snipe latency (Ctrl+S to the body's arrival) against a direct engine post,
// and the memory that 50 snipes leave behind.
int runSnipe()
{
    demo::DemoServer peers;
    QString error;
    if (!peers.listen(0, 0, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const QString service = QStringLiteral("http://127.0.0.1:%1").arg(peers.servicePort());
    const QString auction = QStringLiteral("http://127.0.0.1:%1/itm/1?hash=abc").arg(peers.auctionPort());
    int snipesArrived = 0;
    QObject::connect(&peers, &demo::DemoServer::requestArrived, &peers,
                     [&](const QString &, const QString &method, const QString &path) {
                         if (method == QLatin1String("POST") && path == QLatin1String("/cl/SUpdate.cfm"))
                             ++snipesArrived;
                     });

    QTemporaryDir settings;
    QTemporaryDir profileDir;
    WebEngineBrowser browser(QStringLiteral("bench"), profileDir.path());
    MainWindow window({ service, auction }, SettingsFolder(settings.path()),
                      [&browser](QWidget *parent) { return browser.createPane(parent); });
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        std::fprintf(stderr, "window not active\n");
    auto *servicePage = static_cast<WebEnginePane *>(window.servicePane())->view()->page();
    auto *auctionPane = static_cast<WebEnginePane *>(window.auctionPane());
    if (!QTest::qWaitFor([&] { return auctionPane->locationUrl() == auction; }, 20000))
        std::fprintf(stderr, "auction page did not load\n");
    QTest::qWait(500);

    const auto timed = [&](const std::function<void()> &send) {
        const int before = snipesArrived;
        QElapsedTimer timer;
        timer.start();
        send();
        if (!QTest::qWaitFor([&] { return snipesArrived > before; }, 20000))
            std::fprintf(stderr, "a snipe did not arrive\n");
        const double ms = timer.nsecsElapsed() / 1e6;
        QTest::qWait(100); // let the answer page settle before the next round
        return ms;
    };
    const QByteArray body = "AuctionURL=" + QUrl::toPercentEncoding(auction);
    const auto viaKey = [&] { QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier); };
    const auto direct = [&] {
        QWebEngineHttpRequest request(QUrl(service + QStringLiteral("/cl/SUpdate.cfm")), QWebEngineHttpRequest::Post);
        request.setHeader("Content-Type", "application/x-www-form-urlencoded");
        request.setPostData(body);
        servicePage->load(request);
    };

    timed(viaKey); // warm-up, and the first snipe for the memory figure
    QTest::qWait(300);
    const qint64 pssAfterFirst = bench::processTreePssKiB();
    std::vector<double> program;
    std::vector<double> baseline;
    for (int i = 0; i < 7; ++i) {
        baseline.push_back(timed(direct));
        program.push_back(timed(viaKey));
    }
    std::printf("%-28s %10s %10s\n", "snipe (ms, median of 7)", "program", "baseline");
    std::printf("%-28s %10.2f %10.2f\n", "Ctrl+S to body arrival", median(program), median(baseline));
    for (int i = 1 + 7; i < 50; ++i)
        timed(viaKey);
    QTest::qWait(300);
    const qint64 pssAfterFifty = bench::processTreePssKiB();
    std::printf("%-28s %10lld %10lld\n", "PSS KiB after 1 / 50 snipes", static_cast<long long>(pssAfterFirst),
                static_cast<long long>(pssAfterFifty));
    std::printf("snipe ratio=%.2f\n", median(program) / median(baseline));
    std::printf("memory_growth_50_snipes value=%.1f MB\n", (pssAfterFifty - pssAfterFirst) / 1024.0);
    return 0;
}

// Spawns one start-up child and returns (ms from spawn to both loads, PSS KiB).
std::pair<double, double> oneStartup(const QString &mode, const QString &service, const QString &auction)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(), { QStringLiteral("--startup"), mode, service, auction });
    double ms = 0;
    double pss = 0;
    while (child.waitForReadyRead(60000)) {
        const QByteArray line = child.readLine().trimmed();
        if (line.startsWith("loaded ")) {
            ms = timer.nsecsElapsed() / 1e6;
            pss = line.mid(7).toDouble();
            break;
        }
    }
    child.waitForFinished(30000);
    return { ms, pss };
}

int runDriver()
{
    QProcess peers;
    peers.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/bidwarden-demo"));
    peers.setArguments({ QStringLiteral("--service-port"), QStringLiteral("0"), QStringLiteral("--auction-port"),
                         QStringLiteral("0") });
    peers.start();
    QString service;
    QString auction;
    while ((service.isEmpty() || auction.isEmpty()) && peers.waitForReadyRead(10000)) {
        while (peers.canReadLine()) {
            const QString line = QString::fromUtf8(peers.readLine()).trimmed();
            if (line.startsWith(QLatin1String("service-url ")))
                service = line.mid(12);
            else if (line.startsWith(QLatin1String("auction-url ")))
                auction = line.mid(12);
        }
    }
    if (service.isEmpty()) {
        std::fprintf(stderr, "bidwarden-demo did not start\n");
        return 1;
    }
    std::vector<double> programMs, baselineMs, programPss, baselinePss;
    for (int i = 0; i < rounds; ++i) {
        const auto [bms, bpss] = oneStartup(QStringLiteral("baseline"), service, auction);
        const auto [pms, ppss] = oneStartup(QStringLiteral("program"), service, auction);
        baselineMs.push_back(bms);
        baselinePss.push_back(bpss);
        programMs.push_back(pms);
        programPss.push_back(ppss);
    }
    std::printf("%-28s %10s %10s\n", "startup (median of 5)", "program", "baseline");
    std::printf("%-28s %10.0f %10.0f\n", "ms to both loads", median(programMs), median(baselineMs));
    std::printf("%-28s %10.0f %10.0f\n", "PSS of the tree (KiB)", median(programPss), median(baselinePss));
    std::printf("startup_time ratio=%.2f\n", median(programMs) / median(baselineMs));
    std::printf("startup_pss ratio=%.2f\n", median(programPss) / median(baselinePss));
    std::fflush(stdout);
    peers.terminate();
    peers.waitForFinished(5000);
    return QProcess::execute(QCoreApplication::applicationFilePath(), { QStringLiteral("--snipe") });
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 5 && args.at(1) == QLatin1String("--startup"))
        return runStartup(args.at(2), args.at(3), args.at(4));
    if (args.size() == 2 && args.at(1) == QLatin1String("--snipe"))
        return runSnipe();
    return runDriver();
}
