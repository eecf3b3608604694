// Writing animated GIF files from RGB frames.
#pragma once

#include "runtime/atomic_file.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct GifFileType;

namespace tarvek {

// Writes a looping GIF89a animation, one frame at a time: each frame gets its
// own 256-colour map chosen from its pixels (quantiseColours), its delay, no transparency
// and "do not dispose"; the file loops forever. Only the frame in hand is
// held in memory, so the length of an animation costs nothing but file size.
//
// Order of use: construct with the target path, addFrame for every frame,
// finish once. The file appears whole at finish or not at all; an older file
// of that name stays until then and after any failure. Every frame must have
// the first frame's size.
class GifWriter {
public:
  explicit GifWriter(std::string path);
  ~GifWriter();
  GifWriter(const GifWriter&) = delete;
  GifWriter& operator=(const GifWriter&) = delete;

  // Adds a width x height frame of RGB bytes (rows top first, no padding)
  // shown for delay hundredths of a second. False, with error() set, for a
  // frame of no pixels or of another size than the first, or when giflib
  // fails; later calls then fail too.
  bool addFrame(std::int32_t width, std::int32_t height, const std::uint8_t* rgb,
                std::int32_t delay);

  // Ends the file and puts it in place. False, with error() set, when a
  // frame failed, no frame was added, or the file cannot be saved.
  bool finish();

  const std::string& error() const { return m_error; }

private:
  bool open(std::int32_t width, std::int32_t height);
  bool fail(std::string reason);
  bool giflibFailed(const char* doing);

  AtomicFile m_file;
  GifFileType* m_gif = nullptr;
  std::int32_t m_width = 0;
  std::int32_t m_height = 0;
  std::int32_t m_frames = 0;
  std::string m_error;
};

// The delays in hundredths of a second for frames shown from the given start
// times in milliseconds: each frame lasts until the next one starts, the
// last as long as the one before it (250 ms when it is the only one); at
// least 1 each.
std::vector<std::int32_t> gifDelays(const std::vector<std::int32_t>& startTimes);

} // namespace tarvek
