// The image sequence: options, frames of the turning view, the GIF.
#include "shell/image_sequence.h"

#include "imaging/gif_assembly.h"
#include "imaging/movie_options.h"
#include "imaging/ui/movie_options_dialog.h"
#include "model/model.h"
#include "platform/platform.h"
#include "platform/save_dialog.h"
#include "platform/temp_folder.h"
#include "platform/utilities.h"
#include "runtime/file_util.h"
#include "runtime/number_format.h"
#include "runtime/path_util.h"
#include "scene/scene_object.h"
#include "shell/form1.h"

#include <QComboBox>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

#include <cmath>
#include <filesystem>
#include <vector>

namespace tarvek {

namespace {

const char* const kSequenceFilter =
    "JPEG Image Sequence (*.jpg)|*.jpg|Transparent PNG Sequence (*.png)|*.png|"
    "Animated GIF Image (*.gif)|*.gif";

enum class SequenceType { Jpeg = 1, Png = 2, Gif = 3 };

std::string removeAll(std::string text, const std::string& part)
{
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at))
    text.erase(at, part.size());
  return text;
}

// The grabbed view as a PNG with every pixel of the clear colour fully
// transparent, whole or not at all; the reason when it fails.
std::string savePngFrame(Form1& form, Platform& platform, const std::string& path)
{
  const std::string bitmap = platform.tempFolder.path("tmp.bmp");
  const bool grabbed = form.SaveOpenGLimage(bitmap);
  QImage frame = grabbed ? QImage(QString::fromStdString(bitmap)) : QImage();
  std::error_code ignored;
  std::filesystem::remove(bitmap, ignored);
  if (frame.isNull())
    return "The view could not be captured.";
  const auto& clear = form.scene().getFogColor();
  const QRgb background = qRgb(static_cast<int>(std::lround(clear[0] * 255.0f)),
                               static_cast<int>(std::lround(clear[1] * 255.0f)),
                               static_cast<int>(std::lround(clear[2] * 255.0f)));
  frame = frame.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < frame.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(frame.scanLine(y));
    for (int x = 0; x < frame.width(); ++x)
      if ((row[x] & 0xFFFFFFu) == (background & 0xFFFFFFu))
        row[x] = 0;
  }
  QSaveFile file(QString::fromStdString(path));
  QImageWriter writer(&file, "png");
  if (!file.open(QIODevice::WriteOnly) || !writer.write(frame) || !file.commit())
    return "Could not save " + path + ": "
           + (writer.error() != QImageWriter::UnknownError ? writer.errorString()
                                                             : file.errorString())
                 .toStdString();
  return std::string();
}

} // namespace

std::optional<std::string> sequenceTitle(Form1& form, Platform& platform, const Model& model)
{
  std::string title;
  switch (model.structureKind) {
  case 1:
    title = "Nanotube";
    break;
  case 2:
    title = "Nanotube-Sheet";
    break;
  case 3:
    title = "Nanocone";
    break;
  case 4:
    title = "Nanocone-Sheet";
    break;
  default:
    break;
  }
  if (form.cmb1->currentIndex() > 0)
    title = removeAll(form.cmb1->currentText().toStdString(), " - ") + " " + title;
  else
    title = "Carbon " + title;
  if (model.tubeVariant == 2)
    title += " Bundle";
  const MainWindowState& state = form.state();
  if (model.structureKind == 5)
    title = "Bucky Ball C60";
  else if (model.structureKind == 6)
    title = "Fullerene " + state.importedTitle;
  else if (model.structureKind == 7)
    title = "Xmol-Import";
  else if (model.structureKind == 8)
    title = "Virus Geometry";
  if (state.xyImportFlag) {
    const std::optional<std::string> answer =
        platform.prompts.input("Please enter a title", "PDF Caption", "XY-Data Import");
    if (!answer)
      return std::nullopt;
    title = *answer;
  }
  if (state.junctionShown)
    title = state.junctionTitle;
  if (model.partsFlag)
    title = state.captionOverride;
  return title;
}

void saveImageSequence(Form1& form, Platform& platform, const Model& model)
{
  const std::optional<std::string> title = sequenceTitle(form, platform, model);
  if (!title)
    return;
  const std::optional<FileChoice> choice =
      askSaveName(platform.fileDialogs, platform.pump, "Save Animation",
                  form.startup().imagesFolder, kSequenceFilter, *title + "_sequence");
  if (!choice)
    return;
  const auto type = static_cast<SequenceType>(
      choice->filterIndex >= 1 && choice->filterIndex <= 3 ? choice->filterIndex : 1);

  dlgMOVIE dialog(&form, platform.prompts);
  dialog.exec();
  const MovieOptions options = dialog.options();
  if (options.frameCount < 0)
    return;

  const float step = rotationStepDegrees(options.rotationRange, options.frameCount);
  const float angle = keyRotateAngle(step);
  const RotationTurn turn = rotationTurn(options.rotationDirection);
  const std::string base = stripFileExt(choice->path);
  const std::string frameExt = type == SequenceType::Png ? ".png" : ".jpg";
  std::vector<std::string> frames;
  for (std::int32_t i = 1; i <= options.frameCount; ++i)
    frames.push_back(base + "_" + Format(i, "000") + frameExt);
  // The animation is the chosen file itself, its extension as typed.
  const std::string& gif = choice->path;
  std::vector<std::string> written = frames;
  if (type == SequenceType::Gif)
    written.push_back(gif);
  if (!confirmOverwrite(written, platform.prompts))
    return;
  // No stale frame of an older, longer run may join this one.
  for (const std::string& frame : frames)
    killFile(frame);

  CXXX& scene = form.scene();
  for (std::int32_t i = 1; i <= options.frameCount; ++i) {
    const std::string& frame = frames[static_cast<std::size_t>(i - 1)];
    form.setStatusText("Frame " + std::to_string(i));
    std::string failure;
    if (type == SequenceType::Png) {
      failure = savePngFrame(form, platform, frame);
    } else {
      const PictureSave saved = form.SavePIC("1", frame, static_cast<float>(options.jpegQuality));
      if (saved.outcome != SaveOutcome::Saved)
        failure = saved.reason;
    }
    if (!failure.empty()) {
      form.setStatusText("");
      platform.prompts.message("The frame " + frame + " could not be written.\r\n" + failure, "",
                               MessageIcon::Exclamation);
      return;
    }
    scene.keyRotate(turn.axis, static_cast<float>(turn.sign) * angle, 0);
  }
  form.setStatusText("");
  scene.keyRotate(turn.axis, -static_cast<float>(turn.sign) * angle
                                 * static_cast<float>(options.frameCount),
                  0);
  if (type == SequenceType::Gif) {
    if (makeAnimatedGIF(frames, gif, options.frameDelay, platform.prompts))
      form.setStatusPanel(1, savedText(gif));
  } else if (!frames.empty()) {
    form.setStatusPanel(1, savedText(frames.front() + " - " + getFileName(frames.back())));
  }
}

} // namespace tarvek
