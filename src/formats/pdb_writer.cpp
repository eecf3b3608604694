#include "formats/export_text.h"
#include "formats/structure_writers.h"

#include "runtime/atomic_file.h"
#include "runtime/file_util.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <array>

namespace tarvek {

constexpr NumberMask coordinateMask("0.000");

namespace {

constexpr std::int64_t maxSerial = 87440031;
// MASTER's count fields hold five digits.
constexpr std::int64_t maxMasterCount = 99999;
constexpr const char* range = "PDB-File only supports coordinates from -999.999 to 9999.999";

void copyPart(const ExportContext& ctx, const std::string& path)
{
  std::string bytes;
  if (!readFileBytes(ctx.partFile, bytes))
    throw RuntimeError("Could not read " + ctx.partFile);
  const FileStatus status = writeFileAtomic(path, bytes);
  if (!status)
    throw RuntimeError(status.error());
}

// Columns 22-30: chain A, the list number from column 23 (right-aligned in
// 23-26 from list 10 on), so the coordinates keep columns 31-54.
std::string residueText(std::size_t list)
{
  if (list > 9999)
    throw RuntimeError("PDB-File only supports up to 9999 atom lists");
  const std::string number = std::to_string(list);
  if (list < 10)
    return "A" + number + "  1    ";
  std::string text = "A";
  appendRight(text, number, 4);
  return text + "    ";
}

// Each atom's bond partners in bond-list order, in one flat array: atom i's
// are atoms[start[i]] to atoms[start[i + 1] - 1]. Positions in the set fit
// 32 bits, which keeps the arrays of a large structure small.
struct Partners {
  BigVector<std::uint32_t> start;
  BigVector<std::uint32_t> atoms;
};

// forEachBond(take) calls take(a, b) for every bond, the same bonds twice.
template <typename ForEachBond>
Partners partnersOf(std::size_t count, ForEachBond forEachBond)
{
  Partners p;
  p.start.assign(count + 2, 0);
  forEachBond([&](std::uint32_t a, std::uint32_t b) {
    ++p.start[a + 2];
    ++p.start[b + 2];
  });
  for (std::size_t i = 2; i < count + 2; ++i)
    p.start[i] += p.start[i - 1];
  p.atoms.resize(p.start[count + 1]);
  // start[i + 1] counts up through atom i's places, ending where atom i + 1's begin.
  forEachBond([&](std::uint32_t a, std::uint32_t b) {
    p.atoms[p.start[a + 1]++] = b;
    p.atoms[p.start[b + 1]++] = a;
  });
  return p;
}

} // namespace

std::string encodeHybrid36(std::int64_t value, int width)
{
  std::string text;
  appendHybrid36(text, value, width);
  return text;
}

void appendHybrid36(std::string& out, std::int64_t value, int width)
{
  // Per width: 10^width decimal values, then 26 x 36^(width - 1) in each
  // letter block.
  struct Limits {
    std::int64_t decimal = 1;
    std::int64_t letterBlock = 26;
  };
  static constexpr auto limits = [] {
    std::array<Limits, 9> l{};
    for (int w = 1; w <= 8; ++w) {
      for (int i = 0; i < w; ++i)
        l[w].decimal *= 10;
      for (int i = 1; i < w; ++i)
        l[w].letterBlock *= 36;
    }
    return l;
  }();
  if (width < 1 || width > 8 || value < 0
      || value >= limits[width].decimal + 2 * limits[width].letterBlock)
    throw RuntimeError("The number " + std::to_string(value) + " does not fit "
                       + std::to_string(width) + " characters");
  const Limits& l = limits[width];
  // Digits from the last: decimal below the limit (blank-padded), base 36
  // above it.
  char text[8];
  int i = width;
  if (value < l.decimal) {
    auto rest = static_cast<std::uint32_t>(value);
    do {
      text[--i] = static_cast<char>('0' + rest % 10);
      rest /= 10;
    } while (rest != 0);
    while (i > 0)
      text[--i] = ' ';
    out.append(text, static_cast<std::size_t>(width));
    return;
  }
  std::int64_t rest = value - l.decimal;
  const char* digits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  if (rest >= l.letterBlock) {
    rest -= l.letterBlock;
    digits = "0123456789abcdefghijklmnopqrstuvwxyz";
  }
  rest += l.letterBlock / 26 * 10;
  while (i > 0) {
    text[--i] = digits[rest % 36];
    rest /= 36;
  }
  out.append(text, static_cast<std::size_t>(width));
}

void exportPDB(const ExportContext& ctx, const std::string& path)
{
  if (ctx.model.partsFlag) {
    copyPart(ctx, path);
    return;
  }
  const bool connections = ctx.prompts.yesNo("Include Connection Table (Bonds) ?", "PDB Export",
                                             MessageIcon::Question);
  WaitCursor wait(ctx.prompts);
  const AtomLabels labels(ctx, LabelForm::Pdb);
  // Columns 77-78 name the element, so readers need not guess it from the
  // atom name.
  const AtomLabels elements(ctx, LabelForm::Element);
  const ExportAtoms set = exportAtoms(ctx, ExportUse::Pdb);

  // Serials run on across the scene's lists; the model's follow the index.
  const std::int64_t serialBase = set.fromSceneFile ? 1 : set.first + 1;
  const std::int64_t lastSerial = serialBase + static_cast<std::int64_t>(set.atoms.size()) - 1;
  if (lastSerial > maxSerial)
    throw RuntimeError("PDB-File only supports up to 87440031 atoms");
  Partners partners;
  if (connections && set.fromSceneFile) {
    const BigVector<ExportBond> bonds = sceneBonds(ctx, set);
    partners = partnersOf(set.atoms.size(), [&](auto take) {
      for (const ExportBond& b : bonds)
        take(static_cast<std::uint32_t>(b.a), static_cast<std::uint32_t>(b.b));
    });
  } else if (connections) {
    partners = partnersOf(set.atoms.size(), [&](auto take) { forEachWrittenBond(ctx, set, take); });
  }

  ExportText out(ctx, path);
  out.line("REMARK   tarvek PDB file");
  out.line("REMARK   Created:" + ctx.createdText);
  out.line("CRYST1    1.000    1.000    1.000  90.00  90.00  90.00 P1");

  const std::vector<std::size_t>& starts = set.listStarts;
  out.lines(set.atoms.size(), [&](std::size_t first, std::size_t last, ExportText::Lines& lines) {
    // The scene's lists begun before this block: the residue in force.
    auto list = static_cast<std::size_t>(std::lower_bound(starts.begin(), starts.end(), first)
                                         - starts.begin());
    std::string residue = set.fromSceneFile && list > 0 ? residueText(list) : "A   1    ";
    std::string line;
    for (std::size_t i = first; i < last; ++i) {
      if (set.fromSceneFile && list < starts.size() && starts[list] == i) {
        if (i > 0)
          lines.line("TER");
        ++list;
        residue = residueText(list);
      }
      const ExportAtom& a = set.atoms[i];
      const std::string& label = labels(a.type);
      line = "ATOM  ";
      appendHybrid36(line, serialBase + static_cast<std::int64_t>(i), 5);
      line.append(label);
      line.append(4 - label.size(), ' ');
      line.append(" ");
      appendRight(line, label, 4);
      line.append(" ");
      line.append(residue);
      appendNumber(line, a.x, coordinateMask, 8, 8, range);
      appendNumber(line, a.y, coordinateMask, 8, 8, range);
      appendNumber(line, a.z, coordinateMask, 8, 8, range);
      line.append("  1.00  0.00          ");
      appendRight(line, elements(a.type), 2);
      lines.line(line);
    }
  });
  out.line("TER");

  if (connections) {
    // An atom without partners gets no record: "CONECT" with a serial alone
    // says nothing, and a bond-less structure would repeat it for every atom.
    const std::size_t count = set.atoms.size();
    std::size_t records = 0;
    for (std::size_t i = 0; i < count; ++i)
      records += partners.start[i] != partners.start[i + 1] ? 1 : 0;
    out.lines(count, [&](std::size_t first, std::size_t last, ExportText::Lines& lines) {
      std::string line;
      for (std::size_t i = first; i < last; ++i) {
        if (partners.start[i] == partners.start[i + 1])
          continue;
        line = "CONECT";
        appendHybrid36(line, serialBase + static_cast<std::int64_t>(i), 5);
        for (std::uint32_t k = partners.start[i]; k < partners.start[i + 1]; ++k)
          appendHybrid36(line, serialBase + partners.atoms[k], 5);
        lines.line(line);
      }
    });
    if (static_cast<std::int64_t>(count) <= maxMasterCount) {
      std::string line = "MASTER        0    0    0    0    0    0    0    0";
      appendRight(line, std::to_string(count), 5);
      line.append("    0");
      appendRight(line, std::to_string(records), 5);
      line.append("    0");
      out.line(line);
    }
    out.line("END");
  }
  out.commit();
}

} // namespace tarvek
