// Writes the tiling, the holes and the spectrum views of one pattern as PNG files for review.
#include "platform/prompts.h"
#include "runtime/random_source.h"
#include "tools/complex_image.h"
#include "tools/multigrid_tiling.h"
#include "tools/multigrid_tiling_view.h"
#include "tools/pixel_canvas.h"

#include <QImage>
#include <QString>

#include <exception>
#include <iostream>
#include <string>

namespace {

using tarvek::PixelCanvas;

// Messages go to stderr; there is nobody to answer questions.
class StderrPrompts : public tarvek::Prompts {
public:
  void message(const std::string& text, const std::string&, tarvek::MessageIcon) override
  {
    std::cerr << text << '\n';
  }
  bool yesNo(const std::string&, const std::string&, tarvek::MessageIcon) override { return false; }
  std::optional<std::string> input(const std::string&, const std::string&, const std::string&) override
  {
    return std::nullopt;
  }
  void beep() override {}
  void beginWait() override {}
  void endWait() override {}
};

void save(const PixelCanvas& canvas, const std::string& folder, const std::string& name)
{
  const QImage image(reinterpret_cast<const uchar*>(canvas.words().data()), canvas.width(),
                     canvas.height(), QImage::Format_RGB32);
  const std::string path = folder + "/" + name;
  if (!image.save(QString::fromStdString(path), "PNG"))
    throw std::runtime_error("cannot write " + path);
}

int number(const char* text)
{
  return std::stoi(text);
}

} // namespace

int main(int argc, char** argv)
{
  if (argc != 2 && argc != 6) {
    std::cerr << "usage: nanohole_dump OUTDIR [F N ZOOM OPTION]\n";
    return 2;
  }
  try {
    const std::string folder = argv[1];
    tarvek::TilingParameters p;
    if (argc == 6) {
      p.foldCount = number(argv[2]);
      p.loopOrder = number(argv[3]);
      p.zoom = number(argv[4]);
      p.shiftOption = number(argv[5]);
    }
    PixelCanvas holes(p.canvasWidth, p.canvasHeight);
    tarvek::RandomSource random;
    const tarvek::TilingResult tiling = tarvek::generateTiling(p, holes, random);

    QImage tilingImage(p.canvasWidth, p.canvasHeight, QImage::Format_RGB32);
    tarvek::paintTiling(tilingImage, tiling);
    if (!tilingImage.save(QString::fromStdString(folder + "/tiling.png"), "PNG"))
      throw std::runtime_error("cannot write " + folder + "/tiling.png");
    save(holes, folder, "holes.png");

    StderrPrompts prompts;
    PixelCanvas spectrum(512, 512);
    PixelCanvas result(512, 512);
    tarvek::clComplexImage workspace(prompts, random);
    workspace.SetMessageLabel([](const std::string&) {});
    workspace.SetCanvas(holes, spectrum, result);
    workspace.SetDimensionFFT(512);
    workspace.runFOURN(1, false);
    for (std::int16_t kind = 0; kind <= 4; ++kind) {
      workspace.SetFTView(kind, false);
      save(spectrum, folder, "spectrum_kind" + std::to_string(kind) + ".png");
    }
    workspace.SetFTView(0, false);
    workspace.SetScale(1);
    save(spectrum, folder, "spectrum_sqrt.png");
    workspace.SetScale(0);
    workspace.draw3DFT();
    save(spectrum, folder, "spectrum_3d.png");
  } catch (const std::exception& e) {
    std::cerr << "nanohole_dump: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
