#include "script_heap.h"

#include "browser_logging.h"
#include "engine_version.h"

#include <QCoreApplication>

#include <utility>

namespace bidwarden {

namespace {

bool namesScriptSwitches(const QStringList &switches)
{
    for (const QString &s : switches) {
        if (s.startsWith(QLatin1String("--js-flags=")))
            return true;
    }
    return false;
}

} // namespace

QString withScriptHeapSwitch(const QString &flags, const QStringList &arguments)
{
    if (namesScriptSwitches(flags.split(QLatin1Char(' '), Qt::SkipEmptyParts)) || namesScriptSwitches(arguments.mid(1)))
        return flags;
    const QString trimmed = flags.trimmed();
    return trimmed.isEmpty() ? QString::fromLatin1(scriptHeapSwitch)
                             : trimmed + QLatin1Char(' ') + QLatin1String(scriptHeapSwitch);
}

void setScriptHeapSwitch()
{
#if BIDWARDEN_ENGINE_NEEDS_SCRIPT_HEAP_START()
    // WORKAROUND for Qt WebEngine 6.8 and 6.10 (Chromium 122 and 134; not
    // 6.4): a renderer's script heap is not collected while a site's pages
    // replace one another, not even when the page sits idle, until the heap
    // reaches its maximum: the renderer keeps some 4 MB of each listing
    // (gigabytes over a day), where Chromium itself levels off at a few
    // hundred megabytes. Started with a small initial heap, the script
    // engine collects and grows it by its own measure again; the maximum
    // stays the engine's. No Qt bug number known; the report ready to file
    // is in docs/performance.md.
    // Once: the engine reads the environment only as it starts.
    static bool set = false;
    if (std::exchange(set, true))
        return;
    const QByteArray name("QTWEBENGINE_CHROMIUM_FLAGS");
    const QString flags = QString::fromLocal8Bit(qgetenv(name.constData()));
    const QString wanted = withScriptHeapSwitch(flags, QCoreApplication::arguments());
    if (wanted == flags) {
        qCInfo(lcBrowser).noquote() << "the script engine's switches are the user's own (" + flags
                        + "): its heap's start is left to them";
        return;
    }
    qputenv(name.constData(), wanted.toLocal8Bit());
#endif
}

} // namespace bidwarden
