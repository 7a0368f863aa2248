#include "platform/SystemKeyState.h"

#include <QGuiApplication>

#if defined(VORMELD_HAVE_X11)
#include <X11/XKBlib.h>
#undef Bool
#undef None
#undef Status
#undef KeyPress
#undef KeyRelease

namespace {
std::optional<unsigned> indicatorState()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display())
        return std::nullopt;
    unsigned state = 0;
    if (XkbGetIndicatorState(x11->display(), XkbUseCoreKbd, &state) != 0)
        return std::nullopt;
    return state;
}
} // namespace

// Core keyboard indicators: bit 0 Caps Lock, bit 1 Num Lock.
std::optional<bool> SystemKeyState::capsLock() const
{
    const auto s = indicatorState();
    return s ? std::optional<bool>((*s & 0x01u) != 0) : std::nullopt;
}

std::optional<bool> SystemKeyState::numLock() const
{
    const auto s = indicatorState();
    return s ? std::optional<bool>((*s & 0x02u) != 0) : std::nullopt;
}
#else
std::optional<bool> SystemKeyState::capsLock() const { return std::nullopt; }
std::optional<bool> SystemKeyState::numLock() const { return std::nullopt; }
#endif
