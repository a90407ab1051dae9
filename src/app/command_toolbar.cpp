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
    // The layout gives the toolbar its designed height; the style's frame
    // and item margins would take room the captions need.
    toolbar->setStyleSheet(QStringLiteral("QToolBar { border: 0px; padding: 0px; spacing: 0px; }"));
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
