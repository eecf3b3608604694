#pragma once

// Where a frame recorded by RecordingGl puts the scene's atoms: the matrix
// calls of the log are replayed as GL would apply them, and the spheres of
// every list the frame calls are taken to normalised device coordinates.

#include "scene/scene_object.h"

#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace tarvek::test {

class DrawnFrame {
public:
  using Mat = std::array<double, 16>; // column-major, as GL keeps it
  struct Point {
    double x, y;
  };

  // Replays calls[0, end) for the matrices and projects the lists called
  // from frameStart on.
  DrawnFrame(const std::vector<std::string>& calls, std::size_t frameStart, const CXXX& scene)
  {
    std::map<std::uint32_t, const SceneRecord*> lists;
    for (const CXXX::SceneList& list : scene.lists())
      lists[list.glId] = &list.record;
    Mat projection = identity();
    std::vector<Mat> modelView{identity()};
    Mat* current = &modelView.back();
    bool inList = false;
    for (std::size_t i = 0; i < calls.size(); ++i) {
      const std::string& call = calls[i];
      const std::string name = call.substr(0, call.find('('));
      if (name == "newList") {
        inList = true;
        continue;
      }
      if (name == "endList") {
        inList = false;
        continue;
      }
      if (inList)
        continue;
      const std::vector<double> a = args(call);
      if (name == "matrixMode")
        current = call.find("PROJECTION") != std::string::npos ? &projection : &modelView.back();
      else if (name == "loadIdentity")
        *current = identity();
      else if (name == "pushMatrix" && current != &projection) {
        modelView.push_back(modelView.back());
        current = &modelView.back();
      } else if (name == "popMatrix" && current != &projection && modelView.size() > 1) {
        modelView.pop_back();
        current = &modelView.back();
      } else if (name == "translatef")
        *current = times(*current, translation(a[0], a[1], a[2]));
      else if (name == "rotatef")
        *current = times(*current, rotation(a[0], a[1], a[2], a[3]));
      else if (name == "multMatrixf") {
        Mat m{};
        for (std::size_t k = 0; k < 16; ++k)
          m[k] = a[k];
        *current = times(*current, m);
      } else if (name == "perspective")
        *current = times(*current, perspective(a[0], a[1], a[2], a[3]));
      else if (name == "ortho")
        *current = times(*current, ortho(a[0], a[1], a[2], a[3], a[4], a[5]));
      else if (name == "lookAt")
        *current = times(*current, lookAt(a));
      else if (name == "callList" && i >= frameStart) {
        const auto list = lists.find(static_cast<std::uint32_t>(a[0]));
        if (list == lists.end())
          continue;
        const Mat all = times(projection, modelView.back());
        for (const SphereRecord& s : list->second->spheres) {
          const std::array<double, 4> c = apply(all, s.centre[0], s.centre[1], s.centre[2]);
          points.push_back({c[0] / c[3], c[1] / c[3]});
          behind = behind || c[3] <= 0;
        }
      }
    }
  }

  std::vector<Point> points;
  // An atom stood at or behind the eye.
  bool behind = false;

private:
  static std::vector<double> args(const std::string& call)
  {
    std::vector<double> out;
    std::size_t at = call.find('(') + 1;
    while (at < call.size() && call[at] != ')') {
      double v = 0;
      const auto r = std::from_chars(call.data() + at, call.data() + call.size(), v);
      if (r.ec != std::errc())
        break;
      out.push_back(v);
      at = static_cast<std::size_t>(r.ptr - call.data()) + 1;
    }
    return out;
  }
  static Mat identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }
  static Mat times(const Mat& a, const Mat& b)
  {
    Mat r{};
    for (int c = 0; c < 4; ++c)
      for (int row = 0; row < 4; ++row)
        for (int k = 0; k < 4; ++k)
          r[c * 4 + row] += a[k * 4 + row] * b[c * 4 + k];
    return r;
  }
  static std::array<double, 4> apply(const Mat& m, double x, double y, double z)
  {
    std::array<double, 4> r{};
    for (int row = 0; row < 4; ++row)
      r[row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
    return r;
  }
  static Mat translation(double x, double y, double z)
  {
    Mat m = identity();
    m[12] = x;
    m[13] = y;
    m[14] = z;
    return m;
  }
  static Mat rotation(double degrees, double x, double y, double z)
  {
    const double l = std::sqrt(x * x + y * y + z * z);
    x /= l;
    y /= l;
    z /= l;
    const double a = degrees * 3.14159265358979323846 / 180, c = std::cos(a), s = std::sin(a);
    return {x * x * (1 - c) + c,     y * x * (1 - c) + z * s, x * z * (1 - c) - y * s, 0,
            x * y * (1 - c) - z * s, y * y * (1 - c) + c,     y * z * (1 - c) + x * s, 0,
            x * z * (1 - c) + y * s, y * z * (1 - c) - x * s, z * z * (1 - c) + c,     0,
            0,                       0,                       0,                       1};
  }
  static Mat perspective(double fovy, double aspect, double n, double f)
  {
    const double t = 1 / std::tan(fovy * 3.14159265358979323846 / 360);
    return {t / aspect, 0, 0, 0, 0, t, 0, 0, 0, 0, (f + n) / (n - f), -1, 0, 0, 2 * f * n / (n - f), 0};
  }
  static Mat ortho(double l, double r, double b, double t, double n, double f)
  {
    return {2 / (r - l), 0, 0, 0, 0, 2 / (t - b), 0, 0, 0, 0, -2 / (f - n), 0,
            -(r + l) / (r - l), -(t + b) / (t - b), -(f + n) / (f - n), 1};
  }
  static Mat lookAt(const std::vector<double>& a)
  {
    std::array<double, 3> f{a[3] - a[0], a[4] - a[1], a[5] - a[2]};
    auto norm = [](std::array<double, 3>& v) {
      const double l = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
      for (double& c : v)
        c /= l;
    };
    auto cross = [](const std::array<double, 3>& p, const std::array<double, 3>& q) {
      return std::array<double, 3>{p[1] * q[2] - p[2] * q[1], p[2] * q[0] - p[0] * q[2], p[0] * q[1] - p[1] * q[0]};
    };
    norm(f);
    std::array<double, 3> s = cross(f, {a[6], a[7], a[8]});
    norm(s);
    const std::array<double, 3> u = cross(s, f);
    const Mat m{s[0], u[0], -f[0], 0, s[1], u[1], -f[1], 0, s[2], u[2], -f[2], 0, 0, 0, 0, 1};
    return times(m, translation(-a[0], -a[1], -a[2]));
  }
};

} // namespace tarvek::test
