// Making the bytes of a long run of items on worker threads, handed on in item order.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tarvek {

// Items [first, last) of one block: append their bytes to out.
using BlockMaker = std::function<void(std::size_t first, std::size_t last, std::string& out)>;
// One block's bytes, in item order.
using BlockTaker = std::function<void(std::string_view bytes)>;

// Makes the bytes of items [0, count) in blocks of blockSize items and
// passes each block's bytes to take, in order, on the calling thread. Blocks
// are made on up to `threads` workers (0: one per processor the calling
// thread may run on, at most 8), a bounded number ahead of the one taken
// next; a single block, or one thread,
// is made on the calling thread. make may throw: the exception of the first
// failing block is rethrown once the workers have stopped, and take sees
// nothing from that block on, just as a plain loop over the items would
// behave. make must be safe to run on several threads at once.
void makeInOrder(std::size_t count, std::size_t blockSize, const BlockMaker& make,
                 const BlockTaker& take, unsigned threads = 0);

} // namespace tarvek
