// The tube radius table, its partition sort, the multi-wall finder and the list and copy texts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvek {

struct Model;
struct DisplaySettings;
class Prompts;
class MainWindowServices;

// One row: generation number (negative while the finder marks the row as a
// wall), n, m, radius (Å), diameter (Å).
using RadiusRow = std::array<float, 5>;

// The rows of the last Calc or Find; at most kMaxRadiusRows.
struct RadiusTable {
  std::vector<RadiusRow> radiusTable;
  std::int32_t rowCount = 0;
};

constexpr std::int32_t kMaxRadiusRows = 9998;

// What Calc and Find read from the six fields: bond length a (Å), the range
// of the first index, the inner diameter d (Å), the wall spacing s (Å) and
// the number of walls.
struct RadiusInputs {
  float a = 0.0f;
  std::int16_t lowN = 0;
  std::int16_t highN = 0;
  float d = 0.0f;
  float s = 0.0f;
  std::int16_t walls = 0;
};

// Reads the fields 0 .. 5 by their leading numbers after "," is turned into
// "." (no number gives 0); the three whole numbers are rounded half to even.
// Throws RuntimeError, naming the text, for a whole number beyond the 16-bit
// range or a real beyond the float range.
RadiusInputs readRadiusFields(const std::array<std::string, 6>& fields);

// Sorts rows low .. high (inclusive) in place by keyColumn, moving columns
// 0 .. lastColumn with their row; order 1 ascending, any other descending.
// A recursive partition sort around the middle row (the half rounded to
// even); its swaps fix the order of equal keys, so equal radii always come
// out in the same order. high < 1 returns at once.
void Sort_S(std::vector<RadiusRow>& table, std::int32_t low, std::int32_t high,
            std::int16_t lastColumn, std::int16_t keyColumn, std::int16_t order);

// Every (n, m) with lowN <= n <= highN and 0 <= m <= n in generation order,
// the degenerate (0, 0) left out, stopping before row 9,999. Throws
// RuntimeError when an index pair leaves the range of the radius formula.
RadiusTable buildRadiusTable(float a, std::int32_t lowN, std::int32_t highN);

// One row of the list: the four column texts and whether it is drawn blue
// (m = 0 in the generation listing).
struct RadiusListRow {
  std::string position;
  std::string pair;
  std::string radius;
  std::string diameter;
  bool blue = false;
};

// The table's rows in table order, numbered 1, 2, ... with "( n , m )" and
// the lengths as "0.000"; rows with m = 0 blue.
std::vector<RadiusListRow> listRows(const RadiusTable& table);

// The list as text: per row "#", tab, pair, tab, radius, tab, diameter, CR LF.
std::string clipboardText(const std::vector<RadiusListRow>& rows);

// The calculator's state while its window lives: the table, the list it
// shows, the last wall sequence and the header's sort flag.
class RadiusCalculator {
public:
  // mode 0 builds the table and lists it; 1 builds it, sorts it by radius
  // and runs the finder; any other builds it and leaves the list empty. The
  // table is sorted by radius for mode 1 or sortByRadius. Nothing changes
  // when the table cannot be built.
  void calcAll(std::int16_t mode, bool sortByRadius, const RadiusInputs& inputs);

  // A click on a list header: with a non-empty list flips the sort flag and
  // lists the whole table by radius (flag set) or generation (cleared).
  // False when the list was empty and nothing happened.
  bool headerClick();

  // The View button: the trimmed wall text becomes mwntSequence; when not
  // empty, tubeVariant becomes 8 and manualMWNT checks and builds the walls.
  void view(const std::string& wallText, Model& model, const DisplaySettings& display,
            Prompts& prompts, MainWindowServices& window);

  const RadiusTable& table() const { return m_table; }
  const std::vector<RadiusListRow>& list() const { return m_list; }
  const std::string& mwntSequence() const { return m_sequence; }
  bool sortState() const { return m_sortState; }

private:
  void findWalls(const RadiusInputs& inputs);

  RadiusTable m_table;
  std::vector<RadiusListRow> m_list;
  std::string m_sequence;
  bool m_sortState = false;
};

} // namespace tarvek
