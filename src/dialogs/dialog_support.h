#pragma once

#include <QPointer>
#include <QRect>
#include <QString>

QT_BEGIN_NAMESPACE
class QMessageBox;
class QWidget;
QT_END_NAMESPACE

namespace bidwarden::dialog_support {

// The dialogs' layouts are kept in twips (1440 to the inch) so they scale with
// the screen's logical resolution the way the rest of the program does.
int pixels(const QWidget *widget, int twips);
QRect rect(const QWidget *widget, int left, int top, int width, int height);
void place(QWidget *control, int left, int top, int width, int height);
void setClientSize(QWidget *window, int width, int height);


// The text without one trailing line end, CR LF or a lone LF: the settings
// files end their single line with one.
QString withoutLineEnd(const QString &text);

// Shows a warning without blocking, as a child of the dialog, replacing any
// warning still open. No nested event loop runs, so nothing can reach the
// dialog half-way through a command.
void showWarning(QWidget *dialog, QPointer<QMessageBox> &current, const QString &objectName,
                 const QString &text);

} // namespace bidwarden::dialog_support
