// Cost of the radius calculator: building, sorting and listing a table, and the list model's reset.
#include "bench_support.h"

#include "tools/radius_calculator.h"
#include "tools/radius_calculator_window.h"

namespace {

using namespace tarvek;

// n 5..70 gives 2,541 rows, n 5..200 the full 9,998; time per row should
// stay flat.
void BM_calcAllAndList(benchmark::State& state)
{
  const auto highN = static_cast<std::int16_t>(state.range(0));
  const RadiusInputs inputs{1.41f, 5, highN, 3.89f, 3.4f, 5};
  RadiusCalculator calculator;
  for (auto _ : state) {
    calculator.calcAll(0, true, inputs);
    benchmark::DoNotOptimize(calculator.list().data());
  }
  state.counters["rows"] = static_cast<double>(calculator.table().rowCount);
  state.counters["per_row"] = benchmark::Counter(
      static_cast<double>(calculator.table().rowCount),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_calcAllAndList)->Arg(70)->Arg(200)->Unit(benchmark::kMillisecond);

// One reset of the list's model with all rows.
void BM_listModelReset(benchmark::State& state)
{
  const auto highN = static_cast<std::int16_t>(state.range(0));
  RadiusCalculator calculator;
  calculator.calcAll(0, false, {1.41f, 5, highN, 3.89f, 3.4f, 5});
  RadiusListModel model;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<RadiusListRow> rows = calculator.list();
    state.ResumeTiming();
    model.setRows(std::move(rows));
    benchmark::DoNotOptimize(model.rowCount());
  }
  state.counters["per_row"] = benchmark::Counter(
      static_cast<double>(calculator.table().rowCount),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_listModelReset)->Arg(70)->Arg(200)->Unit(benchmark::kMicrosecond);

} // namespace
