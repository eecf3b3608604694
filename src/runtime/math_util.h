#pragma once

#include <cstdint>

namespace tarvek {

// The geometry code's π and 2π, as decimal constants.
inline constexpr double kPi = 3.141592654;
inline constexpr double kTwoPi = 6.283185307;

double square(double x);
// b when a > b, else a (a on a tie, which shows with signed zeros).
double minD(double a, double b);
// a when a >= b, else b.
double maxD(double a, double b);
double max3D(double a, double b, double c);
// True for an odd value (lowest bit set): -1 (true) and -3 are true.
bool toBool(std::int16_t value);

// Arc functions that clamp instead of failing: an argument at or beyond ±1
// gives the end of the range (0 or kPi; ±kPi/2).
double ArcCosine(double x);
double ArcSine(double x);

// Direction of the point (x, y) in [0, 2π); note y comes first. (0, 0) is 0.
double angle2pi(double y, double x);

} // namespace tarvek
