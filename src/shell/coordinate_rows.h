// The rows of the coordinate list and the two coordinate tables made of them.
#pragma once

#include "model/model.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvek {

// The coordinate list's rows, held compactly (18 bytes a row) and turned
// into texts only when shown or written. Each row has its number, x, y, z in
// Å and a label code into the label table; a code outside the table labels
// the row "". Every coordinate is finite.
class XyzRows {
public:
  // labels: entry 0 "", then the label of each code.
  explicit XyzRows(std::vector<std::string> labels = {""});

  std::size_t size() const { return m_number.size(); }
  bool empty() const { return m_number.empty(); }
  void reserve(std::size_t rows);
  // The coordinates must be finite.
  void add(std::int32_t number, float x, float y, float z, std::int16_t label);

  std::int32_t number(std::size_t row) const { return m_number[row]; }
  float x(std::size_t row) const { return m_x[row]; }
  float y(std::size_t row) const { return m_y[row]; }
  float z(std::size_t row) const { return m_z[row]; }
  const std::string& label(std::size_t row) const;
  const std::vector<std::string>& labels() const { return m_labels; }
  // Bytes the rows' own storage holds (the label table left out).
  std::size_t heldBytes() const;

  // Column texts: 0 number, 1 x, 2 y, 3 z ("0.0000", "." in every locale),
  // 4 label.
  std::string text(std::size_t row, int column) const;
  // For each column the texts that may be its widest: the smallest and the
  // largest value's texts (a "0.0000" text grows with |v|), every label.
  std::array<std::vector<std::string>, 5> widestTexts() const;

private:
  std::vector<std::int32_t> m_number;
  std::vector<float> m_x, m_y, m_z;
  std::vector<std::int16_t> m_label;
  std::vector<std::string> m_labels;
  std::int32_t m_maxNumber = 0;
  std::array<float, 3> m_min{};
  std::array<float, 3> m_max{};
};

// The label table: "", the material's first and second symbol, "C"; while
// partsFlag is set the types are element numbers and code t (1 .. 121) is
// the element symbol of atomic number t.
std::vector<std::string> xyzLabelTable(const Model& model, const std::string& atomTypeLabel1,
                                       const std::string& atomTypeLabel2);

// Where the list's rows come from.
struct XyzRowSource {
  const Model& model;
  std::string atomTypeLabel1;
  std::string atomTypeLabel2;
  // The scene's number of atom lists and whether an imported structure is
  // shown: from 2 lists on a built structure lists the scene atom file.
  std::int32_t sceneListCount = 1;
  bool importShown = false;
  std::string sceneAtomFile;
};

// The rows of the shown structure. From the scene atom file: every line
// numbered from 1, its field 3 the label code. From the model by kind: 1, 3,
// 5, 6, 7 the atom set without atoms of type 0 or less, numbered by index +
// 1; 2, 4 the whole sheet set; 8 the atom set from atom 12, numbered 1, 2,
// ... without labels; other kinds no rows. Throws RuntimeError for a scene
// file that cannot be read or a line with fewer than four fields, and for a
// coordinate that is not finite.
XyzRows buildXyzRows(const XyzRowSource& source);

// The atom set's atoms of type 1 or more, numbered by index + 1.
XyzRows atomSetRows(const Model& model, std::vector<std::string> labels);

// The clipboard text: the row count, then label, x, y, z separated by tabs,
// CR LF after every line.
std::string xyzTableText(const XyzRows& rows);

// The "Save XYZ Table" file: the row count as " N ", then label, x, y, z in
// 14-column print zones (x at column 15, y at 29, z at 43), CR LF or, with
// lfLineEnds (the "LINUX / UNIX line breaks" option), LF. Saved atomically;
// throws RuntimeError naming the path when it fails.
void writeXyzTable(const std::string& path, const XyzRows& rows, bool lfLineEnds);

// The coordinate file of an oversized structure: the row count as " N ",
// then a blank and the label, x, y, z at columns 15, 29 and 43, line ends as
// writeXyzTable's. Saved atomically; throws RuntimeError naming the path
// when it fails.
void writeCoordinateTable(const std::string& path, const XyzRows& rows, bool lfLineEnds);

} // namespace tarvek
