#pragma once

#include <optional>
#include <span>

namespace tarvek {

struct Model;
class Prompts;
class AbortToken;

// The two bond searches. Both replace the model's whole bond list and leave
// it alone while `partsFlag` is set. A pair (i, j) is bonded when lower <= d
// <= upper (both inclusive, Å), d being the distance rounded to float. The
// result is the same, pair for pair and in the same order, as testing every
// pair (i ascending, then j > i), but each search runs on a grid in time
// linear in the atom count, on several threads for a large structure.
// Escape is polled once per row i, after its bonds are in the list, and
// while pairs are collected; a press ends the search there, keeping the
// bonds of the rows so far (`lastBondCount` is set then too). A search that
// would make more than 16 bonds an atom, or look at more than about a
// thousand pairs an atom (atoms heaped at one place), stops with an empty
// list and tells kTooDenseMessage through prompts: no carbon structure is
// that dense.

// How a search ended.
enum class BondSearchEnd { Complete, Stopped, TooDense };

// Told when a search ends as TooDense.
extern const char kTooDenseMessage[];

// The general search. The window is 0.95–1.05 × bondLength; 0.7–1.3 for a
// capped tube (tubeVariant >= 55); 0.7–1.4 when wideBondWindow is set; a
// non-zero lowerArg or upperArg (negative ones too) replaces its bound; user
// limits win over all of these. Kinds 2 and 4 search the sheet set with every
// atom; other kinds the atom set, where only atoms of type >= 1 bond and,
// for kind 8, atoms 0 .. 11 never do. Above 3000 searched atoms the user is
// asked first: No leaves an empty list and `lastBondCount` unchanged.
BondSearchEnd createBonds(Model& model, float lowerArg, float upperArg, Prompts& prompts,
                          AbortToken& abort);

// The search for C60 and imported structures: the whole atom set, any type,
// window 0.5–1.15 × bondLength. When that finds nothing it searches once more
// around the closest pair (0.95–1.1 × its distance); with no pair closer than
// 999 Å the list stays empty. Atoms at one place make that distance 0.
BondSearchEnd findBonds(Model& model, Prompts& prompts, AbortToken& abort);

// The shortest distance above 0 between two of the points (x[i], y[i], z[i])
// (Å, rounded to float as the searches measure it), found on the searches'
// cell grid; nothing when no two points lie apart by more than 0 and less
// than 999 Å. Points at the same place and non-finite points pair with none;
// the places are made distinct first, so a heap of points costs no more than
// one.
std::optional<float> closestNonZeroDistance(std::span<const float> x, std::span<const float> y,
                                            std::span<const float> z);

// Empties the bond list.
void clearBonds(Model& model);

// A build of several parts (Model::bondBuild): for its lifetime the first
// answer to the >3000 question holds for every bond search and the
// too-dense message is told at most once, so the structure asks and tells
// once; afterwards each search asks and tells again. A build inside another
// (a command that opens a file while it builds) shares the outer one's.
class OneBondQuestion {
public:
  explicit OneBondQuestion(Model& model);
  ~OneBondQuestion();
  OneBondQuestion(const OneBondQuestion&) = delete;
  OneBondQuestion& operator=(const OneBondQuestion&) = delete;

private:
  Model& m_model;
  bool m_outermost;
};

} // namespace tarvek
