#pragma once

#include "model/model.h"
#include "platform/prompts.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvek {

// Everything a structure writer reads. The shell fills it before each export;
// tests build it directly. Types 1 and 2 take their labels from
// atomTypeLabel1 and atomTypeLabel2; model.partsFlag marks element numbers.
struct ExportContext {
  const Model& model;
  Prompts& prompts;
  std::string atomTypeLabel1{};
  std::string atomTypeLabel2{};
  // Source of an imported part, copied as it is by the PDB export.
  std::string partFile{};
  // The "LINUX / UNIX line breaks" option: LF instead of CR LF.
  bool lfLineEnds = false;
  // The locale writes a decimal comma: every "," of the text becomes ".".
  bool decimalComma = false;
  // Margin on each side of the export box along x, y, z.
  std::array<float, 3> cifPadding{5.0f, 5.0f, 0.0f};
  // The scene's number of atom lists; from 2 on, the PDB, MLM, CIF and VRML
  // exports and the box read the scene files, which hold them all.
  std::int32_t sceneListCount = 0;
  std::string sceneAtomFile{};
  std::string sceneBondFile{};
  // "Export CIF with ICSD style atom block": the extra CIF columns.
  bool cifIcsdStyle = false;
  // Date and time for the PDB remark, the MLM header and the CIF audit line.
  std::string createdText{};
};

// Who asks for the atoms: the set and its first atom depend on it.
enum class ExportUse { Xmol, Mol, Pdb, BondTable, Box, Statistics, Mlm, Cif, Vrml };

struct ExportAtom {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  std::int16_t type = 0;
  // Index in the set the atom was taken from.
  std::int32_t index = 0;
};

// The atoms of an export, in file order: read from a scene file and held, or
// a stretch of the model's arrays read in place, so a large set is not
// copied before it is written. Elements come by value.
class ExportAtomList {
public:
  class Iterator {
  public:
    Iterator(const ExportAtomList& list, std::size_t i) : m_list(&list), m_i(i) {}
    ExportAtom operator*() const { return (*m_list)[m_i]; }
    Iterator& operator++()
    {
      ++m_i;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return m_i != other.m_i; }

  private:
    const ExportAtomList* m_list;
    std::size_t m_i;
  };

  // The model's atoms first to end - 1 of these arrays, which must outlive
  // the list.
  void view(const BigVector<float>& x, const BigVector<float>& y, const BigVector<float>& z,
            const BigVector<std::int16_t>& type, std::int32_t first, std::int32_t end)
  {
    m_x = x.data();
    m_y = y.data();
    m_z = z.data();
    m_type = type.data();
    m_first = first;
    m_viewed = static_cast<std::size_t>(std::max(end - first, 0));
  }
  void push_back(const ExportAtom& atom) { m_held.push_back(atom); }

  std::size_t size() const { return m_x != nullptr ? m_viewed : m_held.size(); }
  bool empty() const { return size() == 0; }
  ExportAtom operator[](std::size_t i) const
  {
    if (m_x == nullptr)
      return m_held[i];
    const auto index = static_cast<std::int32_t>(i) + m_first;
    const std::size_t k = static_cast<std::size_t>(index);
    return {m_x[k], m_y[k], m_z[k], m_type[k], index};
  }
  ExportAtom front() const { return (*this)[0]; }
  Iterator begin() const { return {*this, 0}; }
  Iterator end() const { return {*this, size()}; }

private:
  BigVector<ExportAtom> m_held;
  const float* m_x = nullptr;
  const float* m_y = nullptr;
  const float* m_z = nullptr;
  const std::int16_t* m_type = nullptr;
  std::int32_t m_first = 0;
  std::size_t m_viewed = 0;
};

// The atoms a writer exports, in file order.
struct ExportAtoms {
  ExportAtomList atoms;
  // Positions in atoms where a display list begins; {0} for the model.
  std::vector<std::size_t> listStarts;
  // Taken from the scene atom file rather than the model.
  bool fromSceneFile = false;
  // Model only: the first exported index of the set (12 for a virus cage in
  // the MOL, PDB, MLM, CIF and VRML files; the count when the kind gives no
  // atoms) and the set's count.
  std::int32_t first = 0;
  std::int32_t setCount = 0;
  // Scene file only: each atom's position as its file fields ("x y z"), for
  // matching the end points of the scene's bond lines.
  std::vector<std::string> positionTexts;
};

// A bond as two positions in ExportAtoms::atoms.
struct ExportBond {
  std::size_t a;
  std::size_t b;
};

// The message for a bond (0-based) naming an atom outside a set of count.
std::string bondOutsideText(std::int32_t bond, std::int32_t atom, std::int32_t count);

// The model's bonds among the exported atoms of a model set, in list order,
// as positions in set.atoms handed to take(a, b); a bond touching an atom
// before set.first (a virus cage's vertices) stays out. Throws RuntimeError
// for a bond whose end lies outside the set.
template <typename Take>
void forEachWrittenBond(const ExportContext& ctx, const ExportAtoms& set, Take take)
{
  const Model& m = ctx.model;
  const std::int32_t bonds = std::max(m.bondCount, 0);
  for (std::int32_t i = 0; i < bonds; ++i) {
    const std::int32_t a = m.bondAtom1[static_cast<std::size_t>(i)];
    const std::int32_t b = m.bondAtom2[static_cast<std::size_t>(i)];
    bool skipped = false;
    for (const std::int32_t atom : {a, b}) {
      if (atom < 0 || atom >= set.setCount)
        throw RuntimeError(bondOutsideText(i, atom, set.setCount));
      skipped = skipped || atom < set.first;
    }
    if (!skipped)
      take(static_cast<std::uint32_t>(a - set.first), static_cast<std::uint32_t>(b - set.first));
  }
}

// The same bonds in one list.
BigVector<ExportBond> writtenBonds(const ExportContext& ctx, const ExportAtoms& set);

// The scene's bond lines, their end points matched to the atoms of a scene
// file set by the text of their positions; fill lines and bonds with an
// unmatched end drop. A scene without bonds has no bond file: no bonds.
BigVector<ExportBond> sceneBonds(const ExportContext& ctx, const ExportAtoms& set);

// The bonds of set as shown: the scene's bond lines for a scene file set,
// else the model's.
BigVector<ExportBond> shownBonds(const ExportContext& ctx, const ExportAtoms& set);

// Sheet set for the flat sheets (kinds 2 and 4), atom set otherwise; the
// scene atom file for every file export and the box when the scene holds two
// or more lists (the statistics and the VRML spheres keep the model). The CIF export takes no atoms for kind 0 and kinds
// from 9 on, the VRML spheres none outside kinds 1 to 8. Throws RuntimeError
// for a missing or malformed scene file.
ExportAtoms exportAtoms(const ExportContext& ctx, ExportUse use);

// The export box: lower corner x, y, z, then edge lengths a, b, c. The box
// holds the origin and gets cifPadding on each side; an edge of 0 (a flat
// sheet without margin) becomes 1.
std::array<float, 6> getStructureBox(const ExportContext& ctx);
// The same box around atoms already read.
std::array<float, 6> getStructureBox(const ExportContext& ctx, const ExportAtoms& atoms);
// The box around the atoms and the origin, unpadded: lower corner x, y, z,
// then upper corner x, y, z.
std::array<float, 6> structureExtent(const ExportAtoms& atoms);

} // namespace tarvek
