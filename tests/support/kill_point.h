#pragma once

// Runs work in a forked child and kills it with SIGKILL where it says so.

#include <functional>

namespace tarvek::test {

// Forks; the child runs work(stop), where calling stop() hands control to
// the parent, which kills the child with SIGKILL on the spot. A child that
// never calls stop() ends normally. True when the child was killed at stop().
bool killAtStopPoint(const std::function<void(const std::function<void()>& stop)>& work);

} // namespace tarvek::test
