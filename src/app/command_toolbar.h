#pragma once

#include <QList>
#include <QtGlobal>
#include <QRect>
#include <QString>

QT_BEGIN_NAMESPACE
class QAction;
class QToolBar;
class QWidget;
QT_END_NAMESPACE

namespace bidwarden {

// A toolbar of captioned picture buttons, one a command (nullptr: a
// separator), fixed where the layout puts it (pixels): at least the given
// height, more where the captions need it, and each button at least
// buttonWidth wide.
QToolBar *createCommandToolbar(QWidget *parent, const char *objectName, const QString &accessibleName,
                               const QList<QAction *> &actions, const QRect &geometry, int buttonWidth);

} // namespace bidwarden
