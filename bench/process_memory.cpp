#include "process_memory.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>

#include <unistd.h>

namespace bidwarden::bench {

namespace {

qint64 pssOf(qint64 pid)
{
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!rollup.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : rollup.readAll().split('\n')) {
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

} // namespace

qint64 processTreePssKiB()
{
    // Parent of every process, read from /proc/<pid>/stat (field 4).
    QHash<qint64, QList<qint64>> children;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &name : pids) {
        bool ok = false;
        const qint64 pid = name.toLongLong(&ok);
        if (!ok)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        children[fields.value(1).toLongLong()].append(pid);
    }
    qint64 total = 0;
    QList<qint64> pending{ qint64(getpid()) };
    while (!pending.isEmpty()) {
        const qint64 pid = pending.takeLast();
        total += pssOf(pid);
        pending += children.value(pid);
    }
    return total;
}

} // namespace bidwarden::bench
