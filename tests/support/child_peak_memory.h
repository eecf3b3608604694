#pragma once

// Runs work in a forked child and measures the child's peak memory.

#include <functional>

namespace tarvek::test {

struct ChildRun {
  // False when the child died or said nothing.
  bool ended = false;
  // What work answered.
  bool answer = false;
  // The child's peak resident memory, KiB; it starts from what the child
  // shares with this process at the fork.
  long peakKiB = 0;
};

ChildRun runInChild(const std::function<bool()>& work);

} // namespace tarvek::test
