#pragma once

#include <optional>

// The lock keys' state, where the platform can tell it.
class IKeyState {
public:
    virtual ~IKeyState() = default;
    virtual std::optional<bool> numLock() const = 0;
    virtual std::optional<bool> capsLock() const = 0;
};

// Asks the windowing system (X11 keyboard indicators); tells nothing elsewhere.
class SystemKeyState : public IKeyState {
public:
    std::optional<bool> numLock() const override;
    std::optional<bool> capsLock() const override;
};
