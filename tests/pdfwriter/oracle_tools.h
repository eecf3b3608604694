#pragma once

// Running the outside readers of the oracle tests.

#include "pdfwriter/pdf_document.h"
#include "pdfwriter/pdf_test_support.h"
#include "support/run_tool.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace quillet::test {

// Left in the build tree for a reviewer to open.
inline std::filesystem::path outDir()
{
  std::filesystem::path dir = std::filesystem::path(TARVEK_TEST_BINARY_DIR) / "out";
  std::filesystem::create_directories(dir);
  return dir;
}

// Writes a document titled after its name into outDir() with fixedOptions,
// expecting it to open and close, and returns its path.
inline std::filesystem::path writeOutFile(const std::string& name,
                                          const std::function<void(PdfDocument*)>& body,
                                          int compressionLevel = 6)
{
  const std::filesystem::path path = outDir() / name;
  PdfDocument* doc = openDocument(path.string(), 13, fixedOptions(compressionLevel));
  EXPECT_NE(doc, nullptr) << name;
  setInfoEntry(doc, "Title", "Writer check: " + name);
  body(doc);
  EXPECT_TRUE(closeDocument(doc)) << name;
  freeDocument(doc);
  return path;
}

// An outside reader's exit code and everything it wrote, stderr after
// stdout; run with an argument list, no shell.
struct ToolRun {
  int status = -1;
  std::string output;
};

inline ToolRun run(const std::string& program, const std::vector<std::string>& args)
{
  const tarvek::test::ToolResult result = tarvek::test::runTool(program, args);
  return {result.exitCode, result.out + result.err};
}

// A binary PPM as pdftoppm writes it.
struct Ppm {
  int width = 0, height = 0;
  std::string pixels;

  // The red, green and blue of page point (x, y), origin lower left, at 72
  // dpi.
  std::array<int, 3> rgbAt(int x, int y) const
  {
    int row = height - y;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(pixels.data())
                             + (std::size_t(row) * width + x) * 3;
    return {p[0], p[1], p[2]};
  }

  // The same as a rough name: red, blue, white or other.
  std::string colourAt(int x, int y) const
  {
    const std::array<int, 3> p = rgbAt(x, y);
    if (p[0] > 200 && p[1] < 80 && p[2] < 80)
      return "red";
    if (p[0] < 80 && p[1] < 80 && p[2] > 200)
      return "blue";
    if (p[0] > 230 && p[1] > 230 && p[2] > 230)
      return "white";
    return "other";
  }
};

inline Ppm readPpm(const std::filesystem::path& path)
{
  std::string bytes = tarvek::test::readBytes(path);
  std::istringstream in(bytes);
  std::string magic;
  int maxValue = 0;
  Ppm ppm;
  in >> magic >> ppm.width >> ppm.height >> maxValue;
  in.get();
  if (magic != "P6" || maxValue != 255)
    return {};
  ppm.pixels = bytes.substr(static_cast<std::size_t>(in.tellg()));
  if (ppm.pixels.size() != std::size_t(ppm.width) * ppm.height * 3)
    return {};
  return ppm;
}

inline std::string collapseBlanks(const std::string& text)
{
  std::string out;
  for (char c : text) {
    if (c == ' ' || c == '\t') {
      if (!out.empty() && out.back() != ' ' && out.back() != '\n')
        out += ' ';
    } else {
      if (c == '\n' && !out.empty() && out.back() == ' ')
        out.pop_back();
      out += c;
    }
  }
  return out;
}

} // namespace quillet::test
