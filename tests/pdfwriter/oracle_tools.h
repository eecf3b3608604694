#pragma once

// Running the outside readers of the oracle tests.

#include "pdfwriter/pdf_document.h"
#include "pdfwriter/pdf_test_support.h"
#include "support/run_tool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
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
