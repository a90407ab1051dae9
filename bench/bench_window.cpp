// Start-up, snipe and memory figures of the real window, each against a
// baseline built here on the bare engine, measured side by side in one run.
//
//   bench_window                      driver: runs everything, prints the summary
//   bench_window --startup-only       driver: the start-up figures only
//   bench_window --mode=program|baseline --service=URL --auction=URL
//                                     one start-up; prints its timestamps and PSS
//                                     (the baseline draws as QT_QUICK_BACKEND says)
//   bench_window --snipe              snipe latency and memory growth, in-process
//   bench_window --snipe --bare-loads memory growth over the same posts sent
//                                     with load() on the bare engine
//
// Every child's engine chatter goes to a log file, so the tables stay readable.
#include "demo_server.h"
#include "main_window.h"
#include "peers_thread.h"
#include "process_memory.h"
#include "program.h"
#include "program_setup.h"
#include "renderer_choice.h"
#include "statistics.h"
#include "web_engine_pane.h"

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWebEngineHttpRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

using namespace bidwarden;
using bench::monotonicNs;
using bench::PeersThread;
using bench::median;

namespace {

// Alternating rounds of each start-up kind, after one warm-up of each.
constexpr int startupRounds = 15;
// Alternating rounds of each snipe kind.
constexpr int snipeRounds = 7;
constexpr int snipesForMemory = 50;
// PSS is read once the helpers have had this long to settle after a load.
constexpr int settleMs = 500;

QString argValue(const QStringList &args, const QString &name)
{
    const QString prefix = QStringLiteral("--%1=").arg(name);
    for (const QString &arg : args) {
        if (arg.startsWith(prefix))
            return arg.mid(prefix.size());
    }
    return QString();
}

void mark(const char *name)
{
    std::printf("mark %s %lld\n", name, static_cast<long long>(monotonicNs()));
    std::fflush(stdout);
}

QString engineLogPath()
{
    return QDir::temp().filePath(QStringLiteral("bench_window-engine.log"));
}

// --- one start-up, in a process of its own ---------------------------------

// Marks each pane's first load, and once both have loaded, lets the helpers
// settle, prints the tree's PSS and quits.
class StartupProbe
{
public:
    void paneLoaded(bool &done, const char *name)
    {
        if (std::exchange(done, true))
            return;
        mark(name);
        if (++m_loads < 2)
            return;
        mark("loaded");
        QTimer::singleShot(settleMs, [] {
            std::printf("pss %lld\n", static_cast<long long>(bench::processTreePssKiB()));
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    }

private:
    int m_loads = 0;
};

int runStartup(const QString &mode, const QString &service, const QString &auction)
{
    QTemporaryDir settings;
    QTemporaryDir profileDir;
    StartupProbe probe;
    bool auctionDone = false;
    bool serviceDone = false;
    if (mode == QLatin1String("program")) {
        // As the program's main() does.
        setUpApplication();
        chooseRenderer();
        Program program({ .endpoints = { service, auction },
                          .settings = SettingsFolder(settings.path()),
                          .profileName = QStringLiteral("bench"),
                          .profilePath = profileDir.path() });
        mark("built");
        MainWindow *window = program.window();
        QObject::connect(window->auctionPane(), &BrowserPane::loadFinished, window,
                         [&] { probe.paneLoaded(auctionDone, "auction"); });
        QObject::connect(window->servicePane(), &BrowserPane::loadFinished, window,
                         [&] { probe.paneLoaded(serviceDone, "service"); });
        program.show();
        mark("shown");
        return QApplication::exec();
    }
    if (mode != QLatin1String("baseline")) {
        std::fprintf(stderr, "unknown mode %s\n", qPrintable(mode));
        return 2;
    }
    // The baseline: the same two pages in two bare views on one profile, the
    // profile kept where the program keeps its own, the window and the views
    // of the program's sizes (so both engines draw as many pixels), the
    // service view hidden behind the auction view.
    QWebEngineProfile profile(QStringLiteral("bench"));
    profile.setPersistentStoragePath(profileDir.path());
    profile.setCachePath(profileDir.path() + QStringLiteral("/cache"));
    auto window = std::make_unique<QMainWindow>();
    auto *central = new QWidget(window.get());
    window->setCentralWidget(central);
    auto *auctionView = new QWebEngineView(central);
    auto *serviceView = new QWebEngineView(central);
    auctionView->setPage(new QWebEnginePage(&profile, auctionView));
    serviceView->setPage(new QWebEnginePage(&profile, serviceView));
    // Where and how large the program lays its panes out at 96 dpi, the
    // virtual display's.
    auctionView->setGeometry(0, 96, 766, 536);
    serviceView->setGeometry(0, 96, 766, 536);
    serviceView->hide();
    QObject::connect(auctionView, &QWebEngineView::loadFinished, window.get(),
                     [&] { probe.paneLoaded(auctionDone, "auction"); });
    QObject::connect(serviceView, &QWebEngineView::loadFinished, window.get(),
                     [&] { probe.paneLoaded(serviceDone, "service"); });
    auctionView->setUrl(QUrl(auction));
    serviceView->setUrl(QUrl(service + QStringLiteral("/?source=program")));
    window->resize(773, 689);
    mark("built");
    window->show();
    mark("shown");
    const int result = QApplication::exec();
    // The pages go before the profile they were made on.
    window.reset();
    return result;
}

// --- snipe latency and memory, in-process ---------------------------------

int runSnipe(bool bareLoads)
{
    PeersThread peers;
    QString error;
    if (!peers.listen(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const QString service = peers.serviceUrl();
    const QString auction = peers.auctionUrl() + QStringLiteral("itm/1?hash=abc");

    QTemporaryDir settings;
    QTemporaryDir profileDir;
    // As the program draws, unless QT_QUICK_BACKEND says otherwise; the
    // bare loads below draw the same way.
    chooseRenderer();
    Program measured({ .endpoints = { service, auction },
                       .settings = SettingsFolder(settings.path()),
                       .profileName = QStringLiteral("bench"),
                       .profilePath = profileDir.path() });
    MainWindow *window = measured.window();
    measured.show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        std::fprintf(stderr, "window not active\n");
    auto *servicePage = static_cast<WebEnginePane *>(window->servicePane())->view()->page();
    auto *auctionPane = static_cast<WebEnginePane *>(window->auctionPane());
    if (!QTest::qWaitFor([&] { return auctionPane->locationUrl() == auction; }, 20000))
        std::fprintf(stderr, "auction page did not load\n");
    QTest::qWait(settleMs);

    // One send, from the auction tab in front as a user would have it, to the
    // body's arrival; then the answer page is let load and settle, so each
    // round starts from the same state.
    QSignalSpy answers(servicePage, &QWebEnginePage::loadFinished);
    const auto timed = [&](const std::function<void()> &send) {
        window->selectTab(MainWindow::AuctionTab);
        QTest::qWait(50);
        answers.clear();
        const int before = peers.arrivals();
        const qint64 start = monotonicNs();
        send();
        if (!QTest::qWaitFor([&] { return peers.arrivals() > before; }, 20000)) {
            std::fprintf(stderr, "a snipe did not arrive\n");
            return 0.0;
        }
        const double ms = (peers.lastArrivalNs() - start) / 1e6;
        if (answers.isEmpty() && !answers.wait(20000))
            std::fprintf(stderr, "the answer page did not load\n");
        return ms;
    };
    const QByteArray body = "AuctionURL=" + QUrl::toPercentEncoding(auction);
    // A real key event, through the window as a user's key press arrives.
    const auto viaKey = [&] { QTest::keyClick(window->windowHandle(), Qt::Key_S, Qt::ControlModifier); };
    const auto direct = [&] {
        QWebEngineHttpRequest request(QUrl(service + QStringLiteral("/cl/SUpdate.cfm")), QWebEngineHttpRequest::Post);
        request.setHeader("Content-Type", "application/x-www-form-urlencoded");
        request.setPostData(body);
        servicePage->load(request);
    };

    // The baseline: what the program does for a snipe, done on the bare
    // engine: the same load() into the service page, the service pane shown
    // at once.
    const auto directThenShow = [&] {
        direct();
        window->selectTab(MainWindow::ServiceTab);
    };

    // Memory first, from a fresh window: snipes in a row, PSS read at
    // checkpoints so a plateau (caches filling) can be told from a leak. A
    // run of its own repeats this with bare loads, for the engine's share.
    const int checkpoints[] = { 1, 10, 25, snipesForMemory, 2 * snipesForMemory };
    std::vector<std::map<QString, qint64>> pss;
    int snipes = 0;
    for (const int checkpoint : checkpoints) {
        while (snipes < checkpoint) {
            if (bareLoads)
                timed(directThenShow);
            else
                timed(viaKey);
            ++snipes;
        }
        QTest::qWait(settleMs);
        pss.push_back(bench::processTreePssByRole());
    }
    const auto total = [](const std::map<QString, qint64> &roles) {
        qint64 sum = 0;
        for (const auto &entry : roles)
            sum += entry.second;
        return sum;
    };

    std::printf("\n%-22s", bareLoads ? "PSS (KiB) after loads" : "PSS (KiB) after snipes");
    for (const int checkpoint : checkpoints)
        std::printf(" %9d", checkpoint);
    std::printf("\n");
    for (const auto &entry : pss.back()) {
        std::printf("%-22s", qPrintable(entry.first));
        for (const auto &roles : pss) {
            const auto found = roles.find(entry.first);
            std::printf(" %9lld", static_cast<long long>(found == roles.end() ? 0 : found->second));
        }
        std::printf("\n");
    }
    std::printf("%-22s", "total");
    for (const auto &roles : pss)
        std::printf(" %9lld", static_cast<long long>(total(roles)));
    std::printf("\n");
    const qint64 pssAfterFirst = total(pss.front());
    const qint64 pssAfterFifty = total(pss.at(3));
    const qint64 pssAfterHundred = total(pss.back());
    const char *what = bareLoads ? "bare_loads" : "snipes";
    std::printf("memory_growth_50_%s value=%.1f MB\n", what, (pssAfterFifty - pssAfterFirst) / 1024.0);
    std::printf("memory_growth_%s_51_to_100 value=%.1f MB\n", what, (pssAfterHundred - pssAfterFifty) / 1024.0);
    std::fflush(stdout);
    if (bareLoads)
        return 0;

    // Latency: the program's Ctrl+S against the bare engine doing the same
    // work, alternating; the ratio is of these two. A bare load() with the
    // pane left hidden tells what showing the pane costs the engine.
    std::vector<double> program;
    std::vector<double> baseline;
    std::vector<double> hidden;
    std::vector<double> keyClickMs;
    for (int i = 0; i < snipeRounds; ++i) {
        baseline.push_back(timed(directThenShow));
        program.push_back(timed([&] {
            const qint64 start = monotonicNs();
            viaKey();
            keyClickMs.push_back((monotonicNs() - start) / 1e6);
        }));
        hidden.push_back(timed(direct));
    }

    std::printf("%-34s %9s %12s %12s\n", "snipe (ms, median of 7)", "program", "load()+show", "load() only");
    std::printf("%-34s %9.2f %12.2f %12.2f\n", "send to body arrival", median(program), median(baseline),
                median(hidden));
    std::printf("%-34s %9.2f %12.2f %12.2f\n", "  fastest", *std::min_element(program.begin(), program.end()),
                *std::min_element(baseline.begin(), baseline.end()), *std::min_element(hidden.begin(), hidden.end()));
    std::printf("%-34s %9.2f\n", "  of which inside the key event", median(keyClickMs));
    // For the driver, which sets these against another run's.
    std::printf("snipe_program_ms value=%.3f ms\nsnipe_baseline_ms value=%.3f ms\n", median(program),
                median(baseline));
    std::fflush(stdout);
    return 0;
}

// --- the driver ------------------------------------------------------------

struct Startup
{
    bool ok = false;
    double mainMs = 0; // spawn to main()
    double builtMs = 0;
    double shownMs = 0;
    double requestedMs = 0; // both start-up requests have reached the peers
    double loadedMs = 0;
    double pssKiB = 0;
};

// How a child draws: as the program chooses, or as QT_QUICK_BACKEND forces.
enum class Drawing { Chosen, Default, Software };

QProcess *startChild(const QStringList &args, Drawing drawing)
{
    auto *child = new QProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QUICK_BACKEND"));
    if (drawing != Drawing::Chosen)
        environment.insert(QStringLiteral("QT_QUICK_BACKEND"),
                           drawing == Drawing::Software ? QStringLiteral("software") : QStringLiteral("rhi"));
    child->setProcessEnvironment(environment);
    child->setStandardErrorFile(engineLogPath(), QIODevice::Append);
    child->start(QCoreApplication::applicationFilePath(), args);
    return child;
}

Startup oneStartup(const QString &mode, Drawing drawing, PeersThread &peers)
{
    const QString service = peers.serviceUrl();
    const QString auction = peers.auctionUrl();
    peers.resetFirstArrivals();
    const qint64 spawn = monotonicNs();
    std::unique_ptr<QProcess> child(startChild({ QStringLiteral("--mode=") + mode,
                                                 QStringLiteral("--service=") + service,
                                                 QStringLiteral("--auction=") + auction },
                                               drawing));
    Startup s;
    const auto since = [spawn](const QByteArray &ns) { return (ns.toLongLong() - spawn) / 1e6; };
    while (child->waitForReadyRead(60000) || child->canReadLine()) {
        while (child->canReadLine()) {
            const QList<QByteArray> f = child->readLine().trimmed().split(' ');
            if (f.value(0) == "mark" && f.value(1) == "main")
                s.mainMs = since(f.value(2));
            else if (f.value(0) == "mark" && f.value(1) == "built")
                s.builtMs = since(f.value(2));
            else if (f.value(0) == "mark" && f.value(1) == "shown")
                s.shownMs = since(f.value(2));
            else if (f.value(0) == "mark" && f.value(1) == "loaded")
                s.loadedMs = since(f.value(2));
            else if (f.value(0) == "pss")
                s.pssKiB = f.value(1).toDouble(&s.ok);
        }
        if (s.ok)
            break;
    }
    if (!child->waitForFinished(30000))
        child->kill();
    const qint64 bothRequested = std::max(peers.firstServiceArrivalNs(), peers.firstAuctionArrivalNs());
    if (peers.firstServiceArrivalNs() == 0 || peers.firstAuctionArrivalNs() == 0)
        s.ok = false;
    else
        s.requestedMs = (bothRequested - spawn) / 1e6;
    if (!s.ok)
        std::fprintf(stderr, "a %s start-up did not finish; see %s\n", qPrintable(mode), qPrintable(engineLogPath()));
    return s;
}

int runDriver(bool startupOnly)
{
    QFile::remove(engineLogPath());
    // The peers answer on a thread of the driver's own and stamp each request
    // as it arrives whole, on the clock the children's marks use.
    PeersThread peers;
    QString error;
    if (!peers.listen(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    // One discarded run of each brings them into the page cache. The bare
    // window is measured drawing both ways: the default (OpenGL composition)
    // and the software scene graph; the program draws as it chooses.
    struct Kind
    {
        const char *name;
        QString mode;
        Drawing drawing;
        std::vector<Startup> runs;
    };
    std::vector<Kind> kinds{ { "program", QStringLiteral("program"), Drawing::Chosen, {} },
                             { "bare", QStringLiteral("baseline"), Drawing::Default, {} },
                             { "bare sw", QStringLiteral("baseline"), Drawing::Software, {} } };
    for (const Kind &kind : kinds)
        oneStartup(kind.mode, kind.drawing, peers);
    for (int i = 0; i < startupRounds; ++i) {
        for (Kind &kind : kinds)
            kind.runs.push_back(oneStartup(kind.mode, kind.drawing, peers));
    }

    const auto med = [](const std::vector<Startup> &runs, double Startup::*field) {
        std::vector<double> values;
        for (const Startup &s : runs) {
            if (s.ok)
                values.push_back(s.*field);
        }
        return median(values);
    };
    const Kind &program = kinds.at(0);
    std::printf("%-34s", "start-up (median of 15)");
    for (const Kind &kind : kinds)
        std::printf(" %10s", kind.name);
    std::printf("\n");
    const auto row = [&](const char *label, double Startup::*field) {
        std::printf("%-34s", label);
        for (const Kind &kind : kinds)
            std::printf(" %10.0f", med(kind.runs, field));
        std::printf("\n");
    };
    row("ms, spawn to main()", &Startup::mainMs);
    row("ms, spawn to window built", &Startup::builtMs);
    row("ms, spawn to window shown", &Startup::shownMs);
    row("ms, spawn to both requests arrived", &Startup::requestedMs);
    row("ms, spawn to both panes loaded", &Startup::loadedMs);
    row("PSS of the tree (KiB)", &Startup::pssKiB);
    std::printf("%-34s", "ms to both loaded, each round");
    for (int i = 0; i < startupRounds; ++i) {
        std::printf(" %.0f", program.runs[i].loadedMs);
        for (std::size_t k = 1; k < kinds.size(); ++k)
            std::printf("/%.0f", kinds[k].runs[i].loadedMs);
    }
    std::printf("\n");
    // Each figure against the bare window drawing the default way, then
    // against it drawing in software.
    for (const auto &[figure, field] : { std::pair{ "startup_requests", &Startup::requestedMs },
                                         std::pair{ "startup_time", &Startup::loadedMs },
                                         std::pair{ "startup_pss", &Startup::pssKiB } }) {
        std::printf("%s ratio=%.2f\n", figure, med(program.runs, field) / med(kinds[1].runs, field));
        std::printf("%s_vs_software ratio=%.2f\n", figure, med(program.runs, field) / med(kinds[2].runs, field));
    }
    std::printf("\n");
    std::fflush(stdout);

    if (startupOnly)
        return 0;
    // The snipe: the program as it draws and the bare engine in the same
    // process drawing the same way, then a run drawing the default way for
    // the bare engine's figure there.
    std::map<QString, double> snipeMs;
    const auto snipeRun = [&](const QStringList &args, Drawing drawing, const QString &tag) {
        std::unique_ptr<QProcess> snipe(startChild(args, drawing));
        if (!snipe->waitForFinished(180000) || snipe->exitCode() != 0) {
            std::fprintf(stderr, "the snipe run failed; see %s\n", qPrintable(engineLogPath()));
            return false;
        }
        for (const QByteArray &line : snipe->readAllStandardOutput().split('\n')) {
            std::printf("%s\n", line.constData());
            const QList<QByteArray> f = line.split(' ');
            if (f.size() >= 2 && f.at(0).startsWith("snipe_") && f.at(1).startsWith("value="))
                snipeMs[tag + QString::fromLatin1(f.at(0))] = f.at(1).mid(6).toDouble();
        }
        return true;
    };
    if (!snipeRun({ QStringLiteral("--snipe") }, Drawing::Chosen, QStringLiteral("chosen "))
        || !snipeRun({ QStringLiteral("--snipe") }, Drawing::Default, QStringLiteral("default "))
        || !snipeRun({ QStringLiteral("--snipe"), QStringLiteral("--bare-loads") }, Drawing::Chosen, QString()))
        return 1;
    const double programMs = snipeMs[QStringLiteral("chosen snipe_program_ms")];
    std::printf("snipe_vs_default_drawing ratio=%.2f\n",
                programMs / snipeMs[QStringLiteral("default snipe_baseline_ms")]);
    std::printf("snipe_vs_software ratio=%.2f\n", programMs / snipeMs[QStringLiteral("chosen snipe_baseline_ms")]);
    // Where there is a GPU: the program and the bare engine both drawing the default way.
    std::printf("snipe_with_default_drawing ratio=%.2f\n",
                snipeMs[QStringLiteral("default snipe_program_ms")] / snipeMs[QStringLiteral("default snipe_baseline_ms")]);
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // A start-up child's clock starts here, before the application exists.
    for (int i = 1; i < argc; ++i) {
        if (qstrncmp(argv[i], "--mode=", 7) == 0)
            mark("main");
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString mode = argValue(args, QStringLiteral("mode"));
    if (!mode.isEmpty())
        return runStartup(mode, argValue(args, QStringLiteral("service")), argValue(args, QStringLiteral("auction")));
    if (args.contains(QStringLiteral("--snipe")))
        return runSnipe(args.contains(QStringLiteral("--bare-loads")));
    return runDriver(args.contains(QStringLiteral("--startup-only")));
}
