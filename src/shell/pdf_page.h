// File › Export Structure › Export PDF: the view captured as a JPEG, then
// the one-page report of the structure.
#pragma once

#include "imaging/pdf_report.h"

#include <QObject>

#include <memory>
#include <string>

namespace tarvek {

class Form1;

// Captures the view (on white when the Preferences ask for it) and writes
// the report to a chosen file. The window owns it; it keeps the report's
// library object until the next report.
class PdfPage : public QObject {
public:
  explicit PdfPage(Form1& form);

  // Writes the report to fileName; true when the file was written. A
  // capture that fails ends the command with a message, before any file is
  // opened.
  bool exportPdfPage(const std::string& fileName);
  // The library the reports are written with; by default the one made by
  // its ProgID beside the program.
  void useServer(QuilletServer server);

private:
  // The view as the temporary folder's "tmp.jpg"; false after a message
  // when there is none.
  bool capture(const std::string& image);
  ReportContext reportContext(const std::string& image) const;

  Form1& m_form;
  std::unique_ptr<PdfReport> m_report;
};

} // namespace tarvek
