#pragma once

#include "model/cmatrix.h"
#include "runtime/atomic_file.h"
#include "scene/scene_object.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tarvek {

// One POV-Ray scene being written: the file and the view turn of the points.
// Lines of atoms and
// bonds are made in blocks of Lines, which long runs make on worker threads.
class CXXX::PovOutput {
public:
  using Point = std::array<float, 3>;

  // A block of scene lines, each ended by CR LF, with the textures it made
  // last.
  class Lines {
  public:
    // Lines go to block; with a sink, block is written there whenever it
    // has grown large.
    Lines(const PovOutput& frame, std::string& block, AtomicFile* sink = nullptr)
        : m_frame(frame), m_block(&block), m_sink(sink)
    {
    }

    void line(std::string_view text);
    // A sphere line; gap stands between the centre and the radius.
    void sphere(const Point& centre, std::string_view gap, float radius, std::uint32_t colour);
    // "cylinder { <…>,  <…>  r" and tail as one line; none when both ends
    // read the same, which POV-Ray refuses.
    void cylinder(const Point& end1, const Point& end2, float radius, std::string_view tail);
    // Texture of an atom or ball and of a body-path bond.
    const std::string& atomTexture(std::uint32_t colour);
    const std::string& bondTexture(std::uint32_t colour);

  private:
    // Appends "X, Y, Z" of the point turned about the scene centre; the
    // file's z is the view's depth.
    void appendPoint(std::string& out, const Point& p);
    // A texture text, made again only when the colour changes.
    struct CachedTexture {
      std::uint32_t colour = 0;
      bool made = false;
      std::string text;
    };

    const PovOutput& m_frame;
    std::string* m_block;
    AtomicFile* m_sink;
    std::string m_line;
    std::string m_end2;
    CachedTexture m_atomTexture;
    CachedTexture m_bondTexture;
  };

  PovOutput(const std::string& path, const CMatrix& view, const std::array<float, 3>& centre,
            float glassFilter);

  void line(std::string_view text) { m_serial.line(text); }
  // Lines written in place, one after the other.
  Lines& serial() { return m_serial; }
  // The lines of items [0, count), made in blocks by make(first, last,
  // lines) and written in item order; an exception from make reaches the
  // caller as a plain loop's would, and the file is not committed.
  void inBlocks(std::size_t count, std::size_t itemsPerBlock,
                const std::function<void(std::size_t first, std::size_t last, Lines& lines)>& make);
  const std::string& path() const { return m_file.path(); }

  // Texture of the bond union.
  std::string unionTexture(std::uint32_t colour) const;
  // The camera looking along +z at the view's framing, and the lights.
  void cameraAndLights(const PovCamera& camera, bool orthographic);
  // Makes the file appear; SceneError naming the path on failure.
  void commit();

private:
  void flush();

  AtomicFile m_file;
  CMatrix::Matrix m_matrix{};
  std::array<float, 3> m_centre{};
  bool m_glass = false;
  std::string m_filter;
  std::string m_block;
  Lines m_serial{*this, m_block, &m_file};
};

} // namespace tarvek
