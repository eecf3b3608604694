// The image browser's rules without widgets: where the picture goes in the
// view, how thumbnails fit and line up, the status panel texts, stepping
// through the file list, and the state of a thumbnail run.
#pragma once

#include "imaging/jpeg_file.h"

#include <cstdint>
#include <string>

namespace tarvek {

// Side of the square box a thumbnail is fitted into and composed on, pixels.
inline constexpr int kThumbnailSize = 100;

// Where a picture of imageWidth x imageHeight goes in a view of viewWidth x
// viewHeight pixels. A picture that fits is drawn at its own size, centred
// (x and y rounded half to even); a larger one is scaled by
// s = min((viewHeight - 10) / imageHeight, (viewWidth - 10) / imageWidth),
// which leaves 5 pixels on each side of its limiting dimension, its drawn
// size rounded half to even and x, y those of the exact scaled size.
struct ViewPlacement {
  double x = 0;
  double y = 0;
  PixelSize drawn;
  double scale = 1;
  bool scaled = false;
};
ViewPlacement viewPlacement(int viewWidth, int viewHeight, int imageWidth, int imageHeight);

// A w x h picture fitted into box keeping its aspect: as wide as the box
// when that fits its height, else as high as the box; the other side rounded
// half to even and at least 1. Small pictures grow to the box. An empty
// picture or box gives 0 x 0.
PixelSize thumbnailFit(int w, int h, PixelSize box);

// The entry d steps from index in a list of count entries: before the first
// wraps to the last, past the last to the first. -1 for an empty list.
std::int32_t stepIndex(std::int32_t index, std::int32_t d, std::int32_t count);

// The file length in whole kilobytes (1024 bytes, rounded down) & " KB".
std::string sizeText(std::uint64_t length);
// "w x h".
std::string pixelSizeText(int width, int height);
// bits & " Bits/Pixel".
std::string depthText(int bitsPerPixel);
// The last three characters of path in capitals (all of a shorter path).
std::string typeText(const std::string& path);

// Left edge in the strip of thumbnail i (from 1) while the scroll bar stands
// at value: the thumbnail numbered value comes first, 5 pixels apart.
int thumbnailLeft(std::int32_t i, std::int32_t value, int thumbWidth = kThumbnailSize);

// How many thumbnails past the scroll value the strip shows for an inner
// width of stripWidth pixels: (width + thumb) / thumb + 1, rounded half to
// even. The strip paints thumbnails value to value + visible.
std::int32_t visibleThumbnails(int stripWidth, int thumbWidth = kThumbnailSize);

// One run of thumbnail making, one file per step. The window's events reach
// the run only through requestStop (a click on the status bar, closing) and
// folderChanged (another folder chosen), which it reads after every file.
class ThumbnailRun {
public:
  enum State : int { Idle = 0, Running = 1, NewFolder = 2 };

  // Starts a run over fileCount files from thumbnail 1, with the stop flag
  // cleared. False, and nothing changes, while a run is going on; false, and
  // the run stays idle, for no files.
  bool start(std::int32_t fileCount);

  // What the run asks for after a thumbnail was made.
  struct Step {
    bool layout = false;   // place the thumbnails in view again
    bool finished = false; // the run ends: call finish
  };
  // Thumbnail next() was made; escape tells whether Escape was pressed
  // meanwhile. Asks for a layout after every tenth thumbnail and at the end.
  Step made(bool escape);

  // The run ends, the state returns to idle. True when another folder was
  // chosen during it, so that folder's run is due now.
  bool finish();

  // True when the run was asked to stop before the next thumbnail.
  bool stopRequested() const { return m_stop || m_state == NewFolder; }
  void requestStop() { m_stop = true; }
  // A running run is told to end at its next check; an idle one is not.
  void folderChanged();
  // The window goes: the run stops and the state is idle.
  void close();

  State state() const { return m_state; }
  bool running() const { return m_state != Idle; }
  std::int32_t fileCount() const { return m_fileCount; }
  // The thumbnail the run makes next, from 1.
  std::int32_t next() const { return m_next; }

private:
  State m_state = Idle;
  bool m_stop = false;
  std::int32_t m_fileCount = 0;
  std::int32_t m_next = 0;
};

} // namespace tarvek
