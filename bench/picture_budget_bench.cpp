// Hostile PNG files through the digitiser's reader and through the file
// check alone: text chunks that unpack to 450 MiB and 1.5 GiB in total, a
// last chunk cut short after a 1.6 GB claim, and a 36-megapixel picture.
// Every row should take milliseconds at most; peak_MiB is the process's
// resident peak so far (ru_maxrss), so run one file at a time
// (--benchmark_filter) to see each file's own peak. Runs offscreen.

#include "bench_support.h"

#include "imaging/ui/digitiser_image.h"
#include "platform/image_file_check.h"

#include "imaging/hostile_png.h"

#include <QGuiApplication>

#include <fstream>

#include <sys/resource.h>

namespace {

// The files, written once outside the timing and removed at exit.
class HostileFiles {
public:
  HostileFiles()
  {
    const std::size_t sevenAndAHalfMiB = std::size_t{15} << 19;
    write("ztxt-60.png", tarvek::test::pngWithTexts(60, sevenAndAHalfMiB));
    write("ztxt-200.png", tarvek::test::pngWithTexts(200, sevenAndAHalfMiB));
    // The header of a text chunk claiming 1.6 GB and three bytes of it.
    const std::string claim = tarvek::test::pngClaiming(1, 1).substr(0, 33);
    write("cut-chunk.png", claim + std::string("\x5f\x5e\x10\x00tEXtCom", 11));
    write("36-megapixels.png", tarvek::test::blackPng(6000, 6000));
  }
  ~HostileFiles()
  {
    for (const std::string& path : paths)
      std::filesystem::remove(path);
  }
  HostileFiles(const HostileFiles&) = delete;
  HostileFiles& operator=(const HostileFiles&) = delete;

  std::vector<std::string> names;
  std::vector<std::string> paths;

private:
  void write(const char* name, const std::string& bytes)
  {
    names.emplace_back(name);
    paths.push_back(tarvek::bench::scratchFile(name).string());
    std::ofstream(paths.back(), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
};

const HostileFiles& files()
{
  static const HostileFiles instance;
  return instance;
}

void reportPeak(benchmark::State& state)
{
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void hostileFileArgs(benchmark::internal::Benchmark* bench)
{
  bench->ArgName("file")->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
}

void BM_DigitiserRead(benchmark::State& state)
{
  const auto file = static_cast<std::size_t>(state.range(0));
  const std::string& path = files().paths[file];
  state.SetLabel(files().names[file]);
  for (auto _ : state) {
    const tarvek::DigitiserImage image = tarvek::readDigitiserImage(path);
    benchmark::DoNotOptimize(image.error.data());
  }
  reportPeak(state);
}
BENCHMARK(BM_DigitiserRead)->Apply(hostileFileArgs);

void BM_FileCheck(benchmark::State& state)
{
  const auto file = static_cast<std::size_t>(state.range(0));
  const std::string& path = files().paths[file];
  state.SetLabel(files().names[file]);
  for (auto _ : state) {
    const std::string problem = tarvek::imageFileProblem(path);
    benchmark::DoNotOptimize(problem.data());
  }
  reportPeak(state);
}
BENCHMARK(BM_FileCheck)->Apply(hostileFileArgs);

} // namespace

int main(int argc, char** argv)
{
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
