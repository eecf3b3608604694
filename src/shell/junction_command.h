// The Special menu's hetero-junction: two tubes joined by the outside Java program.
#pragma once

#include <QObject>

#include <string>

namespace tarvek {

class Form1;

// Asks for two tubes, runs the tube-joining archive lib/contub.jar of the
// program folder with Java in the Import folder and shows the coordinates
// it leaves there. The Special item is shown only when the archive is
// installed. Built with the Special menu; the window owns it.
class JunctionCommand : public QObject {
public:
  // programFolder ends in "/".
  JunctionCommand(Form1& form, std::string programFolder);

  // The archive of the program folder holds at least one byte.
  bool archiveInstalled() const;

  // The command: nothing happens on Cancel; a missing archive or Java, a
  // failed run or a missing result shows its message and changes nothing; a
  // file the XYZ reader refuses throws RuntimeError with its sentence. The
  // archive's copy in the Import folder is deleted on every way out.
  void buildHeteroJunction();

private:
  void showJunction(const std::string& xyzFile, const std::string& title);

  Form1& m_form;
  std::string m_programFolder;
};

} // namespace tarvek
