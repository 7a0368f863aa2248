#pragma once

#include "platform/core/KeyState.h"

// Asks the windowing system (X11 keyboard indicators); tells nothing elsewhere.
class SystemKeyState : public IKeyState {
public:
    std::optional<bool> numLock() const override;
    std::optional<bool> capsLock() const override;
};
