#include "link_drop_target.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

#include <optional>

namespace bidwarden {

namespace {

// The address of a link being dragged (a page's link carries its address as
// a URL beside its text), as encoded; none for anything else, local files
// included.
std::optional<QString> droppedLink(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().isEmpty())
        return std::nullopt;
    const QUrl url = data->urls().first();
    if (!url.isValid() || url.isLocalFile())
        return std::nullopt;
    return url.toString(QUrl::FullyEncoded);
}

} // namespace

LinkDropTarget::LinkDropTarget(QWidget *target)
    : QObject(target)
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool LinkDropTarget::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (!droppedLink(drag->mimeData()))
            break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const std::optional<QString> link = droppedLink(drop->mimeData());
        if (!link)
            break;
        drop->acceptProposedAction();
        Q_EMIT linkDropped(*link);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace bidwarden
