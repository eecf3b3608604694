#pragma once

#include "model/model.h"
#include "platform/abort.h"
#include "platform/prompts.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace tarvek::bench {

// Answers every question with the default and Yes.
class QuietPrompts : public Prompts {
public:
  void message(const std::string&, const std::string&, MessageIcon) override {}
  bool yesNo(const std::string&, const std::string&, MessageIcon) override { return true; }
  std::optional<std::string> input(const std::string&, const std::string&,
                                   const std::string& defaultText) override
  {
    return defaultText;
  }
  void beep() override {}
  void beginWait() override {}
  void endWait() override {}
};

class NeverAbort : public AbortToken, public EventPump {
public:
  void clearEscape() override {}
  bool escapePressed() override { return false; }
  long stops() const override { return 0; }
  void runPendingEvents() override {}
};

// Atoms per ring of ringTube().
constexpr int kRingAtoms = 100;

// A synthetic tube of atoms / kRingAtoms rings 1.23 Å apart, each atom bonded
// to its ring neighbour and to the next ring, with rings counted from
// firstRing along z. The model's other fields stay as they are, so a scene
// already built over it keeps its settings.
void ringTube(Model& model, std::int64_t atoms, int firstRing = 0);

// A counter that reports time per item over count items each iteration.
benchmark::Counter timePer(double count);

// 10^4, 10^5 and 10^6: the sizes at which cost per item should hold flat.
void decadeSizes(benchmark::internal::Benchmark* bench);

// The decade sizes timed once each, with no warm-up: a first pass, as a user
// who builds or searches once meets it. Each starts with the memory that
// earlier rows freed given back to the system (startCold).
void coldDecadeSizes(benchmark::internal::Benchmark* bench);

// Gives back the freed memory that the heap and the big blocks keep for
// reuse, so that what follows meets fresh memory.
void startCold(const benchmark::State& state);

// Minor page faults of the process from construction on. Fresh memory costs
// a fault per page touched, and on some machines that costs more than the
// work itself, so faults per atom is a measure of memory traffic that does
// not depend on the machine's timing.
class MinorFaults {
public:
  MinorFaults();
  // Sets the row's "faults_per_atom": faults since construction over atoms
  // times the iterations run.
  void report(benchmark::State& state, double atoms) const;

private:
  long m_start;
};

// Runs pass on a thread of its own and waits for it: thread-local scratch
// (the bond searches') starts empty, as in a new process.
template <typename Pass>
void onFreshThread(Pass&& pass)
{
  std::thread(std::forward<Pass>(pass)).join();
}

// A file name in the temporary folder, private to this process by its id.
std::filesystem::path scratchFile(const char* name);

// A w x h RGB gradient with some texture, top row first: a stand-in for a
// rendered view.
std::vector<unsigned char> gradientPixels(int w, int h);

// libjpeg alone encoding w x h RGB pixels into memory (baseline); returns the
// size, and the bytes in out for the caller to std::free.
std::size_t encodeJpeg(const unsigned char* pixels, int w, int h, int quality,
                       unsigned char** out);

// A w x h gradientPixels picture written as a JPEG of the quality to
// scratchFile(name); returns its path.
std::filesystem::path writeGradientJpeg(const char* name, int w, int h, int quality);

} // namespace tarvek::bench
