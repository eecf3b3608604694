// The bond list of one distance window, its pairs collected on several threads.
#include "model/bond_rows.h"

#include "model/neighbour_distance.h"
#include "model/row_grid.h"
#include "platform/abort.h"
#include "runtime/usable_processors.h"
#include "runtime/work_team.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cmath>
#include <condition_variable>
#include <cstddef>
#include <limits>
#include <memory>
#include <mutex>
#include <type_traits>
#include <vector>

namespace tarvek {

namespace {

// No carbon structure has more bonds per atom; past this the window or the
// input is wrong, and the list would only eat the memory.
constexpr std::int64_t kMostBondsPerAtom = 16;
// Pairs looked at per searched atom before the search gives up as crowded:
// far above any structure with at most kMostBondsPerAtom bonds an atom in
// its window, far below the square of a heap of atoms at one place.
constexpr std::int64_t kMostPairsPerAtom = 1024;
// Pairs looked at between two polls of Escape while pairs are collected.
constexpr std::int64_t kPairsPerPoll = std::int64_t{1} << 16;
// Pairs a thread looks at between reports to the others: a crowded search
// or a press is seen within moments, and the shared counts cost nothing.
constexpr std::int64_t kPairsPerReport = 4096;
// Threads at most, however many processors there are: past this the walk
// waits on memory more than on the processors.
constexpr unsigned kMostThreads = 8;
// Below this many atoms a thread, starting it costs more than it saves.
constexpr std::int64_t kAtomsPerThread = std::int64_t{1} << 15;

using Pair = std::array<std::int32_t, 2>;

// The squares of distance whose pairDistance lies in the window. The root
// and its rounding to float never fall as the square grows, so lower <=
// pairDistance <= upper exactly when low <= square <= high, and no pair
// needs a root of its own.
struct SquaredWindow {
  double low;
  double high;
};

SquaredWindow squaredWindow(float lower, float upper)
{
  // Doubles from 0 to infinity are in the order of their bit patterns: the
  // bounds are found by bisection over those.
  const std::uint64_t top = std::bit_cast<std::uint64_t>(std::numeric_limits<double>::infinity());
  const auto root = [](std::uint64_t bits) {
    return static_cast<float>(std::sqrt(std::bit_cast<double>(bits)));
  };
  // The first pattern from which on holds(pattern) is true; top + 1 if none.
  const auto firstWhere = [&](auto holds) {
    std::uint64_t low = 0;
    std::uint64_t high = top + 1;
    while (low < high) {
      const std::uint64_t mid = low + (high - low) / 2;
      if (holds(mid))
        high = mid;
      else
        low = mid + 1;
    }
    return low;
  };
  const std::uint64_t low = firstWhere([&](std::uint64_t b) { return root(b) >= lower; });
  const std::uint64_t beyond = firstWhere([&](std::uint64_t b) { return root(b) > upper; });
  return {std::bit_cast<double>(low), std::bit_cast<double>(beyond - 1)};
}

// Thrown out of a thread's walk once the search is to end.
struct WalkEnd {};

// The counts the collecting threads share, how the search is to end, and
// the polls of Escape, made on the calling thread (member 0 of the team)
// alone: while it walks, at its own reports, and when its part is done,
// woken by the others as their reports pass a poll.
class Tally {
public:
  Tally(unsigned threads, std::int64_t mostPairs, std::int64_t mostBonds)
      : m_threads(threads), m_mostPairs(mostPairs), m_mostBonds(mostBonds)
  {
  }

  // Adds a thread's pairs looked at and bonds found since its last report.
  // Throws WalkEnd when the search is to end.
  void report(unsigned member, std::int64_t pairs, std::int64_t bonds, AbortToken& abort)
  {
    const std::int64_t total = m_pairs.fetch_add(pairs, std::memory_order_relaxed) + pairs;
    const std::int64_t totalBonds = m_bonds.fetch_add(bonds, std::memory_order_relaxed) + bonds;
    if (total > m_mostPairs || totalBonds > m_mostBonds)
      settle(BondSearchEnd::TooDense);
    if (member == 0)
      pollDue(abort);
    else if (total / kPairsPerPoll != (total - pairs) / kPairsPerPoll)
      wake();
    if (end() != BondSearchEnd::Complete)
      throw WalkEnd{};
  }

  // Called by every thread when its walk is over. The calling thread then
  // waits for the others, polling as they pass polls, and last makes the
  // polls of their final reports: as many in all as one thread would make.
  void finish(unsigned member, AbortToken& abort)
  {
    std::unique_lock lock(m_mutex);
    ++m_finished;
    if (member != 0) {
      lock.unlock();
      m_wake.notify_one();
      return;
    }
    for (;;) {
      lock.unlock();
      pollDue(abort);
      lock.lock();
      if (m_finished == m_threads)
        break;
      m_wake.wait(lock, [&] { return m_finished == m_threads || pollsDue(); });
    }
    lock.unlock();
    pollDue(abort);
  }

  void settle(BondSearchEnd end)
  {
    int running = static_cast<int>(BondSearchEnd::Complete);
    m_end.compare_exchange_strong(running, static_cast<int>(end));
  }

  BondSearchEnd end() const { return static_cast<BondSearchEnd>(m_end.load()); }

private:
  bool pollsDue() const
  {
    return end() == BondSearchEnd::Complete
           && m_polled < m_pairs.load(std::memory_order_relaxed) / kPairsPerPoll;
  }

  void pollDue(AbortToken& abort)
  {
    while (pollsDue()) {
      ++m_polled;
      if (abort.escapePressed())
        settle(BondSearchEnd::Stopped);
    }
  }

  void wake()
  {
    { const std::lock_guard lock(m_mutex); }
    m_wake.notify_one();
  }

  const unsigned m_threads;
  const std::int64_t m_mostPairs;
  const std::int64_t m_mostBonds;
  std::atomic<std::int64_t> m_pairs{0};
  std::atomic<std::int64_t> m_bonds{0};
  std::atomic<int> m_end{static_cast<int>(BondSearchEnd::Complete)};
  std::int64_t m_polled = 0;
  std::mutex m_mutex;
  std::condition_variable m_wake;
  unsigned m_finished = 0;
};

// Working memory kept from one search to the next on the calling thread: a
// structure is searched again after every change, and fresh pages cost
// more than the search on some machines.
struct RowsScratch {
  RowGrid grid;
  // Each thread's pairs, lower index first, in the order it met them.
  std::vector<BigScratch<Pair>> found;
  BigScratch<std::int32_t> rowStart;
};

// The kept memory for one search. A search started while another runs on
// the same thread (from the window events that a poll of Escape lets run)
// gets memory of its own: the other's threads are still writing to the
// kept memory.
class ScratchLease {
public:
  ScratchLease() : m_kept(kept())
  {
    if (m_kept.inUse)
      m_own = std::make_unique<RowsScratch>();
    else
      m_kept.inUse = true;
  }
  ~ScratchLease()
  {
    if (!m_own)
      m_kept.inUse = false;
  }
  ScratchLease(const ScratchLease&) = delete;
  ScratchLease& operator=(const ScratchLease&) = delete;

  RowsScratch& get() { return m_own ? *m_own : m_kept.scratch; }

private:
  struct Kept {
    RowsScratch scratch;
    bool inUse = false;
  };
  static Kept& kept()
  {
    thread_local Kept held;
    return held;
  }

  Kept& m_kept;
  std::unique_ptr<RowsScratch> m_own;
};

template <bool Shared>
std::int32_t bump(std::int32_t& count)
{
  if constexpr (Shared)
    return std::atomic_ref(count).fetch_add(1, std::memory_order_relaxed);
  else
    return count++;
}

// Sizes a list to `count` numbers. Its fresh pages are made present on all
// the team's threads at once, not one after another by the thread that
// clears them.
void sizeOnTeam(BigVector<std::int32_t>& list, std::size_t count, WorkTeam& team)
{
  list.reserve(count);
  const std::size_t bytes = count * sizeof(std::int32_t);
  if (team.size() > 1 && mappedOnItsOwn(bytes)) {
    auto* const start = reinterpret_cast<std::byte*>(list.data());
    const std::size_t pages = (bytes + kHugePageBytes - 1) / kHugePageBytes;
    team.run([&](unsigned t) {
      const std::size_t from = team.partStart(pages, t) * kHugePageBytes;
      const std::size_t to = std::min(team.partStart(pages, t + 1) * kHugePageBytes, bytes);
      if (from < to)
        populateBig(start + from, to - from);
    });
  }
  list.resize(count);
}

// Each thread looks at its part of the grid and keeps the pairs in the
// window.
BondSearchEnd collectPairs(const RowGrid& grid, SquaredWindow window, Tally& tally,
                           WorkTeam& team, RowsScratch& scratch, AbortToken& abort)
{
  scratch.found.resize(std::max<std::size_t>(scratch.found.size(), team.size()));
  team.run([&](unsigned t) {
    BigScratch<Pair>& found = scratch.found[t];
    found.clear();
    // Room for a sheet's or a tube's bonds without a copy; the pages past
    // the end are never touched.
    found.reserve(2 * grid.memberCount() / team.size() + 64);
    std::int64_t looked = 0;
    std::size_t reported = 0;
    const auto report = [&] {
      tally.report(t, looked, static_cast<std::int64_t>(found.size() - reported), abort);
      looked = 0;
      reported = found.size();
    };
    try {
      grid.forEachPair(t, team.size(), [&](const RowGrid::Member& a, const RowGrid::Member& b) {
        if (++looked == kPairsPerReport)
          report();
        const double square = pairDistanceSquared(a.x, a.y, a.z, b.x, b.y, b.z);
        if (square >= window.low && square <= window.high)
          found.push_back(a.id < b.id ? Pair{a.id, b.id} : Pair{b.id, a.id});
      });
      report();
    } catch (const WalkEnd&) {
    } catch (...) {
      tally.settle(BondSearchEnd::Stopped);
      tally.finish(t, abort);
      throw;
    }
    tally.finish(t, abort);
  });
  return tally.end();
}

// A counting sort of the pairs by row into atom1 and atom2, each row's
// partners then put in order.
void sortIntoRows(std::int32_t first, std::size_t rows, WorkTeam& team, RowsScratch& scratch,
                  BigVector<std::int32_t>& atom1, BigVector<std::int32_t>& atom2)
{
  std::size_t total = 0;
  for (unsigned t = 0; t < team.size(); ++t)
    total += scratch.found[t].size();
  // The counts sit two places on, so the prefix sums leave each row's start
  // one place on; placing the partners moves those up to the next row's
  // start, and start[r] is then row r's first bond.
  BigScratch<std::int32_t>& start = scratch.rowStart;
  start.resize(rows + 2);
  std::int32_t* const count = start.data();
  team.run([&](unsigned t) {
    std::fill(count + team.partStart(rows + 2, t), count + team.partStart(rows + 2, t + 1), 0);
  });
  const bool shared = team.size() > 1;
  const auto countRows = [&](unsigned t, auto sharedCount) {
    for (const Pair& p : scratch.found[t])
      bump<decltype(sharedCount)::value>(count[p[0] - first + 2]);
  };
  team.run([&](unsigned t) {
    shared ? countRows(t, std::true_type{}) : countRows(t, std::false_type{});
  });
  for (std::size_t r = 2; r < rows + 2; ++r)
    count[r] += count[r - 1];
  sizeOnTeam(atom1, total, team);
  sizeOnTeam(atom2, total, team);
  std::int32_t* const partner = atom2.data();
  const auto place = [&](unsigned t, auto sharedCount) {
    for (const Pair& p : scratch.found[t])
      partner[bump<decltype(sharedCount)::value>(count[p[0] - first + 1])] = p[1];
  };
  team.run([&](unsigned t) { shared ? place(t, std::true_type{}) : place(t, std::false_type{}); });
  team.run([&](unsigned t) {
    for (std::size_t r = team.partStart(rows, t); r < team.partStart(rows, t + 1); ++r) {
      std::int32_t* const from = partner + count[r];
      std::int32_t* const to = partner + count[r + 1];
      if (to - from > 1)
        std::sort(from, to);
      std::fill(atom1.data() + count[r], atom1.data() + count[r + 1],
                first + static_cast<std::int32_t>(r));
    }
  });
}

} // namespace

unsigned bondSearchThreads(std::int64_t atoms)
{
  const unsigned processors = usableProcessors();
  const std::int64_t useful = std::max<std::int64_t>(1, atoms / kAtomsPerThread);
  return static_cast<unsigned>(std::min<std::int64_t>(std::min(processors, kMostThreads), useful));
}

BondSearchEnd searchBondRows(const SearchSet& set, float lower, float upper, unsigned threads,
                             AbortToken& abort, BigVector<std::int32_t>& atom1,
                             BigVector<std::int32_t>& atom2)
{
  atom1.clear();
  atom2.clear();
  // An empty or inverted window, or a NaN bound, admits no distance.
  if (set.count - set.first < 2 || !(lower <= upper && upper >= 0.0f))
    return BondSearchEnd::Complete;
  const std::int64_t atoms = set.count - set.first;
  // Bounded by the 32-bit count too, so a bond count never wraps.
  const std::int64_t mostBonds =
      std::min<std::int64_t>(kMostBondsPerAtom * atoms, std::numeric_limits<std::int32_t>::max());
  ScratchLease lease;
  RowsScratch& scratch = lease.get();
  WorkTeam team(std::max(threads, 1u));
  // Cells ten repeats wide at the least: atoms within a repeat of each
  // other are then looked at pair by pair, so a heap of near-repeats ends
  // the search as crowded just as a heap at one place does.
  scratch.grid.build(set, std::max(upper, 10.0f * kRepeatDistance), team);
  Tally tally(team.size(), kMostPairsPerAtom * atoms, mostBonds);
  const BondSearchEnd end =
      collectPairs(scratch.grid, squaredWindow(lower, upper), tally, team, scratch, abort);
  if (end != BondSearchEnd::Complete)
    return end;

  // The last atom starts no pair, so it has no row.
  const auto rows = static_cast<std::size_t>(atoms - 1);
  sortIntoRows(set.first, rows, team, scratch, atom1, atom2);
  const std::int32_t* const start = scratch.rowStart.data();
  for (std::size_t r = 0; r < rows; ++r)
    if (abort.escapePressed()) {
      atom1.resize(static_cast<std::size_t>(start[r + 1]));
      atom2.resize(static_cast<std::size_t>(start[r + 1]));
      return BondSearchEnd::Stopped;
    }
  return BondSearchEnd::Complete;
}

} // namespace tarvek
