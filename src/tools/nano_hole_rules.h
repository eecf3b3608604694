// Small rules of the nano-hole array window: the profile plot, the panel's place and the brightness repeat.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace tarvek {

struct ProfilePoint {
  int x = 0;
  int y = 0;
};

// Point i of a profile plot in a panel of the given inner height: (i, h − k·v)
// with k = (h − 5)/max, rounded half to even, so the largest value sits 5
// pixels below the top.
std::vector<ProfilePoint> profilePoints(std::span<const float> values, float max, int innerHeight);

// The top of the profile panel for a pointer at y: below the pointer near the
// top of the view, else above it.
int profilePanelTop(int pointerY, int innerHeight, int panelHeight);

// What a tick of the brightness repeat does, by the timer's tag: "1" darker,
// "2" brighter, "" stops the timer, any other tag nothing.
enum class BrightnessTick { Darker, Brighter, Stop, Nothing };
BrightnessTick brightnessTick(std::string_view tag);

} // namespace tarvek
