#include "dialog_support.h"

#include "form_units.h"

#include <QLabel>
#include <QWidget>

namespace bidwarden::dialog_support {

int pixels(const QWidget *widget, int twips)
{
    return twipsToPixels(twips, layoutDpi(widget));
}

QRect rect(const QWidget *widget, int left, int top, int width, int height)
{
    return QRect(pixels(widget, left), pixels(widget, top), pixels(widget, width),
                 pixels(widget, height));
}

void place(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(rect(control, left, top, width, height));
}

void setClientSize(QWidget *window, int width, int height)
{
    window->setFixedSize(pixels(window, width), pixels(window, height));
}

void fitLabelToText(QLabel *label, QWidget *fieldToTheRight)
{
    QRect geometry = label->geometry();
    if (label->wordWrap())
        geometry.setHeight(std::max(geometry.height(), label->heightForWidth(geometry.width())));
    else
        geometry.setWidth(std::max(geometry.width(), label->sizeHint().width()));
    label->setGeometry(geometry);
    if (!fieldToTheRight)
        return;
    // Where the text ends, not the label's box: the designed boxes may
    // overlap the field a little.
    QRect field = fieldToTheRight->geometry();
    const int left = geometry.left() + label->sizeHint().width() + labelGapPixels;
    if (field.left() < left && left < field.right()) {
        field.setLeft(left);
        fieldToTheRight->setGeometry(field);
    }
}

void fitWindowToControls(QWidget *window, int marginPixels)
{
    const QRect controls = window->childrenRect();
    const QSize needed(std::max(window->width(), controls.right() + 1 + marginPixels),
                       std::max(window->height(), controls.bottom() + 1 + marginPixels));
    if (needed != window->size())
        window->setFixedSize(needed);
}

} // namespace bidwarden::dialog_support
