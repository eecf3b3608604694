// The image sequence's GIF: JPEG frames decoded one by one into the GIF writer.
#include "imaging/gif_assembly.h"

#include "imaging/gif_writer.h"
#include "imaging/jpeg_file.h"
#include "platform/prompts.h"
#include "runtime/file_util.h"
#include "runtime/path_util.h"

namespace tarvek {

namespace {

// The GIF, or the reason it could not be written.
std::string writeGif(const std::vector<std::string>& frameFiles, const std::string& outputFile,
                     std::int32_t frameDelay)
{
  if (frameFiles.empty())
    return "There is no frame to write to " + outputFile + ".";
  const std::vector<std::int32_t> delays =
      gifDelays(frameTimes(static_cast<std::int32_t>(frameFiles.size()), frameDelay));
  GifWriter writer(outputFile);
  for (std::size_t i = 0; i < frameFiles.size(); ++i) {
    const JpegPicture frame = readJpegFile(frameFiles[i]);
    if (!frame.ok())
      return frame.error;
    if (!writer.addFrame(frame.width, frame.height, frame.rgb.data(), delays[i]))
      return frameFiles[i] + ": " + writer.error();
  }
  if (!writer.finish())
    return writer.error();
  return std::string();
}

} // namespace

std::vector<std::int32_t> frameTimes(std::int32_t n, std::int32_t step)
{
  std::vector<std::int32_t> times;
  for (std::int32_t i = 0; i < n; ++i)
    times.push_back(i * step);
  return times;
}

bool makeAnimatedGIF(const std::vector<std::string>& frameFiles, const std::string& outputFile,
                     std::int32_t frameDelay, Prompts& prompts)
{
  const std::string reason = writeGif(frameFiles, outputFile, frameDelay);
  if (!reason.empty()) {
    const std::string folder = frameFiles.empty() ? getFilePath(outputFile)
                                                  : getFilePath(frameFiles.front());
    prompts.message("Error - " + reason + "\r\nThe frames are kept in " + folder + ".", "",
                    MessageIcon::None);
    return false;
  }
  for (const std::string& frame : frameFiles)
    killFile(frame);
  return true;
}

} // namespace tarvek
