// The tube radius table, its partition sort, the multi-wall finder and the list and copy texts.
#include "tools/radius_calculator.h"

#include "model/mwnt_definition.h"
#include "model/model.h"
#include "model/tube_builder.h"
#include "runtime/int_convert.h"
#include "runtime/number_format.h"
#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tarvek {

namespace {

std::string withPoints(std::string text)
{
  std::replace(text.begin(), text.end(), ',', '.');
  return text;
}

float realField(const std::string& text)
{
  const auto value = static_cast<float>(Val(withPoints(text)));
  if (!std::isfinite(value))
    throw RuntimeError("The number " + text + " is too large.");
  return value;
}

std::int16_t wholeField(const std::string& text)
{
  return CInt(Val(withPoints(text)));
}

std::int32_t whole(float value)
{
  return static_cast<std::int32_t>(value);
}

// Rows the generation writes before its stop, so the table is sized once.
std::int32_t rowsFor(std::int32_t lowN, std::int32_t highN)
{
  std::int64_t rows = 0;
  for (std::int64_t n = std::max(lowN, 0); n <= highN && rows < kMaxRadiusRows; ++n)
    rows += n == 0 ? 0 : n + 1;
  return static_cast<std::int32_t>(std::min<std::int64_t>(rows, kMaxRadiusRows));
}

RadiusListRow listRow(const RadiusRow& row, std::size_t position, bool coloured)
{
  const std::int32_t n = whole(row[1]);
  const std::int32_t m = whole(row[2]);
  return {std::to_string(position),
          "( " + std::to_string(n) + " , " + std::to_string(m) + " )",
          Format(row[3], "0.000"),
          Format(row[4], "0.000"),
          coloured && m == 0};
}

} // namespace

RadiusInputs readRadiusFields(const std::array<std::string, 6>& fields)
{
  RadiusInputs inputs;
  inputs.a = realField(fields[0]);
  inputs.lowN = wholeField(fields[1]);
  inputs.highN = wholeField(fields[2]);
  inputs.d = realField(fields[3]);
  inputs.s = realField(fields[4]);
  inputs.walls = wholeField(fields[5]);
  return inputs;
}

void Sort_S(std::vector<RadiusRow>& table, std::int32_t low, std::int32_t high,
            std::int16_t lastColumn, std::int16_t keyColumn, std::int16_t order)
{
  if (high < 1)
    return;
  const auto key = static_cast<std::size_t>(keyColumn);
  const auto at = [&table, key](std::int32_t row) { return table[static_cast<std::size_t>(row)][key]; };
  const float pivot = at(CLng((static_cast<double>(low) + high) / 2.0));
  std::int32_t i = low;
  std::int32_t j = high;
  do {
    if (order == 1) {
      while (at(i) < pivot)
        ++i;
      while (at(j) > pivot)
        --j;
    } else {
      while (at(i) > pivot)
        ++i;
      while (at(j) < pivot)
        --j;
    }
    if (i > j)
      break;
    RadiusRow& a = table[static_cast<std::size_t>(i)];
    RadiusRow& b = table[static_cast<std::size_t>(j)];
    for (std::size_t c = 0; c <= static_cast<std::size_t>(lastColumn); ++c)
      std::swap(a[c], b[c]);
    ++i;
    --j;
  } while (i <= j);
  if (low < j)
    Sort_S(table, low, j, lastColumn, keyColumn, order);
  if (i < high)
    Sort_S(table, i, high, lastColumn, keyColumn, order);
}

RadiusTable buildRadiusTable(float a, std::int32_t lowN, std::int32_t highN)
{
  RadiusTable table;
  table.radiusTable.assign(static_cast<std::size_t>(rowsFor(lowN, highN)), RadiusRow{});
  for (std::int32_t n = std::max(lowN, 0); n <= highN; ++n) {
    for (std::int32_t m = 0; m <= n; ++m) {
      // A tube of no circumference is no tube.
      if (n == 0)
        continue;
      if (table.rowCount + 1 > kMaxRadiusRows)
        return table;
      const float radius = tubeRadius(n, m, a);
      RadiusRow& row = table.radiusTable[static_cast<std::size_t>(table.rowCount)];
      ++table.rowCount;
      row = {static_cast<float>(table.rowCount), static_cast<float>(n), static_cast<float>(m),
             radius, radius + radius};
    }
  }
  return table;
}

std::vector<RadiusListRow> listRows(const RadiusTable& table)
{
  std::vector<RadiusListRow> rows;
  rows.reserve(static_cast<std::size_t>(table.rowCount));
  for (std::int32_t i = 0; i < table.rowCount; ++i)
    rows.push_back(listRow(table.radiusTable[static_cast<std::size_t>(i)],
                           static_cast<std::size_t>(i) + 1, true));
  return rows;
}

std::string clipboardText(const std::vector<RadiusListRow>& rows)
{
  std::string text;
  text.reserve(rows.size() * 40);
  for (const RadiusListRow& row : rows)
    text += row.position + '\t' + row.pair + '\t' + row.radius + '\t' + row.diameter + "\r\n";
  return text;
}

void RadiusCalculator::calcAll(std::int16_t mode, bool sortByRadius, const RadiusInputs& inputs)
{
  RadiusTable table = buildRadiusTable(inputs.a, inputs.lowN, inputs.highN);
  if (mode == 1 || sortByRadius)
    Sort_S(table.radiusTable, 0, table.rowCount - 1, 4, 3, 1);
  m_table = std::move(table);
  m_list.clear();
  if (mode == 0)
    m_list = listRows(m_table);
  else if (mode == 1)
    findWalls(inputs);
}

void RadiusCalculator::findWalls(const RadiusInputs& inputs)
{
  std::vector<RadiusRow>& rows = m_table.radiusTable;
  const auto row = [&rows](std::int32_t i) -> RadiusRow& { return rows[static_cast<std::size_t>(i)]; };
  const std::int32_t last = m_table.rowCount - 2;

  std::int32_t first = -1;
  for (std::int32_t i = 0; i <= last; ++i) {
    if (row(i)[4] <= inputs.d && row(i + 1)[4] >= inputs.d) {
      first = i;
      break;
    }
  }
  std::vector<std::int32_t> walls;
  if (first >= 0) {
    row(first)[0] = -row(first)[0];
    walls.push_back(first);
    for (std::int32_t i = first; i <= last && static_cast<std::int32_t>(walls.size()) < inputs.walls;
         ++i) {
      // Targets are measured from the requested inner radius, not from the
      // walls found, and rounded as floats.
      const auto target = static_cast<float>(static_cast<double>(walls.size()) * inputs.s +
                                             static_cast<double>(inputs.d) / 2.0);
      // A row already taken is not a further wall (a spacing of 0 would take
      // the innermost one twice).
      if (row(i)[0] < 0.0f)
        continue;
      if (row(i)[3] <= target && row(i + 1)[3] >= target) {
        row(i)[0] = -row(i)[0];
        walls.push_back(i);
      }
    }
  }

  m_sequence.clear();
  for (std::size_t k = 0; k < walls.size(); ++k) {
    RadiusRow& wall = row(walls[k]);
    m_list.push_back(listRow(wall, k + 1, false));
    m_sequence += " (" + std::to_string(whole(wall[1])) + "," + std::to_string(whole(wall[2])) + ")";
    wall[0] = -wall[0];
  }
}

bool RadiusCalculator::headerClick()
{
  if (m_list.empty())
    return false;
  m_sortState = !m_sortState;
  Sort_S(m_table.radiusTable, 0, m_table.rowCount - 1, 4, m_sortState ? 3 : 0, 1);
  m_list = listRows(m_table);
  return true;
}

void RadiusCalculator::view(const std::string& wallText, Model& model,
                            const DisplaySettings& display, Prompts& prompts,
                            MainWindowServices& window)
{
  const auto begin = wallText.find_first_not_of(' ');
  m_sequence = begin == std::string::npos
                   ? std::string()
                   : wallText.substr(begin, wallText.find_last_not_of(' ') - begin + 1);
  if (m_sequence.empty())
    return;
  model.tubeVariant = 8;
  std::string text = m_sequence;
  manualMWNT(model, text, display, prompts, window);
}

} // namespace tarvek
