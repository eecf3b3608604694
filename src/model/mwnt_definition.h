#pragma once

#include <string>

namespace tarvek {

struct Model;
struct DisplaySettings;
class Prompts;
class MainWindowServices;

// Takes the walls of a multi-wall tube as index pairs "n,m" separated by
// blanks (commas and round brackets count as blanks, so "(10,0) (15,5)",
// "10,0 15,5" and "10 0 15 5" are the same list), checks every pair and only
// then stores them as mwntIndices rows 1 .. mwntCount. Numbers are read by
// their leading decimal number and rounded half to even. Then switches to the
// orthographic view if needed and has the main window calculate.
//
// An empty text asks for the list, offering the stored one (or a default
// list of seven walls, setting the tube-length field to "5"); Cancel does
// nothing. An unbalanced list, n < 3, n > 500, m > n, 2n + m = 0 or a number
// out of range shows its message and leaves the stored list as it was.
// `text` ends up holding the list as read, separators turned into blanks.
void manualMWNT(Model& model, std::string& text, const DisplaySettings& display,
                Prompts& prompts, MainWindowServices& window);

} // namespace tarvek
