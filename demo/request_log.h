#pragma once

#include <QFile>
#include <QJsonObject>
#include <QString>

namespace bidwarden::demo {

struct DemoRequest;

// The request log that tests read to see the exact bytes that arrived: one
// compact JSON object per line, written and flushed as each request arrives,
// so a test may read it while the peers keep running.
class RequestLog
{
public:
    // Appends to the file. False, with the reason, when it cannot be opened.
    bool open(const QString &path, QString *error);
    bool isOpen() const { return m_file.isOpen(); }

    // False when the line could not be written whole.
    bool write(const QString &site, const DemoRequest &request);

    // The line's object: site, method, path (with the query), headers (lower-case
    // names, repeated headers joined with ", ") and body (lower-case hex).
    static QJsonObject entry(const QString &site, const DemoRequest &request);

private:
    QFile m_file;
};

} // namespace bidwarden::demo
