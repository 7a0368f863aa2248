#pragma once

#include <optional>

// The lock keys' state, where the platform can tell it.
class IKeyState {
public:
    virtual ~IKeyState() = default;
    virtual std::optional<bool> numLock() const = 0;
    virtual std::optional<bool> capsLock() const = 0;
};
