// Disc markers of the manual assembly: the discs, their generators and the drag rules.
#pragma once

#include "model/display_settings.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace tarvek {

class RandomSource;
struct Model;

// The fill colour of every generated disc.
inline constexpr std::uint32_t kDiscBlue = packColor(0, 0, 255);
// The largest disc set: each drag step passes over all pairs of discs.
inline constexpr std::int32_t kMaxDiscs = 32767;

// One disc marker, in pixels of the assembly picture (y downwards).
class clBALL {
public:
  float x = 0.0f;
  float y = 0.0f;
  float r = 0.0f;
  std::uint32_t colour = 0;
  // Picked for dragging; cleared at mouse-up.
  bool selected = false;
  // Set by collide and by findOverlap on the disc found.
  bool collided = false;
  // Cleared with the others at a drag step; nothing sets it.
  bool reserved = false;
  // Set by move and on the dragged disc: decides who is pushed.
  bool moved = false;

  void setX(float v) { x = v; }
  void setY(float v) { y = v; }
  void setR(float v) { r = v; }
  void setColor(std::uint32_t c) { colour = c; }
  // Radius r and a random place that keeps the disc inside an area of
  // areaWidth × areaHeight pixels; every flag cleared.
  void init(float radius, float areaWidth, float areaHeight, RandomSource& random);
  void move(float dx, float dy);
  // Moves without touching the flags.
  void moveTo(float newX, float newY);
  void collide() { collided = true; }

private:
  float m_areaWidth = 0.0f;
  float m_areaHeight = 0.0f;
};

// The disc set of the manual assembly and the drag in progress. Discs are
// 0-based; dragIndex is -1 while no disc is dragged. Redrawing is the
// window's: the operations say whether anything changed.
class DiscAssembly {
public:
  explicit DiscAssembly(RandomSource& random) : m_random(random) {}

  // The assembly picture's inner size in pixels, where init places discs.
  void setArea(float width, float height);

  std::int32_t discCount() const { return static_cast<std::int32_t>(discs.size()); }

  // The generators replace the whole set (and end any drag). Each throws
  // RuntimeError and leaves the set as it was for a set above kMaxDiscs,
  // negative or non-finite sizes, or a radius not above 0.
  //
  // columns × rows discs 2.5 r apart, the first at (2.5 r, 2.5 r); 0 columns
  // or rows make an empty set.
  void makeSquareLattice(std::int32_t columns, std::int32_t rows, float r);
  // A graphene sheet of width × height Å whose bonds of bondLength Å are
  // drawn 2.2 r long, in single precision. Also refused for a bondLength not
  // above 0.
  void makeGrapheneSheet(float width, float height, float r, float bondLength);
  // The model's flat sheet scaled so a bond is 2.2 r long, flipped so its y
  // axis points up, moved in by r. Also refused for a sheet set while the
  // bond length is not above 0.
  void makeSheetFromModel(const Model& model, float r);

  // Picks the first disc whose centre lies within its radius of (x, y) for
  // dragging; with none there, addDisc. True when the set changed.
  bool pickOrAddDisc(float x, float y);
  // Appends a disc at (x, y) with disc 0's radius and colour, unless the set
  // is empty or some disc's centre lies within twice its radius; the new
  // disc becomes the dragged one and every flag of every disc is cleared.
  // True when added. Throws RuntimeError when the set is full.
  bool addDisc(float x, float y);
  // Removes every disc whose centre lies within its radius of (x, y). The
  // drag follows its disc to its new index, or ends when that disc went.
  // True when any went.
  bool removeDiscsAt(float x, float y);
  void endDrag();
  // One drag step: the dragged disc to (x, y) plus the drag offsets, then
  // resolveOverlaps when it overlaps another disc. Nothing without a drag.
  void dragDisc(float x, float y);
  // The first disc other than i that i overlaps (closer than twice the
  // other's radius), marked collided; -1 for none.
  std::int32_t findOverlap(std::int32_t i);
  // One pass over all pairs i < j that overlap (closer than 2 r(i)): a moved
  // disc pushes a resting one along the line of centres until they touch.
  // A pair that rule leaves (both moved, or neither) is separated too: j is
  // pushed when i has moved, else i, but never the dragged disc.
  void resolveOverlaps();

  std::vector<clBALL> discs;
  std::int32_t dragIndex = -1;
  float dragOffsetX = 0.0f;
  float dragOffsetY = 0.0f;

private:
  // Takes the placed centres as the new set, each disc init'ed first.
  void replaceDiscs(const std::vector<std::pair<float, float>>& centres, float r);

  RandomSource& m_random;
  float m_areaWidth = 0.0f;
  float m_areaHeight = 0.0f;
};

// What the new-array dialog answered: choice 0 nothing, 1 a graphene sheet
// of firstValue × secondValue Å, 2 a square lattice of firstValue rows and
// secondValue columns, 3 the main window's sheet.
struct NewDiscSetChoice {
  std::int32_t choice = 0;
  double firstValue = 0.0;
  double secondValue = 0.0;
};

// Makes the set the dialog chose (radius 15 for the sheets, 20 for the
// lattice, whose counts are rounded half to even). True when the set was
// replaced; throws RuntimeError, leaving it, when the values are refused.
bool newDiscSet(DiscAssembly& assembly, const Model& model, const NewDiscSetChoice& choice);

} // namespace tarvek
