// Joining the JPEG frames of an image sequence into one animated GIF.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvek {

class Prompts;

// The start times in milliseconds of n frames shown 250 ms each: 0, 250,
// 500, ...; empty for n below 1.
std::vector<std::int32_t> frameTimes(std::int32_t n);

// Writes the JPEG frame files, in order, as a looping animated GIF at
// outputFile (absolute paths; the current folder is never changed), then
// deletes the frame files. Frames are decoded one at a time.
//
// When a frame is missing or unreadable, the frames differ in size, or the
// GIF cannot be saved, no GIF appears (an older one stays), every frame file
// is kept, and prompts shows "Error - " with the reason, naming the frame or
// the path, and a second line naming the folder that keeps the frames.
// Returns whether the GIF was written.
bool makeAnimatedGIF(const std::vector<std::string>& frameFiles, const std::string& outputFile,
                     Prompts& prompts);

} // namespace tarvek
