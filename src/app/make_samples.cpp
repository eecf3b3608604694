// Writes the sample files of the program folder, which a first start copies
// to the user's folders: a tube as an XMOL file, the flat points of the same
// tube's sheet as an XY file and a picture of that atom lattice for the
// digitiser. Run as: tarvek_make_samples <program folder>.
#include "formats/export_context.h"
#include "formats/structure_writers.h"
#include "imaging/dib_section.h"
#include "imaging/jpeg_file.h"
#include "imaging/ui/dib_section_qt.h"
#include "imaging/xy_file.h"
#include "model/model.h"
#include "model/tube_builder.h"
#include "platform/abort.h"
#include "platform/prompts.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <vector>

namespace {

using namespace tarvek;

// The builders ask nothing about a tube this small; no one is there to answer.
class Silent : public Prompts, public AbortToken {
public:
  void message(const std::string& text, const std::string&, MessageIcon) override
  {
    std::cerr << text << '\n';
  }
  bool yesNo(const std::string&, const std::string&, MessageIcon) override { return false; }
  std::optional<std::string> input(const std::string&, const std::string&, const std::string&) override
  {
    return std::nullopt;
  }
  void beep() override {}
  void beginWait() override {}
  void endWait() override {}
  void clearEscape() override {}
  bool escapePressed() override { return false; }
  long stops() const override { return 0; }
};

// The atoms' disc radius in the lattice picture, pixels; one pixel is one
// unit of the XY file.
constexpr double kDisc = 4.0;

// Black atoms on white, as the digitiser's ring search looks for them.
QImage latticePicture(const std::vector<XYPoint>& points)
{
  float maxX = 0.0f;
  float maxY = 0.0f;
  for (const XYPoint& p : points) {
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
  }
  const int margin = 10;
  QImage picture(int(maxX) + 2 * margin, int(maxY) + 2 * margin,
                 QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  for (const XYPoint& p : points)
    painter.drawEllipse(QPointF(margin + p.x, margin + (maxY - p.y)), kDisc, kDisc);
  return picture;
}

} // namespace

int main(int argc, char** argv)
{
  if (argc != 2) {
    std::cerr << "usage: tarvek_make_samples <program folder>\n";
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder / "IMPORT");
  std::filesystem::create_directories(folder / "IMAGES");

  Silent silent;
  Model model;
  buildTubes(model, 10, 0, 25.0f, 1.421f, silent, silent);
  ExportContext carbon{model, silent};
  carbon.atomTypeLabel1 = carbon.atomTypeLabel2 = "C";
  exportXMOL(carbon, (folder / "IMPORT" / "tube_10_0.xmol").string());

  // The sheet without its seam column, in tenths of an ångström as the XY
  // import reads them: it rolls back into the same tube.
  const AtomSetRef sheet = model.atomSet(AtomSetId::Sheet);
  const float seam = tubeSizes(10, 0, 1.421f).circumference - 0.5f;
  std::vector<XYPoint> points;
  for (std::int32_t i = 0; i < sheet.count; ++i) {
    if (sheet.x[i] <= seam)
      points.push_back({sheet.x[i] * 10.0f, sheet.y[i] * 10.0f});
  }
  if (const FileStatus status = writeXYFile((folder / "IMPORT" / "sheet_10_0.xy").string(), points, false);
      !status) {
    std::cerr << status.error() << '\n';
    return 1;
  }
  // JPEG, one of the digitiser's picture types, through the program's writer.
  cDIBSection dib;
  CreateFromPicture(dib, latticePicture(points));
  try {
    saveJPG(dib, (folder / "IMAGES" / "lattice_10_0.jpg").string(), 90);
  } catch (const JpegError& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  return 0;
}
