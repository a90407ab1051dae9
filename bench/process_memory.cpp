#include "process_memory.h"

#include <QDir>
#include <QFile>
#include <QHash>

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

QString roleOf(qint64 pid)
{
    QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!cmdline.open(QIODevice::ReadOnly))
        return QString();
    // Processes forked by the engine's zygote rewrite their command line as one
    // space-separated string, so split on both.
    const QList<QByteArray> args = cmdline.readAll().replace('\0', ' ').split(' ');
    for (const QByteArray &arg : args) {
        if (arg.startsWith("--type="))
            return QString::fromLatin1(arg.mid(7));
    }
    return QString::fromLocal8Bit(args.value(0).mid(args.value(0).lastIndexOf('/') + 1));
}

int openFilesOf(qint64 pid)
{
    return int(QDir(QStringLiteral("/proc/%1/fd").arg(pid)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size());
}

int threadsOf(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("Threads:"))
            return line.mid(8).trimmed().toInt();
    }
    return 0;
}

} // namespace

QList<ProcessPss> processTreePss()
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
    QList<ProcessPss> tree;
    QList<qint64> pending{ qint64(getpid()) };
    while (!pending.isEmpty()) {
        const qint64 pid = pending.takeFirst();
        tree.append({ pid, roleOf(pid), pssOf(pid), openFilesOf(pid), threadsOf(pid) });
        pending += children.value(pid);
    }
    return tree;
}

qint64 processTreePssKiB()
{
    qint64 total = 0;
    for (const ProcessPss &p : processTreePss())
        total += p.pssKiB;
    return total;
}

std::map<QString, qint64> processTreePssByRole(const std::map<qint64, QString> &named)
{
    std::map<QString, qint64> roles;
    for (const ProcessPss &p : processTreePss()) {
        const auto name = named.find(p.pid);
        roles[name == named.end() ? p.role : name->second] += p.pssKiB;
    }
    return roles;
}

TreeUsage processTreeUsage()
{
    TreeUsage usage;
    for (const ProcessPss &p : processTreePss()) {
        usage.pssKiB += p.pssKiB;
        usage.openFiles += p.openFiles;
        usage.threads += p.threads;
        ++usage.processes;
    }
    return usage;
}

} // namespace bidwarden::bench
