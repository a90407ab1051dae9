#include "dialog_support.h"

#include "code_page.h"

#include <QMessageBox>
#include <QWidget>

#include <cmath>

namespace bidwarden::dialog_support {

int pixels(const QWidget *widget, int twips)
{
    return int(std::lround(twips * qreal(widget->logicalDpiY()) / 1440.0));
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


QString withoutLineEnd(const QString &text)
{
    if (text.endsWith(QLatin1String("\r\n")))
        return text.chopped(2);
    if (text.endsWith(QLatin1Char('\n')))
        return text.chopped(1);
    return text;
}

void showWarning(QWidget *dialog, QPointer<QMessageBox> &current, const QString &objectName,
                 const QString &text)
{
    if (current)
        current->close();
    auto *box = new QMessageBox(QMessageBox::Warning, dialog->windowTitle(), text, QMessageBox::Ok,
                                dialog);
    box->setObjectName(objectName);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextFormat(Qt::PlainText);
    current = box;
    box->open();
}

} // namespace bidwarden::dialog_support
