// Joining the JPEG frames of an image sequence into one animated GIF.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvek {

class Prompts;

// The start times in milliseconds of n frames shown step ms each: 0, step,
// 2 step, ...; empty for n below 1.
std::vector<std::int32_t> frameTimes(std::int32_t n, std::int32_t step);

// Writes the JPEG frame files, in order, as a looping animated GIF at
// outputFile (absolute paths; the current folder is never changed), each
// frame shown frameDelay milliseconds, then deletes the frame files. Frames
// are decoded one at a time.
//
// When a frame is missing or unreadable, the frames differ in size, or the
// GIF cannot be saved, no GIF appears (an older one stays), every frame file
// is kept, and prompts shows "Error - " with the reason, naming the frame or
// the path, and a second line naming the folder that keeps the frames.
// Returns whether the GIF was written.
bool makeAnimatedGIF(const std::vector<std::string>& frameFiles, const std::string& outputFile,
                     std::int32_t frameDelay, Prompts& prompts);

} // namespace tarvek
