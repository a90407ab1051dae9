#pragma once

#include <QtGlobal>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace bidwarden {

// Shows the window in front, restored if it was minimised, and active.
void bringForward(QWidget *window);

} // namespace bidwarden
