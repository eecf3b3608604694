#pragma once

#include "formats/export_context.h"
#include "support/fake_prompts.h"
#include "support/model_filler.h"
#include "support/scratch_dir.h"

#include <string>
#include <vector>

namespace tarvek::test {

// A model filled atom by atom, fake prompts and a scratch folder, with the
// context the writers take.
struct ExportRig : ModelFiller {
  FakePrompts prompts;
  ScratchDir dir;
  ExportContext ctx{.model = model, .prompts = prompts};

  ExportRig()
  {
    model.structureKind = 1;
    model.bondLength = 1.42f;
    model.elementSymbols[0] = "H";
    model.elementSymbols[5] = "C";
    model.elementSymbols[6] = "N";
    model.elementSymbols[16] = "Cl";
    model.elementSymbols[30] = "Ga";
    ctx.atomTypeLabel1 = "C";
    ctx.atomTypeLabel2 = "C";
    ctx.createdText = "10.12.2026 14:00";
  }

  std::string path(const std::string& name) const { return dir.file(name).string(); }
};

// A file's lines without their line ends (CR LF or LF).
inline std::vector<std::string> fileLines(const std::string& path)
{
  const std::string bytes = readBytes(path);
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos)
      end = bytes.size();
    std::size_t stop = end;
    if (stop > start && bytes[stop - 1] == '\r')
      --stop;
    out.push_back(bytes.substr(start, stop - start));
    start = end + 1;
  }
  return out;
}

} // namespace tarvek::test
