#pragma once

// Runs work in a forked child and measures the child's peak memory.

#include <functional>

namespace tarvek::test {

struct ChildRun {
  // False when the child died or said nothing.
  bool ended = false;
  // What work answered.
  bool answer = false;
  // The most resident memory the work added to the child, KiB: its peak
  // less what it held when the work began, so memory it shares with this
  // process from the fork (larger under the sanitizers) does not count.
  long peakKiB = 0;
  // The child's whole peak resident memory as the kernel reports it
  // (getrusage of the ended child), KiB, fork-shared pages included.
  long maxRssKiB = 0;
  // Wall-clock seconds the work took, for reports; never asserted.
  double seconds = 0;
};

ChildRun runInChild(const std::function<bool()>& work);

} // namespace tarvek::test
