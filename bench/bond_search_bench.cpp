// Bond search cost by atom count. The grid search should cost no more per
// atom at 10^6 atoms than at 10^4, on flat sheets and clouds as on the hollow
// structures the builders make (tubes, whose box is mostly empty, and the
// cone); the pair-loop row shows what it replaces. Large searches run on
// several threads, so the rows time the wall clock. The threads follow the
// processors the affinity mask allows: under `taskset -c 0` every row runs
// on one thread.
//
//   build/bench/bond_search_bench
//   taskset -c 0 build/bench/bond_search_bench

#include "bench_support.h"
#include "model/bond_search.h"
#include "model/brute_force_bonds.h"
#include "model/cone_builder.h"
#include "model/model.h"
#include "model/tube_builder.h"
#include "runtime/random_source.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace {

using tarvek::AtomSetId;
using tarvek::Model;
using tarvek::bench::NeverAbort;
using tarvek::bench::QuietPrompts;

constexpr float kBond = 1.42f;

// A flat graphene sheet as a wide tube lays it out: rows of 4-atom cells
// across an 80-cell circumference (about 200 Å), row after row along the axis.
void fillSheet(tarvek::AtomSetRef set, std::int64_t n)
{
  const double s3 = std::sqrt(3.0);
  const double cellX[4] = {0, s3 / 2 * kBond, 0, s3 / 2 * kBond};
  const double cellY[4] = {0, 1.5 * kBond, kBond, 2.5 * kBond};
  set.x.clear();
  set.y.clear();
  set.z.clear();
  for (std::int64_t row = 0; static_cast<std::int64_t>(set.x.size()) < n; ++row)
    for (int col = 0; col < 80; ++col)
      for (int k = 0; k < 4 && static_cast<std::int64_t>(set.x.size()) < n; ++k) {
        set.x.push_back(static_cast<float>(s3 * col * kBond + cellX[k]));
        set.y.push_back(static_cast<float>(3.0 * row * kBond + cellY[k]));
        set.z.push_back(0.0f);
      }
  set.type.assign(set.x.size(), 3);
  set.count = static_cast<std::int32_t>(set.x.size());
}

// Atoms scattered at graphite density (0.113 atoms per Å^3), in random order.
void fillCloud(tarvek::AtomSetRef set, std::int64_t n)
{
  tarvek::RandomSource random(7);
  const double side = std::cbrt(static_cast<double>(n) / 0.113);
  set.x.resize(n);
  set.y.resize(n);
  set.z.resize(n);
  for (std::int64_t i = 0; i < n; ++i) {
    set.x[i] = static_cast<float>(side * random.uniform());
    set.y[i] = static_cast<float>(side * random.uniform());
    set.z[i] = static_cast<float>(side * random.uniform());
  }
  set.type.assign(n, 3);
  set.count = static_cast<std::int32_t>(n);
}

void perAtom(benchmark::State& state, std::int64_t atoms, const Model& model,
             const tarvek::bench::MinorFaults& faults)
{
  faults.report(state, static_cast<double>(atoms));
  state.SetComplexityN(atoms);
  state.counters["atoms"] = static_cast<double>(atoms);
  state.counters["bonds"] = model.bondCount;
  state.counters["time_per_atom"] = tarvek::bench::timePer(static_cast<double>(atoms));
}

// Rows at 10^4, 10^5 and 10^6 atoms, fitted to a cost linear in the atoms.
// Each row first searches untimed for half a second: the rows time a
// structure searched again, as every change does, and leave out the first
// search's fresh memory, which on some machines costs more than the search.
void perAtomRows(benchmark::internal::Benchmark* bench)
{
  bench->Apply(tarvek::bench::decadeSizes)
      ->Unit(benchmark::kMillisecond)
      ->Complexity(benchmark::oN)
      ->MinWarmUpTime(0.5)
      ->UseRealTime();
}

// The first search on a fresh thread, at each size.
void coldRows(benchmark::internal::Benchmark* bench)
{
  bench->Apply(tarvek::bench::coldDecadeSizes)->UseRealTime();
}

// The timed searches of a row: again and again on this thread, or once on a
// fresh one.
void timeSearches(benchmark::State& state, Model& model, bool cold)
{
  QuietPrompts prompts;
  NeverAbort abort;
  for (auto _ : state) {
    if (cold)
      tarvek::bench::onFreshThread([&] { tarvek::createBonds(model, 0, 0, prompts, abort); });
    else
      tarvek::createBonds(model, 0, 0, prompts, abort);
  }
}

// createBonds on state.range(0) atoms laid out by fill in the given set.
void createBondsOn(benchmark::State& state, std::int16_t kind, AtomSetId set,
                   void (*fill)(tarvek::AtomSetRef, std::int64_t), bool cold)
{
  Model model;
  model.bondLength = kBond;
  model.structureKind = kind;
  fill(model.atomSet(set), state.range(0));
  const tarvek::bench::MinorFaults faults;
  timeSearches(state, model, cold);
  perAtom(state, state.range(0), model, faults);
}

// Crowded input that a search refuses with its message: two clusters of
// 20,000 atoms 1.42 Å apart (every atom in the window of the whole other
// cluster), and 200,000 atoms at one place through findBonds. Each row is
// the time to the message; "bonds" stays 0.
void BM_createBondsTwoClusters(benchmark::State& state)
{
  Model model;
  model.bondLength = kBond;
  model.structureKind = 7;
  tarvek::RandomSource random(5);
  for (int c = 0; c < 2; ++c)
    for (int i = 0; i < 20000; ++i) {
      model.atomX.push_back(kBond * static_cast<float>(c) + 0.001f * static_cast<float>(random.uniform()));
      model.atomY.push_back(0.001f * static_cast<float>(random.uniform()));
      model.atomZ.push_back(0.0f);
      model.atomType.push_back(3);
    }
  model.atomCount = 40000;
  QuietPrompts prompts;
  NeverAbort abort;
  const tarvek::bench::MinorFaults faults;
  for (auto _ : state)
    benchmark::DoNotOptimize(tarvek::createBonds(model, 0, 0, prompts, abort));
  perAtom(state, model.atomCount, model, faults);
}
BENCHMARK(BM_createBondsTwoClusters)->Unit(benchmark::kMillisecond);

void BM_findBondsOnePlace(benchmark::State& state)
{
  Model model;
  model.bondLength = kBond;
  const std::size_t n = 200000;
  model.atomX.assign(n, 3.0f);
  model.atomY.assign(n, -1.0f);
  model.atomZ.assign(n, 0.5f);
  model.atomType.assign(n, 3);
  model.atomCount = static_cast<std::int32_t>(n);
  QuietPrompts prompts;
  NeverAbort abort;
  const tarvek::bench::MinorFaults faults;
  for (auto _ : state)
    benchmark::DoNotOptimize(tarvek::findBonds(model, prompts, abort));
  perAtom(state, model.atomCount, model, faults);
}
BENCHMARK(BM_findBondsOnePlace)->Unit(benchmark::kMillisecond);

void BM_createBondsSheet(benchmark::State& state)
{
  createBondsOn(state, 2, AtomSetId::Sheet, fillSheet, false);
}
BENCHMARK(BM_createBondsSheet)->Apply(perAtomRows);

void BM_createBondsSheetCold(benchmark::State& state)
{
  createBondsOn(state, 2, AtomSetId::Sheet, fillSheet, true);
}
BENCHMARK(BM_createBondsSheetCold)->Apply(coldRows);

void BM_createBondsCloud(benchmark::State& state)
{
  createBondsOn(state, 7, AtomSetId::Atom, fillCloud, false);
}
BENCHMARK(BM_createBondsCloud)->Apply(perAtomRows);

void BM_createBondsCloudCold(benchmark::State& state)
{
  createBondsOn(state, 7, AtomSetId::Atom, fillCloud, true);
}
BENCHMARK(BM_createBondsCloudCold)->Apply(coldRows);

// A real (n, n) tube of about state.range(0) atoms from the tube builder
// (4n atoms per 2.46 Å cell), bonded as Calculate bonds it.
void tubeBonds(benchmark::State& state, std::int16_t n, bool cold = false)
{
  Model model;
  model.structureKind = 1;
  QuietPrompts prompts;
  NeverAbort abort;
  const double cells = static_cast<double>(state.range(0)) / (4.0 * n);
  tarvek::buildTubes(model, n, n, static_cast<float>(cells * std::sqrt(3.0) * kBond - 0.5), kBond,
                     prompts, abort);
  const tarvek::bench::MinorFaults faults;
  timeSearches(state, model, cold);
  perAtom(state, model.atomCount, model, faults);
}

void BM_createBondsTube10(benchmark::State& state) { tubeBonds(state, 10); }
BENCHMARK(BM_createBondsTube10)->Apply(perAtomRows);

void BM_createBondsTube100(benchmark::State& state) { tubeBonds(state, 100); }
BENCHMARK(BM_createBondsTube100)->Apply(perAtomRows);

void BM_createBondsTube100Cold(benchmark::State& state) { tubeBonds(state, 100, true); }
BENCHMARK(BM_createBondsTube100Cold)->Apply(coldRows);

// The largest listed cone (d = 60, h = 250: about 2·10^5 atoms), bonded.
void BM_createBondsCone(benchmark::State& state)
{
  Model model;
  model.structureKind = 3;
  QuietPrompts prompts;
  NeverAbort abort;
  tarvek::buildCone(model, 60.0f, 250.0f, kBond, 0.0f);
  const tarvek::bench::MinorFaults faults;
  for (auto _ : state)
    tarvek::createBonds(model, 0, 0, prompts, abort);
  perAtom(state, model.atomCount, model, faults);
}
BENCHMARK(BM_createBondsCone)->Unit(benchmark::kMillisecond);

// At a = 1.0 no sheet pair lies in 0.5–1.15, so every run takes the retry
// around the closest pair.
void BM_findBondsRetry(benchmark::State& state)
{
  Model model;
  model.bondLength = 1.0f;
  fillSheet(model.atomSet(AtomSetId::Atom), state.range(0));
  QuietPrompts prompts;
  NeverAbort abort;
  const tarvek::bench::MinorFaults faults;
  for (auto _ : state)
    tarvek::findBonds(model, prompts, abort);
  perAtom(state, state.range(0), model, faults);
}
BENCHMARK(BM_findBondsRetry)->Apply(perAtomRows);

// The pair loop the grid replaces, on the same sheet.
void BM_pairLoopSheet(benchmark::State& state)
{
  Model model;
  fillSheet(model.atomSet(AtomSetId::Sheet), state.range(0));
  const tarvek::test::PairLoop loop{model.sheetX.data(), model.sheetY.data(),
                                    model.sheetZ.data(), nullptr, 0, model.sheetCount};
  const auto lower = static_cast<float>(0.95 * kBond);
  const auto upper = static_cast<float>(1.05 * kBond);
  std::size_t bonds = 0;
  const tarvek::bench::MinorFaults faults;
  for (auto _ : state)
    bonds = loop.bonds(lower, upper).size();
  perAtom(state, state.range(0), model, faults);
  state.counters["bonds"] = static_cast<double>(bonds);
}
BENCHMARK(BM_pairLoopSheet)->Arg(10000)->Unit(benchmark::kMillisecond);

// The largest listed cone (d = 60, h = 250: about 2·10^5 atoms), built and
// bonded.
void BM_coneWithBonds(benchmark::State& state)
{
  Model model;
  model.structureKind = 3;
  QuietPrompts prompts;
  NeverAbort abort;
  const tarvek::bench::MinorFaults faults;
  for (auto _ : state) {
    tarvek::buildCone(model, 60.0f, 250.0f, kBond, 0.0f);
    tarvek::createBonds(model, 0, 0, prompts, abort);
  }
  perAtom(state, model.atomCount, model, faults);
}
BENCHMARK(BM_coneWithBonds)->Unit(benchmark::kMillisecond);

} // namespace
