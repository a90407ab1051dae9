#include "link_menu.h"

#include <QMenu>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineView>

namespace bidwarden {

void offerSnipeLink(QWebEngineView *view, std::function<void(const QString &address)> snipe)
{
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(view, &QWidget::customContextMenuRequested, view, [view, snipe](const QPoint &at) {
        QMenu *menu = view->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        const QWebEngineContextMenuRequest *request = view->lastContextMenuRequest();
        const QUrl link = request ? request->linkUrl() : QUrl();
        if (link.isValid()) {
            menu->addSeparator();
            QAction *action = menu->addAction(QMenu::tr("&Snipe Link"));
            action->setObjectName(QStringLiteral("snipeLink"));
            const QString address = link.toString(QUrl::FullyEncoded);
            QObject::connect(action, &QAction::triggered, view, [snipe, address] { snipe(address); });
        }
        menu->popup(view->mapToGlobal(at));
    });
}

} // namespace bidwarden
