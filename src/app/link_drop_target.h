#pragma once

#include <QObject>
#include <QString>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace bidwarden {

// Makes a widget (the Snipe button) take links dropped on it: a page's link
// is handed over as its address, never loaded; anything else is refused.
class LinkDropTarget : public QObject
{
    Q_OBJECT

public:
    explicit LinkDropTarget(QWidget *target);

Q_SIGNALS:
    void linkDropped(const QString &address);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace bidwarden
