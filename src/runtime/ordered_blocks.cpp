#include "runtime/ordered_blocks.h"

#include "runtime/usable_processors.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace tarvek {

namespace {

constexpr unsigned kMaxThreads = 8;
// Blocks made ahead of the one taken next, per worker: enough that no
// worker waits on a slow block, few enough to bound the memory held.
constexpr std::size_t kSlotsPerWorker = 2;

struct Slot {
  std::string bytes;
  std::exception_ptr error;
  bool ready = false;
};

// Block buffers kept from one run to the next: a large save's blocks run to
// megabytes, and fresh memory costs a page fault per 4 KiB on every save.
// Enough are kept for a full pipeline; a buffer beyond kKeptBytes is let go.
class BufferStore {
public:
  static constexpr std::size_t kKeptBytes = std::size_t{4} << 20;

  std::string take()
  {
    const std::lock_guard lock(m_mutex);
    if (m_free.empty())
      return {};
    std::string bytes = std::move(m_free.back());
    m_free.pop_back();
    return bytes;
  }

  void give(std::string bytes)
  {
    if (bytes.capacity() > kKeptBytes)
      return;
    bytes.clear();
    const std::lock_guard lock(m_mutex);
    if (m_free.size() < kMaxThreads * kSlotsPerWorker)
      m_free.push_back(std::move(bytes));
  }

private:
  std::mutex m_mutex;
  std::vector<std::string> m_free;
};

BufferStore& bufferStore()
{
  static BufferStore store;
  return store;
}

// The blocks in flight: block b lives in slot b % slots.size() from the
// moment a worker claims it until the caller has taken it.
class Pipeline {
public:
  Pipeline(std::size_t blocks, std::size_t count, std::size_t blockSize, const BlockMaker& make,
           std::size_t workers)
      : m_slots(workers * kSlotsPerWorker), m_blocks(blocks), m_count(count),
        m_blockSize(blockSize), m_make(make)
  {
    for (Slot& slot : m_slots)
      slot.bytes = bufferStore().take();
  }
  ~Pipeline()
  {
    for (Slot& slot : m_slots)
      bufferStore().give(std::move(slot.bytes));
  }
  Pipeline(const Pipeline&) = delete;
  Pipeline& operator=(const Pipeline&) = delete;

  void work()
  {
    for (;;) {
      std::size_t block = 0;
      {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] {
          return m_stop || m_next >= m_blocks || m_next < m_taken + m_slots.size();
        });
        if (m_stop || m_next >= m_blocks)
          return;
        block = m_next++;
      }
      Slot& slot = m_slots[block % m_slots.size()];
      slot.bytes.clear();
      const std::size_t first = block * m_blockSize;
      try {
        m_make(first, std::min(first + m_blockSize, m_count), slot.bytes);
      } catch (...) {
        slot.error = std::current_exception();
      }
      {
        std::lock_guard lock(m_mutex);
        slot.ready = true;
      }
      m_changed.notify_all();
    }
  }

  // The next block's slot once it is made.
  Slot& awaitNext()
  {
    std::unique_lock lock(m_mutex);
    Slot& slot = m_slots[m_taken % m_slots.size()];
    m_changed.wait(lock, [&] { return slot.ready; });
    return slot;
  }

  void release(Slot& slot)
  {
    {
      std::lock_guard lock(m_mutex);
      slot.ready = false;
      slot.error = nullptr;
      ++m_taken;
    }
    m_changed.notify_all();
  }

  void stop()
  {
    {
      std::lock_guard lock(m_mutex);
      m_stop = true;
    }
    m_changed.notify_all();
  }

private:
  std::vector<Slot> m_slots;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::size_t m_next = 0;
  std::size_t m_taken = 0;
  bool m_stop = false;
  const std::size_t m_blocks;
  const std::size_t m_count;
  const std::size_t m_blockSize;
  const BlockMaker& m_make;
};

} // namespace

void makeInOrder(std::size_t count, std::size_t blockSize, const BlockMaker& make,
                 const BlockTaker& take, unsigned threads)
{
  blockSize = std::max<std::size_t>(blockSize, 1);
  const std::size_t blocks = count / blockSize + (count % blockSize != 0 ? 1 : 0);
  if (threads == 0)
    threads = std::clamp(usableProcessors(), 1u, kMaxThreads);
  const std::size_t workers = std::min<std::size_t>(threads, blocks);
  if (workers <= 1) {
    std::string bytes = bufferStore().take();
    for (std::size_t first = 0; first < count; first += blockSize) {
      bytes.clear();
      make(first, std::min(first + blockSize, count), bytes);
      take(bytes);
    }
    bufferStore().give(std::move(bytes));
    return;
  }

  Pipeline pipeline(blocks, count, blockSize, make, workers);
  std::exception_ptr error;
  {
    std::vector<std::jthread> pool;
    pool.reserve(workers);
    try {
      for (std::size_t i = 0; i < workers; ++i)
        pool.emplace_back([&pipeline] { pipeline.work(); });
      for (std::size_t b = 0; b < blocks; ++b) {
        Slot& slot = pipeline.awaitNext();
        if (slot.error) {
          error = slot.error;
          break;
        }
        take(slot.bytes);
        pipeline.release(slot);
      }
    } catch (...) {
      error = std::current_exception();
    }
    // Before the pool joins its threads, which may be waiting for room.
    pipeline.stop();
  }
  if (error)
    std::rethrow_exception(error);
}

} // namespace tarvek
