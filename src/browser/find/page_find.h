#pragma once

#include <QtGlobal>

QT_BEGIN_NAMESPACE
class QWebEngineView;
QT_END_NAMESPACE

namespace bidwarden {

class FindBar;

// Lets the bar find text in the page: the engine finds and highlights, and
// the bar shows its count of matches. A new page clears the count, and the
// view takes the focus back when the bar closes with it.
void findInPage(FindBar *bar, QWebEngineView *view);

} // namespace bidwarden
