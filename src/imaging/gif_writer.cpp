// Animated GIF files through giflib, saved atomically.
#include "imaging/gif_writer.h"

#include "imaging/colour_quantiser.h"

#include <gif_lib.h>

#include <algorithm>
#include <cmath>

namespace tarvek {

namespace {

constexpr int kPaletteSize = 256;
constexpr std::int32_t kOnlyFrameDelay = 25;

// giflib's output function: every byte goes to the pending file, whose
// failures commit() reports.
int appendToFile(GifFileType* gif, const GifByteType* bytes, int length)
{
  static_cast<AtomicFile*>(gif->UserData)
      ->write(std::string_view(reinterpret_cast<const char*>(bytes),
                               static_cast<std::size_t>(length)));
  return length;
}

struct ColourMapFree {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

} // namespace

GifWriter::GifWriter(std::string path) : m_file(std::move(path)) {}

GifWriter::~GifWriter()
{
  // Without finish the pending file is discarded with whatever was written.
  if (m_gif)
    EGifCloseFile(m_gif, nullptr);
}

bool GifWriter::fail(std::string reason)
{
  if (m_error.empty())
    m_error = std::move(reason);
  return false;
}

bool GifWriter::giflibFailed(const char* doing)
{
  const char* reason = GifErrorString(m_gif->Error);
  return fail("Could not write " + m_file.path() + " (" + doing + "): "
              + (reason ? reason : "unknown error"));
}

bool GifWriter::open(std::int32_t width, std::int32_t height)
{
  int error = 0;
  m_gif = EGifOpen(&m_file, appendToFile, &error);
  if (!m_gif) {
    const char* reason = GifErrorString(error);
    return fail("Could not write " + m_file.path() + ": " + (reason ? reason : "unknown error"));
  }
  m_width = width;
  m_height = height;
  EGifSetGifVersion(m_gif, true);
  if (EGifPutScreenDesc(m_gif, width, height, 8, 0, nullptr) == GIF_ERROR)
    return giflibFailed("screen");
  // The application block that makes viewers loop: count 0, for ever.
  static const GifByteType kLoopName[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  static const GifByteType kLoopForever[] = {1, 0, 0};
  if (EGifPutExtensionLeader(m_gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR
      || EGifPutExtensionBlock(m_gif, sizeof kLoopName, kLoopName) == GIF_ERROR
      || EGifPutExtensionBlock(m_gif, sizeof kLoopForever, kLoopForever) == GIF_ERROR
      || EGifPutExtensionTrailer(m_gif) == GIF_ERROR)
    return giflibFailed("loop block");
  return true;
}

bool GifWriter::addFrame(std::int32_t width, std::int32_t height, const std::uint8_t* rgb,
                         std::int32_t delay)
{
  if (!m_error.empty())
    return false;
  const std::string frameName = "frame " + std::to_string(m_frames + 1);
  if (width < 1 || height < 1 || !rgb || width > 65535 || height > 65535)
    return fail(frameName + " has no pixels a GIF can hold (" + std::to_string(width) + " x "
                + std::to_string(height) + ").");
  if (!m_gif && !open(width, height))
    return false;
  if (width != m_width || height != m_height)
    return fail(frameName + " is " + std::to_string(width) + " x " + std::to_string(height)
                + " pixels, the first " + std::to_string(m_width) + " x "
                + std::to_string(m_height) + ".");

  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.UserInputFlag = false;
  control.DelayTime = std::clamp(delay, 1, 65535);
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  GifByteType extension[4];
  const std::size_t extensionSize = EGifGCBToExtension(&control, extension);
  if (EGifPutExtension(m_gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(extensionSize), extension)
      == GIF_ERROR)
    return giflibFailed("frame delay");

  QuantisedPicture picture = quantiseColours(rgb, width, height);
  std::vector<GifColorType> palette(kPaletteSize, GifColorType{0, 0, 0});
  for (std::size_t i = 0; i < picture.palette.size(); ++i)
    palette[i] = {picture.palette[i][0], picture.palette[i][1], picture.palette[i][2]};
  const std::unique_ptr<ColorMapObject, ColourMapFree> map(
      GifMakeMapObject(kPaletteSize, palette.data()));
  if (!map)
    return fail("Could not write " + m_file.path() + ": out of memory.");
  if (EGifPutImageDesc(m_gif, 0, 0, width, height, false, map.get()) == GIF_ERROR)
    return giflibFailed("frame header");
  for (std::int32_t y = 0; y < height; ++y) {
    GifByteType* row = picture.indices.data() + static_cast<std::size_t>(y) * width;
    if (EGifPutLine(m_gif, row, width) == GIF_ERROR)
      return giflibFailed("frame rows");
  }
  ++m_frames;
  return true;
}

bool GifWriter::finish()
{
  if (!m_error.empty())
    return false;
  if (m_frames == 0)
    return fail("Could not write " + m_file.path() + ": there is no frame.");
  int error = 0;
  const int closed = EGifCloseFile(m_gif, &error);
  m_gif = nullptr;
  if (closed == GIF_ERROR) {
    const char* reason = GifErrorString(error);
    return fail("Could not write " + m_file.path() + ": " + (reason ? reason : "unknown error"));
  }
  if (const FileStatus status = m_file.commit(); !status)
    return fail(status.error());
  return true;
}

std::vector<std::int32_t> gifDelays(const std::vector<std::int32_t>& startTimes)
{
  std::vector<std::int32_t> delays;
  delays.reserve(startTimes.size());
  for (std::size_t i = 0; i < startTimes.size(); ++i) {
    if (i + 1 == startTimes.size()) {
      delays.push_back(delays.empty() ? kOnlyFrameDelay : delays.back());
      break;
    }
    const double step = (static_cast<double>(startTimes[i + 1]) - startTimes[i]) / 10.0;
    delays.push_back(static_cast<std::int32_t>(std::clamp(std::nearbyint(step), 1.0, 65535.0)));
  }
  return delays;
}

} // namespace tarvek
