#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <map>

namespace bidwarden::bench {

struct ProcessPss
{
    qint64 pid = 0;
    // The helper's role (--type=renderer, gpu-process, …) or the executable's name.
    QString role;
    qint64 pssKiB = 0;
    int openFiles = 0; // entries of /proc/<pid>/fd
    int threads = 0;
};

// Proportional set size of this process and each of its descendants (the
// engine's helper processes), this process first.
QList<ProcessPss> processTreePss();

// Their sum, in KiB: the memory the program really costs.
qint64 processTreePssKiB();

// The tree's PSS in KiB summed by role (several renderers add up to one
// entry); a process named in `named` (by its pid) is an entry of its own.
std::map<QString, qint64> processTreePssByRole(const std::map<qint64, QString> &named = {});

// The whole tree's PSS, open files and threads.
struct TreeUsage
{
    qint64 pssKiB = 0;
    int openFiles = 0;
    int threads = 0;
    int processes = 0;
};
TreeUsage processTreeUsage();

} // namespace bidwarden::bench
