// What a frame of the 3-D view costs: the view at 800 x 600 on the
// synthetic tube of scene_compile_bench (rings of 100 atoms), 10^4 and 10^5
// atoms, bonds as cylinders or as lines, stereo mode 0 or 3 (the colour
// anaglyph draws the lists twice, so it should take 1.5 to 2.5 times mode
// 0). The projection is orthographic, fitted to the tube. A frame is the
// view's synchronous repaint plus glFinish().
//
// Counters: ms per frame, triangles per frame, million triangles per
// second, and LP_NUM_THREADS (llvmpipe's threads; 0 when unset).
//
//   xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb build/bench/scene_frame_bench

#include "bench_support.h"
#include "model/display_settings.h"
#include "model/model.h"
#include "platform/surface_format.h"
#include "scene/gl_host.h"
#include "scene/gl_recording.h"
#include "scene/scene_object.h"
#include "platform/qt_prompts.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <chrono>
#include <cstdlib>

namespace {

using namespace tarvek;
using bench::NeverAbort;

// Triangles the scene's lists hold, from their records.
double trianglesOf(const CXXX& scene)
{
  double n = 0;
  for (const auto& list : scene.lists()) {
    RecordingGl gl;
    compileRecord(list.record, gl);
    for (const GlBatch& batch : gl.batches) {
      if (batch.primitive == GlPrimitive::Triangles)
        n += batch.indices.empty() ? static_cast<double>(batch.vertices.size() / 9)
                                   : static_cast<double>(batch.indices.size() / 3);
    }
  }
  return n;
}

// Arguments: atoms, bonds as lines (0/1), stereo mode (0/3).
void BM_frame(benchmark::State& state)
{
  Model model;
  bench::ringTube(model, state.range(0));
  DisplaySettings display;
  // The orthographic volume fits the whole tube.
  display.orthoProjection = true;
  Preferences preferences;
  preferences.optionFlags[9] = state.range(1) != 0;
  NeverAbort abort;
  QtPrompts prompts;
  QTemporaryDir dir;
  GlHost host(prompts);
  host.resize(800, 600);
  CXXX scene(model, display, preferences, abort, abort, host.gl(), host,
             QDir(dir.path()).filePath("tmp.xyz").toStdString(),
             QDir(dir.path()).filePath("tmp.zyx").toStdString());
  scene.attachHost(host);
  host.setScene(&scene);
  scene.clearScene();
  scene.setBackground();
  scene.setAtomData();
  scene.setBondData();
  scene.zoomReset(1);
  scene.zoomOrtho();
  for (std::int64_t i = 0; i < state.range(2); ++i)
    scene.toggleStereo(1);
  host.show();
  if (!QTest::qWaitForWindowExposed(&host)) {
    state.SkipWithError("no window");
    return;
  }
  host.repaint();

  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    host.repaintNow();
    glFinish();
    const double frame = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(frame);
    seconds += frame;
  }

  const double passes = state.range(2) == 3 ? 2 : 1;
  const double triangles = trianglesOf(scene) * passes;
  const auto frames = static_cast<double>(state.iterations());
  state.counters["ms_per_frame"] = 1e3 * seconds / frames;
  state.counters["triangles_per_frame"] = triangles;
  state.counters["Mtriangles_per_s"] = triangles * frames / seconds / 1e6;
  const char* threads = std::getenv("LP_NUM_THREADS");
  state.counters["LP_NUM_THREADS"] = threads != nullptr ? std::atof(threads) : 0.0;
  host.setScene(nullptr);
}

BENCHMARK(BM_frame)
    ->ArgNames({"atoms", "lines", "stereo"})
    ->ArgsProduct({{10000, 100000}, {0, 1}, {0, 3}})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

} // namespace

int main(int argc, char** argv)
{
  tarvek::setDefaultSurfaceFormat();
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
