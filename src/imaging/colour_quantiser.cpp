// Reducing an RGB picture to at most 256 colours of its own.
#include "imaging/colour_quantiser.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace tarvek {

namespace {

constexpr int kPaletteSize = 256;
constexpr int kCellBits = 5;
constexpr int kCellShift = 8 - kCellBits;
constexpr std::size_t kCells = std::size_t{1} << (3 * kCellBits);
// The largest error, per channel, passed on to the next pixels: enough to
// mix two neighbouring entries across a shaded slope, too little to put a
// far colour into a plain area.
constexpr int kMostCarried = 6;

std::uint32_t packed(const std::uint8_t* p)
{
  return (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
}

std::size_t cellOf(int r, int g, int b)
{
  return (static_cast<std::size_t>(r >> kCellShift) << (2 * kCellBits)) |
         (static_cast<std::size_t>(g >> kCellShift) << kCellBits) |
         static_cast<std::size_t>(b >> kCellShift);
}

// The colours of one histogram cell: where it lies, how many pixels and
// their sums.
struct Cell {
  std::array<std::uint8_t, 3> at{};
  double count = 0.0;
  std::array<double, 3> sum{};
  // The cell's share of a box's squared error: |sum|^2 / count.
  double square = 0.0;
};

// A box of cells cells[begin, end) and the squared distance of its pixels
// from their mean (between cells; the spread inside a cell is not counted).
struct Box {
  std::size_t begin = 0;
  std::size_t end = 0;
  double count = 0.0;
  std::array<double, 3> sum{};
  double error = 0.0;
};

// The squared error of pixels around their mean, from their count, sums and
// summed cell squares.
double spread(double count, const std::array<double, 3>& sum, double squares)
{
  if (count <= 0.0)
    return 0.0;
  return std::max(0.0, squares - (sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]) / count);
}

Box boxOf(const std::vector<Cell>& cells, std::size_t begin, std::size_t end)
{
  Box box{begin, end, 0.0, {}, 0.0};
  double squares = 0.0;
  for (std::size_t i = begin; i < end; ++i) {
    box.count += cells[i].count;
    for (std::size_t c = 0; c < 3; ++c)
      box.sum[c] += cells[i].sum[c];
    squares += cells[i].square;
  }
  box.error = spread(box.count, box.sum, squares);
  return box;
}

// The cut of the box between two cell positions along an axis that leaves
// the least error in the two halves, found on the box's projection onto
// that axis: the axis, the first position of the upper half and the error.
struct Cut {
  int axis = -1;
  int at = 0;
  double error = 0.0;
};

Cut bestCut(const std::vector<Cell>& cells, const Box& box)
{
  constexpr int kSide = 1 << kCellBits;
  Cut best;
  // The box projected onto each axis in one pass over its cells.
  std::array<std::array<double, kSide>, 3> counts{};
  std::array<std::array<double, kSide>, 3> squareSums{};
  std::array<std::array<std::array<double, 3>, kSide>, 3> sums{};
  for (std::size_t i = box.begin; i < box.end; ++i) {
    const Cell& cell = cells[i];
    for (std::size_t axis = 0; axis < 3; ++axis) {
      const std::size_t at = cell.at[axis];
      counts[axis][at] += cell.count;
      squareSums[axis][at] += cell.square;
      for (std::size_t c = 0; c < 3; ++c)
        sums[axis][at][c] += cell.sum[c];
    }
  }
  for (int axis = 0; axis < 3; ++axis) {
    const auto& count = counts[static_cast<std::size_t>(axis)];
    const auto& squares = squareSums[static_cast<std::size_t>(axis)];
    const auto& sum = sums[static_cast<std::size_t>(axis)];
    double totalSquares = 0.0;
    for (const double q : squares)
      totalSquares += q;
    double lowCount = 0.0;
    double lowSquares = 0.0;
    std::array<double, 3> lowSum{};
    for (int at = 1; at < kSide; ++at) {
      const auto below = static_cast<std::size_t>(at - 1);
      lowCount += count[below];
      lowSquares += squares[below];
      for (std::size_t c = 0; c < 3; ++c)
        lowSum[c] += sum[below][c];
      if (lowCount <= 0.0 || lowCount >= box.count)
        continue;
      const std::array<double, 3> highSum{box.sum[0] - lowSum[0], box.sum[1] - lowSum[1],
                                          box.sum[2] - lowSum[2]};
      const double error = spread(lowCount, lowSum, lowSquares) +
                           spread(box.count - lowCount, highSum, totalSquares - lowSquares);
      if (best.axis < 0 || error < best.error)
        best = {axis, at, error};
    }
  }
  return best;
}

std::vector<Box> splitBoxes(std::vector<Cell> cells, int boxes)
{
  std::vector<Box> result;
  if (cells.empty() || boxes < 1)
    return result;
  result.push_back(boxOf(cells, 0, cells.size()));
  while (static_cast<int>(result.size()) < boxes) {
    auto worst = result.end();
    for (auto it = result.begin(); it != result.end(); ++it) {
      if (it->end - it->begin > 1 && it->error > 0.0 && (worst == result.end() || it->error > worst->error))
        worst = it;
    }
    if (worst == result.end())
      break;
    const Box box = *worst;
    const Cut cut = bestCut(cells, box);
    if (cut.axis < 0) {
      worst->error = 0.0;
      continue;
    }
    const auto first = cells.begin() + static_cast<std::ptrdiff_t>(box.begin);
    const auto last = cells.begin() + static_cast<std::ptrdiff_t>(box.end);
    const auto middle = std::partition(first, last, [&cut](const Cell& c) {
      return c.at[static_cast<std::size_t>(cut.axis)] < cut.at;
    });
    const std::size_t split = box.begin + static_cast<std::size_t>(middle - first);
    *worst = boxOf(cells, box.begin, split);
    result.push_back(boxOf(cells, split, box.end));
  }
  return result;
}

std::uint8_t channel(double value)
{
  return static_cast<std::uint8_t>(std::clamp(std::nearbyint(value), 0.0, 255.0));
}

int distance(const std::array<std::uint8_t, 3>& entry, int r, int g, int b)
{
  const int dr = entry[0] - r;
  const int dg = entry[1] - g;
  const int db = entry[2] - b;
  return dr * dr + dg * dg + db * db;
}

// The palette's entries in order of their red, to search outward from a
// colour's red and stop once red alone lies farther than the best found.
class NearestEntry {
public:
  explicit NearestEntry(const std::vector<std::array<std::uint8_t, 3>>& palette) : m_palette(palette)
  {
    m_order.resize(palette.size());
    for (std::size_t i = 0; i < m_order.size(); ++i)
      m_order[i] = static_cast<std::uint8_t>(i);
    std::sort(m_order.begin(), m_order.end(),
              [&palette](std::uint8_t a, std::uint8_t b) { return palette[a][0] < palette[b][0]; });
  }

  // hint is a likely entry (the last one found): starting from a near
  // entry, the search stops early.
  std::uint8_t operator()(int r, int g, int b, std::uint8_t hint) const
  {
    const auto start = std::lower_bound(m_order.begin(), m_order.end(), r, [this](std::uint8_t i, int red) {
      return m_palette[i][0] < red;
    });
    std::uint8_t best = hint < m_palette.size() ? hint : m_order.front();
    int bestDistance = distance(m_palette[best], r, g, b);
    for (auto up = start; up != m_order.end(); ++up) {
      const int dr = m_palette[*up][0] - r;
      if (dr * dr >= bestDistance)
        break;
      consider(*up, r, g, b, best, bestDistance);
    }
    for (auto down = start; down != m_order.begin();) {
      --down;
      const int dr = m_palette[*down][0] - r;
      if (dr * dr >= bestDistance)
        break;
      consider(*down, r, g, b, best, bestDistance);
    }
    return best;
  }

private:
  void consider(std::uint8_t i, int r, int g, int b, std::uint8_t& best, int& bestDistance) const
  {
    const int d = distance(m_palette[i], r, g, b);
    if (d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }

  const std::vector<std::array<std::uint8_t, 3>>& m_palette;
  std::vector<std::uint8_t> m_order;
};

// The picture's colours when it has no more than the palette holds; empty
// otherwise.
std::vector<std::uint32_t> fewColours(const std::uint8_t* rgb, std::size_t pixels)
{
  // An open-addressed set four times the palette's size; colours have 24
  // bits, so the empty mark can never be one.
  constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
  constexpr std::size_t kSlots = 4 * kPaletteSize;
  std::array<std::uint32_t, kSlots> slots;
  slots.fill(kEmpty);
  std::vector<std::uint32_t> colours;
  std::uint32_t last = kEmpty;
  for (std::size_t i = 0; i < pixels; ++i) {
    const std::uint32_t colour = packed(rgb + 3 * i);
    if (colour == last)
      continue;
    last = colour;
    std::size_t slot = (colour * 2654435761u) >> 22;
    while (slots[slot] != kEmpty && slots[slot] != colour)
      slot = (slot + 1) % kSlots;
    if (slots[slot] == colour)
      continue;
    if (colours.size() == kPaletteSize)
      return {};
    slots[slot] = colour;
    colours.push_back(colour);
  }
  return colours;
}

QuantisedPicture exactColours(const std::uint8_t* rgb, std::size_t pixels,
                              std::vector<std::uint32_t> colours)
{
  std::sort(colours.begin(), colours.end());
  QuantisedPicture out;
  for (const std::uint32_t c : colours)
    out.palette.push_back({static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                           static_cast<std::uint8_t>(c)});
  out.indices.resize(pixels);
  for (std::size_t i = 0; i < pixels; ++i) {
    const auto at = std::lower_bound(colours.begin(), colours.end(), packed(rgb + 3 * i));
    out.indices[i] = static_cast<std::uint8_t>(at - colours.begin());
  }
  return out;
}

// The most frequent exact colour and its pixel count, searched among the
// pixels of the fullest histogram cell; of colours as frequent, the one met
// first. The cell's colours differ only in their low bits, which index the
// tallies.
std::pair<std::uint32_t, std::size_t> commonestColour(const std::uint8_t* rgb, std::size_t pixels,
                                                      const std::vector<std::uint32_t>& counts)
{
  constexpr std::size_t kShades = std::size_t{1} << (3 * kCellShift);
  constexpr int kLow = (1 << kCellShift) - 1;
  const std::size_t fullest =
      static_cast<std::size_t>(std::max_element(counts.begin(), counts.end()) - counts.begin());
  std::array<std::size_t, kShades> seen{};
  std::array<std::size_t, kShades> first{};
  for (std::size_t i = 0; i < pixels; ++i) {
    const std::uint8_t* p = rgb + 3 * i;
    if (cellOf(p[0], p[1], p[2]) != fullest)
      continue;
    const std::size_t shade = (static_cast<std::size_t>(p[0] & kLow) << (2 * kCellShift)) |
                              (static_cast<std::size_t>(p[1] & kLow) << kCellShift) |
                              static_cast<std::size_t>(p[2] & kLow);
    if (seen[shade]++ == 0)
      first[shade] = i;
  }
  std::size_t best = 0;
  for (std::size_t shade = 1; shade < kShades; ++shade) {
    const bool tie = seen[shade] == seen[best] && seen[shade] > 0;
    if (seen[shade] > seen[best] || (tie && first[shade] < first[best]))
      best = shade;
  }
  return {packed(rgb + 3 * first[best]), seen[best]};
}

// The histogram and the cells' entries, kept on the thread from one picture
// to the next, since an animation quantises frame after frame: between
// pictures every count and sum is 0 and every entry -1, and only the cells a
// picture touched are cleared after it.
struct Scratch {
  std::vector<std::uint32_t> counts = std::vector<std::uint32_t>(kCells, 0);
  std::vector<std::array<std::uint64_t, 3>> sums =
      std::vector<std::array<std::uint64_t, 3>>(kCells, {0, 0, 0});
  std::vector<std::int16_t> entryOf = std::vector<std::int16_t>(kCells, -1);
  std::vector<std::uint32_t> filled;
  std::vector<std::uint32_t> mapped;

  void clear()
  {
    for (const std::uint32_t cell : filled) {
      counts[cell] = 0;
      sums[cell] = {0, 0, 0};
    }
    for (const std::uint32_t cell : mapped)
      entryOf[cell] = -1;
    filled.clear();
    mapped.clear();
  }
};

} // namespace

QuantisedPicture quantiseColours(const std::uint8_t* rgb, std::int32_t width, std::int32_t height)
{
  const std::size_t w = static_cast<std::size_t>(std::max(width, 0));
  const std::size_t pixels = w * static_cast<std::size_t>(std::max(height, 0));
  if (pixels == 0)
    return {};
  if (std::vector<std::uint32_t> colours = fewColours(rgb, pixels); !colours.empty())
    return exactColours(rgb, pixels, std::move(colours));

  thread_local Scratch scratch;
  struct ClearAtEnd {
    Scratch& scratch;
    ~ClearAtEnd() { scratch.clear(); }
  } clearAtEnd{scratch};
  std::vector<std::uint32_t>& counts = scratch.counts;
  std::vector<std::array<std::uint64_t, 3>>& sums = scratch.sums;
  for (std::size_t i = 0; i < pixels; ++i) {
    const std::uint8_t* p = rgb + 3 * i;
    const std::size_t cell = cellOf(p[0], p[1], p[2]);
    if (counts[cell]++ == 0)
      scratch.filled.push_back(static_cast<std::uint32_t>(cell));
    sums[cell][0] += p[0];
    sums[cell][1] += p[1];
    sums[cell][2] += p[2];
  }
  // The background takes an entry of its own and leaves its cell.
  const auto [background, backgroundCount] = commonestColour(rgb, pixels, counts);
  const std::array<std::uint8_t, 3> backgroundEntry{static_cast<std::uint8_t>(background >> 16),
                                                    static_cast<std::uint8_t>(background >> 8),
                                                    static_cast<std::uint8_t>(background)};
  const std::size_t backgroundCell = cellOf(backgroundEntry[0], backgroundEntry[1], backgroundEntry[2]);
  counts[backgroundCell] -= static_cast<std::uint32_t>(backgroundCount);
  for (std::size_t c = 0; c < 3; ++c)
    sums[backgroundCell][c] -= backgroundCount * backgroundEntry[c];

  std::vector<Cell> cells;
  cells.reserve(scratch.filled.size());
  for (const std::size_t i : scratch.filled) {
    if (counts[i] == 0)
      continue;
    const std::array<double, 3> sum{static_cast<double>(sums[i][0]), static_cast<double>(sums[i][1]),
                                    static_cast<double>(sums[i][2])};
    const double count = counts[i];
    cells.push_back({{static_cast<std::uint8_t>(i >> (2 * kCellBits)),
                        static_cast<std::uint8_t>((i >> kCellBits) & ((1u << kCellBits) - 1)),
                        static_cast<std::uint8_t>(i & ((1u << kCellBits) - 1))},
                     count, sum, (sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]) / count});
  }
  QuantisedPicture out;
  out.palette.push_back(backgroundEntry);
  for (const Box& box : splitBoxes(cells, kPaletteSize - 1))
    out.palette.push_back({channel(box.sum[0] / box.count), channel(box.sum[1] / box.count),
                           channel(box.sum[2] / box.count)});

  // Each cell's entry is the one nearest the mean of its pixels, found once.
  const NearestEntry nearest(out.palette);
  std::vector<std::int16_t>& entryOf = scratch.entryOf;
  std::uint8_t last = 0;
  const auto entry = [&](int r, int g, int b) {
    const std::size_t cell = cellOf(r, g, b);
    if (entryOf[cell] < 0) {
      scratch.mapped.push_back(static_cast<std::uint32_t>(cell));
      if (counts[cell] == 0)
        entryOf[cell] = nearest(r, g, b, last);
      else
        entryOf[cell] = nearest(channel(double(sums[cell][0]) / counts[cell]),
                                channel(double(sums[cell][1]) / counts[cell]),
                                channel(double(sums[cell][2]) / counts[cell]), last);
    }
    last = static_cast<std::uint8_t>(entryOf[cell]);
    return last;
  };

  // Floyd-Steinberg over two rows of carried error, each pixel's share held
  // small; a pixel the palette holds exactly neither takes nor passes error.
  out.indices.resize(pixels);
  std::vector<std::array<int, 3>> carried((w + 2) * 2, {0, 0, 0});
  for (std::size_t y = 0; y < pixels / w; ++y) {
    // Each row has a guard cell on either side, so x and x + 2 here stand
    // for the pixel's left and right neighbours.
    std::array<int, 3>* here = carried.data() + (y % 2) * (w + 2);
    std::array<int, 3>* below = carried.data() + ((y + 1) % 2) * (w + 2);
    std::fill(below, below + w + 2, std::array<int, 3>{0, 0, 0});
    for (std::size_t x = 0; x < w; ++x) {
      const std::uint8_t* p = rgb + 3 * (y * w + x);
      std::uint8_t index = 0;
      if (packed(p) != background) {
        std::array<int, 3> target{};
        for (std::size_t c = 0; c < 3; ++c)
          target[c] = std::clamp(p[c] + std::clamp(here[x + 1][c] / 16, -kMostCarried, kMostCarried), 0, 255);
        index = entry(target[0], target[1], target[2]);
        const auto& chosen = out.palette[index];
        if (chosen[0] != p[0] || chosen[1] != p[1] || chosen[2] != p[2]) {
          for (std::size_t c = 0; c < 3; ++c) {
            const int error = target[c] - chosen[c];
            here[x + 2][c] += error * 7;
            below[x][c] += error * 3;
            below[x + 1][c] += error * 5;
            below[x + 2][c] += error;
          }
        }
      }
      out.indices[y * w + x] = index;
    }
  }
  return out;
}

} // namespace tarvek
