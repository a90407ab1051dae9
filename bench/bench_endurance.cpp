// One long session, as a user who keeps the program open all day has it:
// auction pages loaded by clicking links, Back, Forward and typed addresses,
// and snipes with Ctrl+S, all through the window. Every tenth of the way it
// samples the process tree (PSS, open files, threads) and times a completion
// pass over the address list as it has grown.
//
//   bench_endurance [LOADS [SNIPES]]      defaults: 2000 loads, 500 snipes
#include "address_box.h"
#include "address_completion.h"
#include "main_window.h"
#include "peers_thread.h"
#include "process_memory.h"
#include "program.h"
#include "program_setup.h"
#include "renderer_choice.h"
#include "statistics.h"
#include "web_engine_pane.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <vector>

using namespace bidwarden;
using bench::median;

namespace {

constexpr int loadTimeoutMs = 20000;

struct Sample
{
    int loads = 0;
    int snipes = 0;
    bench::TreeUsage usage;
    double completionUs = 0;
    qsizetype listSize = 0;
    std::map<QString, qint64> roles; // PSS by kind of process
};

// Single samples scatter by a few per cent; the least-squares line through
// every sample from `fromLoads` on says whether memory climbs: its slope, in
// per cent of the mean per 1,000 pages.
double pssTrendPer1000Pages(const std::vector<Sample> &samples, int fromLoads)
{
    double n = 0;
    double meanX = 0;
    double meanY = 0;
    for (const Sample &s : samples) {
        if (s.loads >= fromLoads) {
            ++n;
            meanX += s.loads;
            meanY += double(s.usage.pssKiB);
        }
    }
    if (n < 2)
        return 0;
    meanX /= n;
    meanY /= n;
    double sxy = 0;
    double sxx = 0;
    for (const Sample &s : samples) {
        if (s.loads >= fromLoads) {
            sxy += (s.loads - meanX) * (double(s.usage.pssKiB) - meanY);
            sxx += (s.loads - meanX) * (s.loads - meanX);
        }
    }
    return sxx > 0 && meanY > 0 ? 100.0 * 1000.0 * (sxy / sxx) / meanY : 0.0;
}

// A pass over the whole list that matches nothing at the last character:
// the most a pass can cost for this list.
double completionPassUs(const QStringList &list)
{
    if (list.isEmpty())
        return 0;
    const QString typed = list.last() + QStringLiteral("#");
    std::vector<double> runs;
    for (int i = 0; i < 21; ++i) {
        QElapsedTimer timer;
        timer.start();
        const auto found = completeAddress(typed, list);
        runs.push_back(timer.nsecsElapsed() / 1000.0);
        if (found)
            std::fprintf(stderr, "unexpected completion\n");
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

// The centre of the page's index-th item link, in the view's coordinates,
// scrolled into view first.
std::optional<QPoint> linkCentre(QWebEngineView *view, int index)
{
    QVariant result;
    bool done = false;
    view->page()->runJavaScript(
            QStringLiteral("(function () { var a = document.querySelectorAll('a[href*=\"itm\"]')[%1];"
                           " if (!a) return null; a.scrollIntoView({ block: 'center' });"
                           " var r = a.getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]; })()")
                    .arg(index),
            [&](const QVariant &value) {
                result = value;
                done = true;
            });
    if (!QTest::qWaitFor([&] { return done; }, loadTimeoutMs) || result.toList().size() != 2)
        return std::nullopt;
    const QVariantList xy = result.toList();
    return QPoint(int(xy.at(0).toDouble()), int(xy.at(1).toDouble()));
}

class Session
{
public:
    Session(MainWindow *window, bench::PeersThread *peers) : m_window(window), m_peers(peers) {}

    // One auction page by the n-th way: a link, Back, Forward, a typed address.
    bool load(int n)
    {
        auto *pane = static_cast<WebEnginePane *>(m_window->auctionPane());
        m_window->selectTab(MainWindow::AuctionTab);
        QSignalSpy finished(pane, &BrowserPane::loadFinished);
        QSignalSpy began(pane, &BrowserPane::loadStarted);
        QSignalSpy committed(pane, &BrowserPane::navigateCompleted);
        const QString before = pane->locationUrl();
        switch (n % 4) {
        case 0: {
            // A user's click on one of the page's item links, through the
            // window. (A click made by a script carries no user activation,
            // and the engine then leaves the page out of Back and Forward.)
            const std::optional<QPoint> at = linkCentre(pane->view(), n % 3);
            if (!at) {
                std::fprintf(stderr, "load %d: the page has no item link to click\n", n + 1);
                return false;
            }
            QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, pane->view()->mapTo(m_window, *at));
            break;
        }
        case 1:
            pane->goBack();
            break;
        case 2:
            pane->goForward();
            break;
        default: {
            auto *box = m_window->findChild<AddressBox *>(QStringLiteral("Urlbox"));
            box->lineEdit()->setFocus(Qt::MouseFocusReason);
            QTest::keyClick(m_window->windowHandle(), Qt::Key_A, Qt::ControlModifier);
            for (const QChar c : m_peers->auctionUrl()) // the home page, whose links the next click needs
                QTest::keyClick(m_window->windowHandle(), c.toLatin1());
            // Takes away what the completion added, as a user does.
            QTest::keyClick(m_window->windowHandle(), Qt::Key_Delete);
            QTest::keyClick(m_window->windowHandle(), Qt::Key_Return);
            break;
        }
        }
        if (finished.wait(loadTimeoutMs) || !finished.isEmpty()) {
            // Back returns to the page the link was clicked on, Forward to the
            // item again.
            if (n % 4 == 1 && pane->locationUrl() != m_beforeClick)
                ++m_wrongPages;
            if (n % 4 == 2 && pane->locationUrl() != m_clicked)
                ++m_wrongPages;
            if (n % 4 == 0) {
                m_beforeClick = before;
                m_clicked = pane->locationUrl();
            }
            return true;
        }
        // What the engine did report tells a lost event from a navigation
        // that never started.
        static const char *const ways[] = { "link", "Back", "Forward", "typed address" };
        std::fprintf(stderr, "load %d (%s) gave no load event in %d ms: %lld starts, %lld commits, %s -> %s\n",
                     n + 1, ways[n % 4], loadTimeoutMs, static_cast<long long>(began.size()),
                     static_cast<long long>(committed.size()), qPrintable(before), qPrintable(pane->locationUrl()));
        return false;
    }

    bool snipe()
    {
        auto *service = m_window->servicePane();
        QSignalSpy finished(service, &BrowserPane::loadFinished);
        const int before = m_peers->arrivals();
        QTest::keyClick(m_window->windowHandle(), Qt::Key_S, Qt::ControlModifier);
        const bool arrived = QTest::qWaitFor([&] { return m_peers->arrivals() > before; }, loadTimeoutMs);
        return arrived && (finished.wait(loadTimeoutMs) || !finished.isEmpty());
    }

    // Back or Forward that loaded some other page than the one expected.
    int wrongPages() const { return m_wrongPages; }

private:
    MainWindow *m_window;
    bench::PeersThread *m_peers;
    QString m_beforeClick;
    QString m_clicked;
    int m_wrongPages = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    setUpApplication();
    chooseRenderer();
    const int loads = argc > 1 ? std::max(10, atoi(argv[1])) : 2000;
    const int snipes = argc > 2 ? std::max(0, atoi(argv[2])) : 500;

    bench::PeersThread peers;
    QString error;
    if (!peers.listen(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QTemporaryDir settings;
    QTemporaryDir profileDir;
    Program program({ .endpoints = { peers.serviceUrl(), peers.auctionUrl() },
                      .settings = SettingsFolder(settings.path()),
                      .profileName = QStringLiteral("bench"),
                      .profilePath = profileDir.path() });
    MainWindow *window = program.window();
    program.show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        std::fprintf(stderr, "window not active\n");
    auto *box = window->findChild<AddressBox *>(QStringLiteral("Urlbox"));
    if (!QTest::qWaitFor([&] { return !box->addresses().isEmpty(); }, loadTimeoutMs))
        std::fprintf(stderr, "the start page did not load\n");

    Session session(window, &peers);
    std::vector<Sample> samples;
    // Each pane's renderer apart: which page's memory grows.
    const auto renderersByPane = [window] {
        const auto pid = [](BrowserPane *pane) {
            return qint64(static_cast<WebEnginePane *>(pane)->view()->page()->renderProcessPid());
        };
        return std::map<qint64, QString>{ { pid(window->auctionPane()), QStringLiteral("renderer, auction pane") },
                                          { pid(window->servicePane()), QStringLiteral("renderer, service pane") } };
    };
    const auto sample = [&](int done, int sniped) {
        QTest::qWait(500); // let the helpers settle
        samples.push_back({ done, sniped, bench::processTreeUsage(), completionPassUs(box->addresses()),
                            box->addresses().size(), bench::processTreePssByRole(renderersByPane()) });
        const Sample &s = samples.back();
        std::printf("%6d %6d %10lld %6d %7d %9lld %10.1f\n", s.loads, s.snipes, static_cast<long long>(s.usage.pssKiB),
                    s.usage.openFiles, s.usage.threads, static_cast<long long>(s.listSize), s.completionUs);
        std::fflush(stdout);
    };
    std::printf("%6s %6s %10s %6s %7s %9s %10s\n", "loads", "snipes", "PSS KiB", "fds", "threads", "list",
                "pass (us)");
    sample(0, 0);
    int failedLoads = 0;
    int failedSnipes = 0;
    int sniped = 0;
    std::vector<double> pssNearFifty;
    std::vector<double> pssNearThreeHundred;
    const int snipeEvery = snipes > 0 ? std::max(1, loads / snipes) : loads + 1;
    for (int done = 1; done <= loads; ++done) {
        failedLoads += session.load(done - 1) ? 0 : 1;
        if (done % snipeEvery == 0 && sniped < snipes) {
            failedSnipes += session.snipe() ? 0 : 1;
            ++sniped;
        }
        // The tree's memory moves by a few per cent from one page to the next
        // (the engine's caches and collections), so the 50- and 300-page
        // figures are each the median over one round of the four ways.
        if ((done > 46 && done <= 50) || (done > 296 && done <= 300)) {
            QTest::qWait(500);
            (done <= 50 ? pssNearFifty : pssNearThreeHundred).push_back(double(bench::processTreeUsage().pssKiB));
        }
        if (done == 50 || done == 300 || done % (loads / 10) == 0)
            sample(done, sniped);
    }

    // Growth from the 10 % sample on, when the engine's caches have warmed up.
    const auto at = [&](int done) {
        for (const Sample &s : samples) {
            if (s.loads == done)
                return s;
        }
        return samples.back();
    };
    const Sample warm = at(loads / 10);
    const Sample last = samples.back();
    const double fifty = median(pssNearFifty);
    const double threeHundred = median(pssNearThreeHundred);
    std::printf("failed loads %d, Back/Forward to another page %d, failed snipes %d\n", failedLoads,
                session.wrongPages(), failedSnipes);
    std::printf("endurance_pss_growth_300_over_50 value=%.1f %%\n",
                fifty > 0 && threeHundred > 0 ? 100.0 * (threeHundred - fifty) / fifty : 0.0);
    std::printf("endurance_pss_growth_after_warmup value=%.1f %%\n",
                100.0 * (last.usage.pssKiB - warm.usage.pssKiB) / warm.usage.pssKiB);
    std::printf("endurance_pss_trend_per_1000_pages value=%.1f %%\n", pssTrendPer1000Pages(samples, warm.loads));
    // Which process holds the difference, and whether it had settled by a
    // fifth of the way.
    const Sample fifth = at(loads / 5);
    const auto kibOf = [](const Sample &s, const QString &role) {
        const auto found = s.roles.find(role);
        return static_cast<long long>(found == s.roles.end() ? 0 : found->second);
    };
    std::printf("PSS by process (KiB)        after %5d   after %5d   after %5d\n", warm.loads, fifth.loads,
                last.loads);
    for (const auto &[role, kib] : last.roles) {
        std::printf("  %-24s %11lld %11lld %11lld\n", qPrintable(role), kibOf(warm, role), kibOf(fifth, role),
                    static_cast<long long>(kib));
    }
    std::printf("endurance_fds_growth_after_warmup value=%d\n", last.usage.openFiles - warm.usage.openFiles);
    std::printf("endurance_threads_growth_after_warmup value=%d\n", last.usage.threads - warm.usage.threads);
    std::printf("endurance_completion_pass_end_over_warm ratio=%.2f\n",
                warm.completionUs > 0 ? last.completionUs / warm.completionUs : 0.0);
    std::fflush(stdout);
    return failedLoads + session.wrongPages() + failedSnipes > loads / 20 ? 1 : 0;
}
