// Builds one structure and writes it as an XYZ file, so that outside
// programs can check what the builders make. Built with the tests, never
// installed.
//
//   model_dump OUT.xyz c60
//   model_dump OUT.xyz cone D H A
//   model_dump OUT.xyz tube N M LENGTH A        rolled, with bonds
//       [--cap CODE] [--ends E]                 a capped-tube preset (CODE
//                                               forces N M) and its capEnds
//   model_dump OUT.xyz unitcell N M CELLS A     by screw symmetry
//   model_dump OUT.txt radius N M A             the radius alone
//
// The XYZ title line is the command followed by "atoms <count> bonds
// <count>"; coordinates have six decimals, as the program's XMOL export
// writes them.

#include "model/c60_builder.h"
#include "model/cone_builder.h"
#include "model/model.h"
#include "model/tube_builder.h"
#include "model/tube_unit_cell.h"
#include "platform/abort.h"
#include "platform/prompts.h"
#include "runtime/file_status.h"
#include "runtime/heap_policy.h"
#include "runtime/int_convert.h"
#include "runtime/number_format.h"
#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string number(float x)
{
  char buf[32];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, x);
  (void)ec;
  return std::string(buf, end);
}

constexpr tarvek::NumberMask kCoordinate("0.000000");
// "C", three blanks, three coordinates and the line end, with room for
// coordinates up to 10^7 Å.
constexpr std::size_t kRowBytes = 2 + 3 * 16 + 1;

// Writes the XYZ rows, formatted into one short buffer that goes out
// whenever it fills: the file takes no fresh memory of its own size.
bool writeXyz(std::FILE* out, const tarvek::Model& model, const std::string& title)
{
  constexpr std::size_t kChunkBytes = std::size_t{256} << 10;
  std::string text;
  text.reserve(kChunkBytes + kRowBytes);
  text += std::to_string(model.atomCount);
  text += '\n';
  text += title;
  text += '\n';
  for (std::int32_t i = 0; i < model.atomCount; ++i) {
    text += 'C';
    for (const float v : {model.atomX[i], model.atomY[i], model.atomZ[i]}) {
      text += ' ';
      tarvek::appendFormat(text, v, kCoordinate);
    }
    text += '\n';
    if (text.size() >= kChunkBytes) {
      if (std::fwrite(text.data(), 1, text.size(), out) != text.size())
        return false;
      text.clear();
    }
  }
  return std::fwrite(text.data(), 1, text.size(), out) == text.size();
}

// Answers Yes to the question before a large bond search; never asks
// anything else.
class YesPrompts : public tarvek::Prompts {
public:
  void message(const std::string& text, const std::string&, tarvek::MessageIcon) override
  {
    std::fprintf(stderr, "model_dump: %s\n", text.c_str());
  }
  bool yesNo(const std::string&, const std::string&, tarvek::MessageIcon) override
  {
    return true;
  }
  std::optional<std::string> input(const std::string&, const std::string&,
                                   const std::string&) override
  {
    return std::nullopt;
  }
  void beep() override {}
  void beginWait() override {}
  void endWait() override {}
};

class NoEscape : public tarvek::AbortToken {
public:
  void clearEscape() override {}
  bool escapePressed() override { return false; }
  long stops() const override { return 0; }
};

float real(const std::string& text)
{
  return static_cast<float>(tarvek::Val(text));
}

int usage()
{
  std::fputs("usage: model_dump OUT.xyz c60\n"
             "       model_dump OUT.xyz cone DISCLINATION HEIGHT BONDLENGTH\n"
             "       model_dump OUT.xyz tube N M LENGTH BONDLENGTH [--cap CODE] [--ends E]\n"
             "       model_dump OUT.xyz unitcell N M CELLS BONDLENGTH\n"
             "       model_dump OUT.txt radius N M BONDLENGTH\n",
             stderr);
  return 2;
}

} // namespace

int main(int argc, char** argv)
{
  tarvek::keepFreedHeapMemory();
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() < 2)
    return usage();
  tarvek::Model model;
  std::string text;
  try {
    if (args[1] == "c60" && args.size() == 2) {
      tarvek::buildC60(model);
    } else if (args[1] == "cone" && args.size() == 5) {
      tarvek::buildCone(model, static_cast<float>(tarvek::Val(args[2])),
                        static_cast<float>(tarvek::Val(args[3])),
                        static_cast<float>(tarvek::Val(args[4])), 0.0f);
    } else if (args[1] == "tube" && args.size() >= 6 && args.size() % 2 == 0) {
      YesPrompts prompts;
      NoEscape abort;
      model.structureKind = 1;
      for (std::size_t k = 6; k < args.size(); k += 2) {
        if (args[k] == "--cap")
          model.tubeVariant = tarvek::CInt(tarvek::Val(args[k + 1]));
        else if (args[k] == "--ends")
          model.capEnds = tarvek::CInt(tarvek::Val(args[k + 1]));
        else
          return usage();
      }
      tarvek::buildTubes(model, tarvek::CInt(tarvek::Val(args[2])),
                         tarvek::CInt(tarvek::Val(args[3])), real(args[4]), real(args[5]),
                         prompts, abort);
    } else if (args[1] == "unitcell" && args.size() == 6) {
      tarvek::buildTubeUnitCell(model, tarvek::CLng(tarvek::Val(args[2])),
                                tarvek::CLng(tarvek::Val(args[3])),
                                tarvek::CLng(tarvek::Val(args[4])), real(args[5]));
    } else if (args[1] == "radius" && args.size() == 5) {
      text = number(tarvek::tubeRadius(tarvek::CLng(tarvek::Val(args[2])),
                                       tarvek::CLng(tarvek::Val(args[3])), real(args[4])))
             + "\n";
    } else {
      return usage();
    }
  } catch (const tarvek::RuntimeError& e) {
    std::fprintf(stderr, "model_dump: %s\n", e.what());
    return 1;
  }

  // Written in place rather than replaced whole: the file is this tool's
  // output for the tests, with no earlier version to keep.
  std::FILE* out = std::fopen(args[0].c_str(), "wb");
  bool written = out != nullptr;
  if (written && !text.empty()) {
    written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  } else if (written) {
    std::string title = args[1];
    for (std::size_t i = 2; i < args.size(); ++i)
      title += " " + args[i];
    title += " atoms " + std::to_string(model.atomCount) + " bonds "
             + std::to_string(model.bondCount);
    written = writeXyz(out, model, title);
  }
  if (out != nullptr && std::fclose(out) != 0)
    written = false;
  if (!written) {
    std::fprintf(stderr, "model_dump: %s\n",
                 tarvek::fileErrorText("Could not save", args[0], errno).c_str());
    return 1;
  }
  return 0;
}
