#include "formats/export_text.h"
#include "formats/structure_writers.h"

#include "runtime/atomic_file.h"
#include "runtime/file_util.h"
#include "runtime/runtime_error.h"

namespace tarvek {

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

} // namespace

std::string encodeHybrid36(std::int64_t value, int width)
{
  std::int64_t decimalLimit = 1;
  std::int64_t letterBlock = 26;
  for (int i = 0; i < width; ++i)
    decimalLimit *= 10;
  for (int i = 1; i < width; ++i)
    letterBlock *= 36;
  const std::int64_t digitOffset = letterBlock / 26 * 10;
  if (width < 1 || width > 8 || value < 0 || value >= decimalLimit + 2 * letterBlock)
    throw RuntimeError("The number " + std::to_string(value) + " does not fit "
                       + std::to_string(width) + " characters");
  if (value < decimalLimit) {
    std::string text;
    appendRight(text, std::to_string(value), width);
    return text;
  }
  std::int64_t rest = value - decimalLimit;
  const char* digits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  if (rest >= letterBlock) {
    rest -= letterBlock;
    digits = "0123456789abcdefghijklmnopqrstuvwxyz";
  }
  rest += digitOffset;
  std::string text(static_cast<std::size_t>(width), '0');
  for (int i = width - 1; i >= 0; --i) {
    text[static_cast<std::size_t>(i)] = digits[rest % 36];
    rest /= 36;
  }
  return text;
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
  const ExportAtoms set = exportAtoms(ctx, ExportUse::Pdb);

  // Serials run on across the scene's lists; the model's follow the index.
  const std::int64_t serialBase = set.fromSceneFile ? 1 : set.first + 1;
  const std::int64_t lastSerial = serialBase + static_cast<std::int64_t>(set.atoms.size()) - 1;
  if (lastSerial > maxSerial)
    throw RuntimeError("PDB-File only supports up to 87440031 atoms");
  std::vector<ExportBond> bonds;
  if (connections)
    bonds = set.fromSceneFile ? sceneBonds(ctx, set) : writtenBonds(ctx, set);

  ExportText out(ctx, path);
  out.line("REMARK   Kelvarin PDB file (Brannoc)");
  out.line("REMARK   Created:" + ctx.createdText);
  out.line("CRYST1    1.000    1.000    1.000  90.00  90.00  90.00 P1");

  std::string line;
  std::size_t list = 0;
  std::string residue = "A   1    ";
  for (std::size_t i = 0; i < set.atoms.size(); ++i) {
    if (set.fromSceneFile && list < set.listStarts.size() && set.listStarts[list] == i) {
      if (i > 0)
        out.line("TER");
      ++list;
      residue = residueText(list);
    }
    const ExportAtom& a = set.atoms[i];
    const std::string& label = labels(a.type);
    line = "ATOM";
    appendRight(line, encodeHybrid36(serialBase + static_cast<std::int64_t>(i), 5), 7);
    line.append(label);
    line.append(4 - label.size(), ' ');
    line.append(" ");
    appendRight(line, label, 4);
    line.append(" ");
    line.append(residue);
    appendNumber(line, a.x, "0.000", 8, 8, range);
    appendNumber(line, a.y, "0.000", 8, 8, range);
    appendNumber(line, a.z, "0.000", 8, 8, range);
    line.append("  1.00  0.00");
    out.line(line);
  }
  out.line("TER");

  if (connections) {
    // Partners per atom in bond-list order, in one flat array.
    const std::size_t count = set.atoms.size();
    std::vector<std::size_t> start(count + 1, 0);
    for (const ExportBond& b : bonds) {
      ++start[b.a + 1];
      ++start[b.b + 1];
    }
    for (std::size_t i = 0; i < count; ++i)
      start[i + 1] += start[i];
    std::vector<std::size_t> fill(start.begin(), start.end() - 1);
    std::vector<std::int64_t> partners(start[count]);
    for (const ExportBond& b : bonds) {
      partners[fill[b.a]++] = serialBase + static_cast<std::int64_t>(b.b);
      partners[fill[b.b]++] = serialBase + static_cast<std::int64_t>(b.a);
    }
    for (std::size_t i = 0; i < count; ++i) {
      line = "CONECT";
      line.append(encodeHybrid36(serialBase + static_cast<std::int64_t>(i), 5));
      for (std::size_t k = start[i]; k < start[i + 1]; ++k)
        line.append(encodeHybrid36(partners[k], 5));
      out.line(line);
    }
    if (static_cast<std::int64_t>(count) <= maxMasterCount) {
      line = "MASTER        0    0    0    0    0    0    0    0";
      appendRight(line, std::to_string(count), 5);
      line.append("    0");
      appendRight(line, std::to_string(count), 5);
      line.append("    0");
      out.line(line);
    }
    out.line("END");
  }
  out.commit();
}

} // namespace tarvek
