#include "keyboard_state.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace bidwarden {

namespace {

std::optional<bool> namedIndicator(Display *display, const char *name)
{
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None)
        return std::nullopt;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return std::nullopt;
    return on == True;
}

} // namespace

LockStates readLockStates()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return {};
    return { namedIndicator(display, "Num Lock"), namedIndicator(display, "Caps Lock") };
}

} // namespace bidwarden
