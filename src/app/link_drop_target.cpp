#include "link_drop_target.h"

#include "address_box.h"

#include <QDropEvent>
#include <QWidget>

namespace bidwarden {

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
