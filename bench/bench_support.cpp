#include "bench_support.h"

#include <cmath>

namespace tarvek::bench {

void ringTube(Model& model, std::int64_t atoms, int firstRing)
{
  model.atomX.clear();
  model.atomY.clear();
  model.atomZ.clear();
  model.atomType.clear();
  model.bondAtom1.clear();
  model.bondAtom2.clear();
  model.structureKind = 1;
  model.covalentRadius[6] = 0.77f;
  const int rings = static_cast<int>(atoms / kRingAtoms);
  const double radius = kRingAtoms * 1.42 / (2 * 3.141592654);
  for (int r = 0; r < rings; ++r) {
    for (int k = 0; k < kRingAtoms; ++k) {
      const double phi = 2 * 3.141592654 * k / kRingAtoms;
      model.atomX.push_back(static_cast<float>(radius * std::cos(phi)));
      model.atomY.push_back(static_cast<float>(radius * std::sin(phi)));
      model.atomZ.push_back(static_cast<float>(1.23 * (firstRing + r)));
      model.atomType.push_back(3);
      const int a = r * kRingAtoms + k;
      model.bondAtom1.push_back(k + 1 < kRingAtoms ? a : r * kRingAtoms);
      model.bondAtom2.push_back(k + 1 < kRingAtoms ? a + 1 : a);
      if (r + 1 < rings) {
        model.bondAtom1.push_back(a);
        model.bondAtom2.push_back(a + kRingAtoms);
      }
    }
  }
  model.atomCount = rings * kRingAtoms;
  model.bondCount = static_cast<std::int32_t>(model.bondAtom1.size());
}

benchmark::Counter timePer(double count)
{
  return benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate
                                       | benchmark::Counter::kInvert);
}

void decadeSizes(benchmark::internal::Benchmark* bench)
{
  bench->Arg(10'000)->Arg(100'000)->Arg(1'000'000);
}

} // namespace tarvek::bench
