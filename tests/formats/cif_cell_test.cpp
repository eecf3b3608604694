// The CIF cell along z of tubes built from whole unit cells and of everything else, and the atoms' own site labels.
#include "export_rig.h"

#include "formats/structure_writers.h"
#include "model/tube_builder.h"
#include "runtime/number_parse.h"
#include "runtime/split.h"
#include "support/fake_abort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace tarvek::test {
namespace {

// The rows of a written CIF file: label and fractions, and the cell edges.
struct CifRows {
  std::array<double, 3> cell{};
  std::vector<std::string> labels;
  std::vector<std::array<double, 3>> fractions;
};

CifRows readCif(const std::string& path)
{
  CifRows r;
  const auto lines = fileLines(path);
  for (std::size_t k = 0; k < 3; ++k) {
    const auto edge = std::find_if(lines.begin(), lines.end(), [k](const std::string& l) {
      return l.rfind(std::string("_cell_length_") + char('a' + k), 0) == 0;
    });
    r.cell[k] = edge == lines.end() ? 0.0 : Val(edge->substr(34));
  }
  const auto header = std::find(lines.begin(), lines.end(), "_atom_site_fract_z");
  for (auto row = header + 1; header != lines.end() && row != lines.end() && !row->empty(); ++row) {
    const auto f = splitSpaces(*row);
    r.labels.push_back(f.at(0));
    r.fractions.push_back({Val(f.at(1)), Val(f.at(2)), Val(f.at(3))});
  }
  return r;
}

// Neighbours within 1.6 Å of each atom, the cell repeated along z only.
std::vector<int> neighboursAlongZ(const CifRows& r)
{
  std::vector<int> counts(r.fractions.size(), 0);
  for (std::size_t i = 0; i < r.fractions.size(); ++i) {
    for (std::size_t j = i + 1; j < r.fractions.size(); ++j) {
      double d[3];
      for (std::size_t k = 0; k < 3; ++k)
        d[k] = (r.fractions[i][k] - r.fractions[j][k]) * r.cell[k];
      d[2] -= std::round(d[2] / r.cell[2]) * r.cell[2];
      if (std::hypot(d[0], d[1], d[2]) < 1.6) {
        ++counts[i];
        ++counts[j];
      }
    }
  }
  return counts;
}

// A single-wall tube of whole translational cells repeats along z with the
// cells' length, so each atom bonds across the cell's ends as inside it; any
// other tube keeps the margin of x and y there.
TEST(CifWriterTest, aTubeOfWholeCellsRepeatsAlongZ)
{
  const double root3 = std::sqrt(3.0);
  const struct {
    const char* name;
    std::int16_t n, m;
    float cells;
    bool unitCells;
    float stretch, twist;
    double period;  // 0: not periodic
  } cases[] = {
      {"(10,10) x 12", 10, 10, 12.0f, true, 1.0f, 0.0f, 12.0 * root3 * 1.42},
      {"(10,0) x 5", 10, 0, 5.0f, true, 1.0f, 0.0f, 5.0 * 3.0 * 1.42},
      {"(6,3) x 2", 6, 3, 2.0f, true, 1.0f, 0.0f, 2.0 * std::sqrt(63.0) * 1.42},
      {"(10,10) x 4 stretched", 10, 10, 4.0f, true, 1.1f, 0.0f, 1.1 * 4.0 * root3 * 1.42},
      {"(10,10) x 4 twisted", 10, 10, 4.0f, true, 1.0f, 2.0f, 0.0},
      {"(10,10) rolled, 25 A", 10, 10, 25.0f, false, 1.0f, 0.0f, 0.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExportRig rig;
    FakeAbort abort;
    rig.model.structureKind = 1;
    rig.model.unitCellMode = c.unitCells;
    rig.model.distortionActive = c.stretch != 1.0f || c.twist != 0.0f;
    rig.model.stretchFactor = c.stretch;
    rig.model.twistRate = c.twist;
    buildTubes(rig.model, c.n, c.m, c.cells, 1.42f, rig.prompts, abort);
    const std::string path = rig.path("t.cif");
    exportCIF(rig.ctx, path);
    const CifRows r = readCif(path);
    ASSERT_EQ(r.fractions.size(), static_cast<std::size_t>(rig.model.atomCount));
    float zLow = rig.model.atomZ[0];
    float zHigh = zLow;
    for (std::int32_t i = 0; i < rig.model.atomCount; ++i) {
      zLow = std::min(zLow, rig.model.atomZ[static_cast<std::size_t>(i)]);
      zHigh = std::max(zHigh, rig.model.atomZ[static_cast<std::size_t>(i)]);
    }
    if (c.period == 0.0) {
      EXPECT_NEAR(r.cell[2], std::max(zHigh, 0.0f) - std::min(zLow, 0.0f) + 10.0, 1e-4);
      continue;
    }
    EXPECT_NEAR(r.cell[2], c.period, 1e-4);
    for (const auto& f : r.fractions)
      EXPECT_TRUE(f[2] > 0.0 && f[2] < 1.0) << f[2];
    const std::vector<int> counts = neighboursAlongZ(r);
    EXPECT_EQ(std::count(counts.begin(), counts.end(), 3), std::ptrdiff_t(counts.size()));
  }
}

// Each row's label is the element and the row's number, across atom types
// and the blocks the rows are made in.
TEST(CifWriterTest, everyRowHasItsOwnLabel)
{
  ExportRig rig;
  rig.ctx.atomTypeLabel1 = "B";
  rig.ctx.atomTypeLabel2 = "N";
  constexpr int atoms = 100000;
  for (int i = 0; i < atoms; ++i)
    rig.addAtom(1.42f * float(i % 300), 1.42f * float(i / 300), 0.0f, std::int16_t(1 + i % 2));
  const std::string path = rig.path("bn.cif");
  exportCIF(rig.ctx, path);
  const CifRows r = readCif(path);
  ASSERT_EQ(r.labels.size(), std::size_t(atoms));
  int wrong = 0;
  for (int i = 0; i < atoms && wrong < 5; ++i) {
    const std::string expected = (i % 2 == 0 ? "B" : "N") + std::to_string(i + 1);
    if (r.labels[std::size_t(i)] != expected) {
      ADD_FAILURE() << "row " << i << ": " << r.labels[std::size_t(i)] << ", expected " << expected;
      ++wrong;
    }
  }
  EXPECT_EQ(fileLines(path).at(26 + 99999).substr(0, 8), "N100000 ");
}

} // namespace
} // namespace tarvek::test
