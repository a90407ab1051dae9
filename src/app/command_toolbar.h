#pragma once

#include <QList>
#include <QString>

QT_BEGIN_NAMESPACE
class QAction;
class QToolBar;
class QWidget;
QT_END_NAMESPACE

namespace bidwarden {

// A toolbar of captioned picture buttons, one a command (nullptr: a
// separator), placed by the window's layout.
QToolBar *createCommandToolbar(QWidget *parent, const char *objectName, const QString &accessibleName,
                               const QList<QAction *> &actions);

} // namespace bidwarden
