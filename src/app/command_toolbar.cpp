#include "command_toolbar.h"

#include <QAction>
#include <QToolBar>

namespace bidwarden {

QToolBar *createCommandToolbar(QWidget *parent, const char *objectName, const QString &accessibleName,
                               const QList<QAction *> &actions)
{
    auto *toolbar = new QToolBar(parent);
    toolbar->setObjectName(QString::fromLatin1(objectName));
    toolbar->setAccessibleName(accessibleName);
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setIconSize(QSize(16, 16));
    for (QAction *action : actions) {
        if (!action) {
            toolbar->addSeparator();
            continue;
        }
        toolbar->addAction(action);
        if (QWidget *button = toolbar->widgetForAction(action))
            button->setAccessibleName(action->iconText());
    }
    return toolbar;
}

} // namespace bidwarden
