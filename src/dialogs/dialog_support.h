#pragma once

#include <QRect>

QT_BEGIN_NAMESPACE
class QLabel;
class QWidget;
QT_END_NAMESPACE

namespace bidwarden::dialog_support {

// The dialogs' layouts are kept in twips (1440 to the inch) so they scale with
// the screen's logical resolution the way the rest of the program does.
int pixels(const QWidget *widget, int twips);
QRect rect(const QWidget *widget, int left, int top, int width, int height);
void place(QWidget *control, int left, int top, int width, int height);
void setClientSize(QWidget *window, int width, int height);

// Grows a label that is too small for its text in the desktop's font, from
// where it stands: a wrapping label downwards, any other to the right. A
// field to its right that it would then run under gives way: its left edge
// moves, its right edge stays.
void fitLabelToText(QLabel *label, QWidget *fieldToTheRight = nullptr);
// Grows a fixed-size window so every control is inside it, by the margin the
// layout left on the right and below.
void fitWindowToControls(QWidget *window, int marginPixels);

} // namespace bidwarden::dialog_support
