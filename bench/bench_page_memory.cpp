// Memory over a long run of listing pages that each load the next by
// themselves: the PSS of the process tree, the window's process and the
// renderers apart, every few pages, and the least-squares growth per page.
//
//   bench_page_memory [--program | --chromium=PATH] [--pages=N] [--every=K] [--from=W]
//                     [--probe=clear-history|discard|freeze|hide] [--settle=MS]
//
// By default the pages go into a bare QWebEngineView on a profile of its own;
// --program loads them into the program's auction pane (through Program),
// --chromium into a browser started as a child process, for comparison.
// QTWEBENGINE_CHROMIUM_FLAGS reaches the engine as usual; with
// --js-flags=--expose-gc each page calls gc() before it leaves. --probe does
// something to the page at every sample (before it is read), to see whether
// it lets the memory go; --settle is how long the last page sits idle
// before each sample (default 1000 ms).
#include "main_window.h"
#include "page_peer.h"
#include "peers_thread.h"
#include "process_memory.h"
#include "program.h"
#include "program_setup.h"
#include "renderer_choice.h"
#include "web_engine_pane.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cstdio>
#include <memory>
#include <vector>

using namespace bidwarden;

namespace {

constexpr int pageTimeoutMs = 10000;

QString argValue(const QStringList &args, const QString &name, const QString &fallback = QString())
{
    const QString prefix = QStringLiteral("--%1=").arg(name);
    for (const QString &arg : args) {
        if (arg.startsWith(prefix))
            return arg.mid(prefix.size());
    }
    return fallback;
}

struct Sample
{
    int pages = 0;
    double totalMiB = 0;
    double rendererMiB = 0;
    double othersMiB = 0; // the window's (or browser's) process and the other helpers
    int renderers = 0;
};

Sample sampleAt(int pages)
{
    Sample s{ pages };
    for (const bench::ProcessPss &p : bench::processTreePss()) {
        const double mib = p.pssKiB / 1024.0;
        s.totalMiB += mib;
        const bool renderer = p.role == QLatin1String("renderer");
        (renderer ? s.rendererMiB : s.othersMiB) += mib;
        s.renderers += renderer ? 1 : 0;
    }
    return s;
}

// Least-squares slope of one figure over the samples from `from` pages on,
// in MiB per page.
double slope(const std::vector<Sample> &samples, int from, double Sample::*figure)
{
    double n = 0, mx = 0, my = 0;
    for (const Sample &s : samples) {
        if (s.pages >= from) {
            ++n;
            mx += s.pages;
            my += s.*figure;
        }
    }
    if (n < 2)
        return 0;
    mx /= n;
    my /= n;
    double sxy = 0, sxx = 0;
    for (const Sample &s : samples) {
        if (s.pages >= from) {
            sxy += (s.pages - mx) * (s.*figure - my);
            sxx += (s.pages - mx) * (s.pages - mx);
        }
    }
    return sxx > 0 ? sxy / sxx : 0;
}

// Where the pages are shown: the bare view, the program or another browser.
class Viewer
{
public:
    virtual ~Viewer() = default;
    virtual void start(const QString &url) = 0;
    virtual void probe(const QString &) {}
};

class BareViewer : public Viewer
{
public:
    BareViewer()
        : m_profile(QStringLiteral("bench-page-memory"))
    {
        m_profile.setPersistentStoragePath(m_dir.path());
        m_profile.setCachePath(m_dir.path() + QStringLiteral("/cache"));
        m_page = std::make_unique<QWebEnginePage>(&m_profile);
        m_view.setPage(m_page.get());
        m_view.resize(1024, 768);
        m_view.show();
    }
    ~BareViewer() override { m_view.setPage(nullptr); }
    void start(const QString &url) override { m_view.load(QUrl(url)); }
    void probe(const QString &what) override { probePage(&m_view, what); }

    // Shared with the program's pane: the probes work on any view.
    static void probePage(QWebEngineView *view, const QString &what)
    {
        if (what == QLatin1String("clear-history")) {
            view->page()->history()->clear();
        } else if (what == QLatin1String("discard")) {
            // The engine discards only a page that is not visible.
            view->page()->setVisible(false);
            view->page()->setLifecycleState(QWebEnginePage::LifecycleState::Discarded);
            view->page()->setLifecycleState(QWebEnginePage::LifecycleState::Active);
            view->page()->setVisible(true);
        } else if (what == QLatin1String("freeze")) {
            view->page()->setVisible(false);
            view->page()->setLifecycleState(QWebEnginePage::LifecycleState::Frozen);
            QTest::qWait(3000);
            view->page()->setLifecycleState(QWebEnginePage::LifecycleState::Active);
            view->page()->setVisible(true);
        } else if (what == QLatin1String("hide")) {
            view->page()->setVisible(false);
            QTest::qWait(3000);
            view->page()->setVisible(true);
        }
    }

private:
    QTemporaryDir m_dir;
    QWebEngineProfile m_profile;
    std::unique_ptr<QWebEnginePage> m_page;
    QWebEngineView m_view;
};

class ProgramViewer : public Viewer
{
public:
    explicit ProgramViewer(const QString &firstPage)
    {
        QString error;
        if (!m_peers.listen(&error))
            std::fprintf(stderr, "service peer: %s\n", qPrintable(error));
        m_program = std::make_unique<Program>(Program::Options{ .endpoints = { m_peers.serviceUrl(), firstPage },
                                                                .settings = SettingsFolder(m_settings.path()),
                                                                .profileName = QStringLiteral("bench"),
                                                                .profilePath = m_profileDir.path() });
    }
    // The program loads its home pages itself as it starts.
    void start(const QString &) override
    {
        m_program->show();
        m_program->window()->selectTab(MainWindow::AuctionTab);
    }
    void probe(const QString &what) override
    {
        auto *pane = static_cast<WebEnginePane *>(m_program->window()->auctionPane());
        BareViewer::probePage(pane->view(), what);
    }

private:
    bench::PeersThread m_peers;
    QTemporaryDir m_settings;
    QTemporaryDir m_profileDir;
    std::unique_ptr<Program> m_program;
};

class ChromiumViewer : public Viewer
{
public:
    explicit ChromiumViewer(const QString &executable) : m_executable(executable) {}
    ~ChromiumViewer() override
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }
    void start(const QString &url) override
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.start(m_executable, { QStringLiteral("--user-data-dir=") + m_dir.path(), QStringLiteral("--no-first-run"),
                                        QStringLiteral("--no-default-browser-check"), QStringLiteral("--no-sandbox"),
                                        QStringLiteral("--window-size=1024,768"), url });
    }

private:
    QString m_executable;
    QTemporaryDir m_dir;
    QProcess m_process;
};

struct Run
{
    QString kind; // bare, program or chromium
    QString chromium;
    int pages = 200;
    int every = 25;
    int from = 50;
    QString probe;
    int settleMs = 1000;
};

Run runFrom(const QStringList &args)
{
    Run run;
    run.chromium = argValue(args, QStringLiteral("chromium"));
    run.kind = args.contains(QStringLiteral("--program")) ? QStringLiteral("program")
            : run.chromium.isEmpty()                      ? QStringLiteral("bare")
                                                          : QStringLiteral("chromium");
    run.pages = std::max(2, argValue(args, QStringLiteral("pages"), QStringLiteral("200")).toInt());
    run.every = std::max(1, argValue(args, QStringLiteral("every"), QStringLiteral("25")).toInt());
    run.from = argValue(args, QStringLiteral("from"), QString::number(run.pages / 4)).toInt();
    run.probe = argValue(args, QStringLiteral("probe"));
    run.settleMs = argValue(args, QStringLiteral("settle"), QStringLiteral("1000")).toInt();
    return run;
}

std::unique_ptr<Viewer> makeViewer(const Run &run, const bench::PagePeer &peer)
{
    if (run.kind == QLatin1String("program"))
        return std::make_unique<ProgramViewer>(peer.pageUrl(0));
    if (run.kind == QLatin1String("chromium"))
        return std::make_unique<ChromiumViewer>(run.chromium);
    return std::make_unique<BareViewer>();
}

// Lets the pages through `every` at a time and samples the tree while the
// last of them sits loaded. Empty when the pages stopped.
std::vector<Sample> samplePages(const Run &run, bench::PagePeer &peer, Viewer &viewer)
{
    std::printf("%6s %10s %10s %10s %9s\n", "pages", "tree MiB", "renderer", "others", "renderers");
    std::vector<Sample> samples;
    for (int upTo = 0; upTo <= run.pages; upTo += run.every) {
        // The page `upTo` has loaded once it asks for the next one, which
        // the peer holds until the sample is taken.
        if (!QTest::qWaitFor([&] { return peer.lastRequested() > upTo; }, pageTimeoutMs * run.every)) {
            std::fprintf(stderr, "page %d never asked for the next one (the last asked for: %d)\n", upTo,
                         peer.lastRequested());
            return {};
        }
        if (!run.probe.isEmpty())
            viewer.probe(run.probe);
        QTest::qWait(run.settleMs);
        samples.push_back(sampleAt(upTo));
        const Sample &s = samples.back();
        std::printf("%6d %10.1f %10.1f %10.1f %9d\n", s.pages, s.totalMiB, s.rendererMiB, s.othersMiB, s.renderers);
        std::fflush(stdout);
        peer.allowUpTo(upTo + run.every);
    }
    return samples;
}

void printSummary(const Run &run, const std::vector<Sample> &samples)
{
    QString name = QStringLiteral("page_memory_") + run.kind;
    if (!run.probe.isEmpty())
        name += QLatin1Char('_') + QString(run.probe).replace(QLatin1Char('-'), QLatin1Char('_'));
    std::printf("%s_per_page value=%.3f MiB\n", qPrintable(name), slope(samples, run.from, &Sample::totalMiB));
    std::printf("%s_renderer_per_page value=%.3f MiB\n", qPrintable(name),
                slope(samples, run.from, &Sample::rendererMiB));
    std::printf("%s_others_per_page value=%.3f MiB\n", qPrintable(name), slope(samples, run.from, &Sample::othersMiB));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const Run run = runFrom(app.arguments());
    if (run.kind == QLatin1String("program")) {
        setUpApplication();
        chooseRenderer();
    }
    bench::PagePeer peer;
    QString error;
    if (!peer.listen(&error)) {
        std::fprintf(stderr, "page peer: %s\n", qPrintable(error));
        return 1;
    }
    const std::unique_ptr<Viewer> viewer = makeViewer(run, peer);
    peer.allowUpTo(0);
    viewer->start(peer.pageUrl(0));
    std::printf("%s: %d pages, a sample every %d%s%s; engine flags: %s\n", qPrintable(run.kind), run.pages, run.every,
                run.probe.isEmpty() ? "" : ", probe ", qPrintable(run.probe),
                qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").constData());
    const std::vector<Sample> samples = samplePages(run, peer, *viewer);
    if (samples.empty())
        return 1;
    printSummary(run, samples);
    return 0;
}
