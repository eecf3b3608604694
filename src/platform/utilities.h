#pragma once

#include "platform/abort.h"
#include "platform/clock.h"
#include "platform/prompts.h"

#include <string>
#include <vector>

namespace tarvek {

// Asks "File already exists. Do you want to overwrite it?" with the path
// when the file exists and is not empty; true when it may be written (the
// user said Yes, or there was nothing to overwrite).
bool confirmOverwrite(const std::string& path, Prompts& prompts);
// The same question once for a set of files written together (the frames of
// an image sequence), naming the first that exists and how many more do.
bool confirmOverwrite(const std::vector<std::string>& paths, Prompts& prompts);

// Waits the given seconds on the monotonic clock while letting window events
// run; a zero, negative or NaN time returns without pumping. Other handlers
// run during the wait, so callers must expect re-entrant events.
void pause(float seconds, Clock& clock, EventPump& pump);

} // namespace tarvek
