// Builds one structure and writes it as an XYZ file, so that outside
// programs can check what the builders make. Built with the tests, never
// installed.
//
//   model_dump OUT.xyz c60
//   model_dump OUT.xyz cone D H A

#include "model/c60_builder.h"
#include "model/cone_builder.h"
#include "model/model.h"
#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"

#include <charconv>
#include <cstdio>
#include <fstream>
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

std::string xyzText(const tarvek::Model& model, const std::string& title)
{
  std::string text = std::to_string(model.atomCount) + "\n" + title + "\n";
  for (std::int32_t i = 0; i < model.atomCount; ++i)
    text += "C " + number(model.atomX[i]) + " " + number(model.atomY[i]) + " "
            + number(model.atomZ[i]) + "\n";
  return text;
}

int usage()
{
  std::fputs("usage: model_dump OUT.xyz c60\n"
             "       model_dump OUT.xyz cone DISCLINATION HEIGHT BONDLENGTH\n",
             stderr);
  return 2;
}

} // namespace

int main(int argc, char** argv)
{
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() < 2)
    return usage();
  tarvek::Model model;
  try {
    if (args[1] == "c60" && args.size() == 2) {
      tarvek::buildC60(model);
    } else if (args[1] == "cone" && args.size() == 5) {
      tarvek::buildCone(model, static_cast<float>(tarvek::Val(args[2])),
                        static_cast<float>(tarvek::Val(args[3])),
                        static_cast<float>(tarvek::Val(args[4])), 0.0f);
    } else {
      return usage();
    }
  } catch (const tarvek::RuntimeError& e) {
    std::fprintf(stderr, "model_dump: %s\n", e.what());
    return 1;
  }

  std::string title = args[1];
  for (std::size_t i = 2; i < args.size(); ++i)
    title += " " + args[i];
  const std::string text = xyzText(model, title);
  std::ofstream out(args[0], std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "model_dump: cannot write %s\n", args[0].c_str());
    return 1;
  }
  return 0;
}
