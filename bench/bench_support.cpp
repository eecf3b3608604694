#include "bench_support.h"

#include "runtime/big_buffer.h"
#include "runtime/heap_policy.h"

#include <cstdio>
#include <jpeglib.h>
#include <malloc.h>

#include <cmath>
#include <cstdlib>
#include <sys/resource.h>
#include <unistd.h>

namespace tarvek::bench {

namespace {

// The benchmarks' heap behaves as the program's.
[[maybe_unused]] const bool heapAsInTheProgram = (keepFreedHeapMemory(), true);

} // namespace

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

void coldDecadeSizes(benchmark::internal::Benchmark* bench)
{
  decadeSizes(bench);
  bench->Iterations(1)->Unit(benchmark::kMillisecond)->Setup(startCold);
}

void startCold(const benchmark::State&)
{
  releaseFreedBlocks();
  ::malloc_trim(0);
}

namespace {

long minorFaultsSoFar()
{
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

} // namespace

MinorFaults::MinorFaults() : m_start(minorFaultsSoFar()) {}

void MinorFaults::report(benchmark::State& state, double atoms) const
{
  const double runs = static_cast<double>(state.iterations());
  state.counters["faults_per_atom"] =
      static_cast<double>(minorFaultsSoFar() - m_start) / (atoms * (runs > 0 ? runs : 1.0));
}

std::filesystem::path scratchFile(const char* name)
{
  return std::filesystem::temp_directory_path()
         / ("quillet-bench-" + std::to_string(::getpid()) + "-" + name);
}

std::vector<unsigned char> gradientPixels(int w, int h)
{
  std::vector<unsigned char> pixels(std::size_t(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char* p = &pixels[(std::size_t(y) * w + x) * 3];
      p[0] = static_cast<unsigned char>(x * 255 / w);
      p[1] = static_cast<unsigned char>(y * 255 / h);
      p[2] = static_cast<unsigned char>(128 + 100 * std::sin(x * 0.05) * std::cos(y * 0.07));
    }
  return pixels;
}

std::size_t encodeJpeg(const unsigned char* pixels, int w, int h, int quality,
                       unsigned char** out)
{
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, out, &size);
  cinfo.image_width = JDIMENSION(w);
  cinfo.image_height = JDIMENSION(h);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(pixels) + std::size_t(cinfo.next_scanline) * w * 3;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return size;
}

std::filesystem::path writeGradientJpeg(const char* name, int w, int h, int quality)
{
  const std::filesystem::path file = scratchFile(name);
  const std::vector<unsigned char> pixels = gradientPixels(w, h);
  unsigned char* bytes = nullptr;
  const std::size_t size = encodeJpeg(pixels.data(), w, h, quality, &bytes);
  std::FILE* f = std::fopen(file.c_str(), "wb");
  if (f) {
    std::fwrite(bytes, 1, size, f);
    std::fclose(f);
  }
  std::free(bytes);
  return file;
}

} // namespace tarvek::bench
