#pragma once

#include <functional>

// Runs `work` on a thread of its own and returns when it is done. Meanwhile
// the calling thread's events go on (the window paints, follows resizing,
// timers fire, and `tick` is called every tenth of a second), while keys and
// clicks wait until the work is done, and windows refuse to close: the work's
// result is still to come to them. For work of seconds (a long program read
// or put into the editor) that must finish before the caller goes on.
void runAside(const std::function<void()> &work, const std::function<void()> &tick = {});
