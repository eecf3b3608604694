// The bond list of one distance window over a point set, collected on several threads.
#pragma once

#include "model/bond_search.h"
#include "model/cell_grid.h"
#include "runtime/big_buffer.h"

#include <cstdint>

namespace tarvek {

class AbortToken;

// Threads for a search over `atoms` atoms: one per processor the calling
// thread may run on (its affinity mask), at most 8, and
// only as many as have some tens of thousands of atoms each to search.
unsigned bondSearchThreads(std::int64_t atoms);

// Sets atom1 and atom2 to the pairs i < j of rows set.first .. set.count - 1
// with lower <= pairDistance <= upper (Å, both inclusive), in order of i,
// then j: the pairs of a loop over every pair, in its order, whatever the
// number of threads (at least 1) they are collected on.
//
// Escape is polled on the calling thread alone: while pairs are collected,
// once for every 65536 pairs looked at (so a few hundred atoms are searched
// without a poll); then once for each row i = first .. count - 2, after its
// bonds are in the lists. A press ends the search as Stopped, keeping the
// rows before the poll that saw it, none while pairs are collected. More
// than 16 bonds a row in all, or more than 1024 pairs looked at a row (atoms
// heaped at one place), end it as TooDense with the lists empty.
//
// The working memory is kept for the calling thread's next search; a search
// started from inside another's poll of Escape works in memory of its own.
BondSearchEnd searchBondRows(const SearchSet& set, float lower, float upper, unsigned threads,
                             AbortToken& abort, BigVector<std::int32_t>& atom1,
                             BigVector<std::int32_t>& atom2);

} // namespace tarvek
