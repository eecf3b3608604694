// Cost of the nano-hole window's interactive steps: a brightness step, the hole table and file lines, and filtered back transforms.
#include "bench_window.h"

#include "runtime/random_source.h"
#include "tools/complex_image.h"
#include "tools/hole_export.h"
#include "tools/nano_hole_window.h"
#include "tools/pixel_canvas.h"

#include <QAbstractItemModel>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>

#include <memory>

namespace {

using namespace tarvek;

class NoDialogs : public FileDialogs {
public:
  std::optional<FileChoice> open(const std::string&, const std::string&, const std::string&,
                                 const std::string&, int) override
  {
    return std::nullopt;
  }
  std::optional<FileChoice> save(const std::string&, const std::string&, const std::string&,
                                 const std::string&, int) override
  {
    return std::nullopt;
  }
};

class NoHelp : public MainWindowServices {
public:
  void CALCULATE(bool) override {}
  void toggleProjection() override {}
  void setData(bool) override {}
  void RemoteSetData() override {}
  void setTubeLengthField(const std::string&) override {}
  void ShowHelp(std::int32_t) override {}
  void setStatusPanel(int, const std::string&) override {}
  void setVirusMode(int, const std::string&) override {}
};

// A shown window drawn with F, N and zoom from the arguments (the start
// pattern 5, 6, 8 gives 570 holes; 20, 40, 1 gives 36,233).
struct Window {
  explicit Window(const benchmark::State& state)
      : window(prompts, dialogs, help, preferences, "/tmp/", random, nullptr)
  {
    window.scrF->setValue(static_cast<int>(state.range(0)));
    window.scrN->setValue(static_cast<int>(state.range(1)));
    window.scrZoom->setValue(static_cast<int>(state.range(2)));
    window.generateTiling();
    window.show();
  }

  bench::QuietPrompts prompts;
  NoDialogs dialogs;
  NoHelp help;
  Preferences preferences;
  RandomSource random;
  frmNanoHoles window;
};

void patterns(benchmark::internal::Benchmark* b)
{
  b->Args({5, 6, 8})->Args({20, 40, 1});
}

// One step of the held brightness button with the view's repaint; the
// timer's period is 10 ms.
void BM_brightnessStep(benchmark::State& state)
{
  Window w(state);
  w.window.tab1->setCurrentIndex(3);
  std::int16_t step = 1;
  for (auto _ : state) {
    w.window.workspace().ChangeBrightness(step);
    w.window.pb3->repaint();
    step = static_cast<std::int16_t>(-step);
  }
}
BENCHMARK(BM_brightnessStep)->Args({5, 6, 8})->Unit(benchmark::kMillisecond);

// Filling the table and reading every cell the view would show, per row.
// The table formats its cells when they are read, so the reading is the cost.
void BM_fillCoordinateList(benchmark::State& state)
{
  Window w(state);
  QAbstractItemModel& rows = *w.window.lst->model();
  const std::int64_t holes = w.window.tiling().vertexCount;
  for (auto _ : state) {
    w.window.fillCoordinateList();
    for (int r = 0; r < rows.rowCount(); ++r)
      for (int c = 0; c < 3; ++c)
        benchmark::DoNotOptimize(rows.data(rows.index(r, c)));
  }
  state.SetItemsProcessed(state.iterations() * holes);
  state.counters["holes"] = static_cast<double>(holes);
}
BENCHMARK(BM_fillCoordinateList)->Apply(patterns)->Unit(benchmark::kMillisecond);

// The file lines of both layouts, per hole.
void BM_holeLines(benchmark::State& state)
{
  Window w(state);
  const TilingResult& t = w.window.tiling();
  for (auto _ : state) {
    benchmark::DoNotOptimize(holeLines(t.vertexX, t.vertexY, HoleLayout::Plain, 1.0, false));
    benchmark::DoNotOptimize(holeLines(t.vertexX, t.vertexY, HoleLayout::Centred, 2.0, false));
  }
  state.SetItemsProcessed(state.iterations() * t.vertexCount);
}
BENCHMARK(BM_holeLines)->Apply(patterns)->Unit(benchmark::kMillisecond);

// The back transform at 512² with 1 and with 1000 masks: the masks are
// rasterised once per transform, so both cost about the same.
void BM_backTransformMasks(benchmark::State& state)
{
  bench::QuietPrompts prompts;
  RandomSource random(3);
  PixelCanvas image(512, 512);
  PixelCanvas spectrum(512, 512);
  PixelCanvas result(512, 512);
  for (int y = 0; y < 512; ++y)
    for (int x = 0; x < 512; ++x)
      image.setPixel(x, y, static_cast<std::uint32_t>(random.uniform() * 256.0) * 0x010101u);
  clComplexImage c(prompts, random);
  c.SetMessageLabel([](const std::string&) {});
  c.SetCanvas(image, spectrum, result);
  c.SetDimensionFFT(512);
  c.runFOURN(1, false);
  c.SetFilterFT(4);
  for (std::int64_t m = 0; m < state.range(0); ++m) {
    const auto at = static_cast<std::int16_t>((m * 37) % 480);
    c.AddMask(at, at, static_cast<std::int16_t>(at + 30), static_cast<std::int16_t>(at + 30));
  }
  for (auto _ : state)
    c.runFOURN(0, false);
}
BENCHMARK(BM_backTransformMasks)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
  return tarvek::bench::runWindowBenchmarks(argc, argv);
}
