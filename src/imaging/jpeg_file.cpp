// JPEG files through libjpeg: compressing a DIB, decoding files.
#include "imaging/jpeg_file.h"

#include "imaging/dib_section.h"
#include "runtime/atomic_file.h"
#include "runtime/file_util.h"
#include "runtime/picture_budget.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jerror.h>
#include <jpeglib.h>

namespace tarvek {

namespace {

// libjpeg reports errors by longjmp. The functions that call setjmp below
// hold only plain data, so no C++ object is skipped by a jump; the C++ side
// reads what they left in their job record after they return.
struct JumpingErrors {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

void jumpOnError(j_common_ptr cinfo)
{
  std::longjmp(reinterpret_cast<JumpingErrors*>(cinfo->err)->jump, 1);
}

// Warnings are counted by libjpeg itself; nothing goes to stderr.
void stayQuiet(j_common_ptr) {}

jpeg_error_mgr* jumpingErrors(JumpingErrors& errors)
{
  jpeg_std_error(&errors.pub);
  errors.pub.error_exit = jumpOnError;
  errors.pub.output_message = stayQuiet;
  return &errors.pub;
}

void keepMessage(j_common_ptr cinfo, char (&message)[JMSG_LENGTH_MAX])
{
  cinfo->err->format_message(cinfo, message);
}

// A growing malloc'd buffer for the compressed bytes. libjpeg's own memory
// destination loses its grown buffer when compression fails midway; this one
// always leaves data for the caller to free.
struct MemorySink {
  jpeg_destination_mgr pub;
  unsigned char* data;
  std::size_t capacity;
  std::size_t size;
};

void sinkStart(j_compress_ptr cinfo)
{
  auto* sink = reinterpret_cast<MemorySink*>(cinfo->dest);
  constexpr std::size_t kFirstBlock = 64 * 1024;
  sink->data = static_cast<unsigned char*>(std::malloc(kFirstBlock));
  if (!sink->data)
    ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
  sink->capacity = kFirstBlock;
  sink->pub.next_output_byte = sink->data;
  sink->pub.free_in_buffer = sink->capacity;
}

boolean sinkGrow(j_compress_ptr cinfo)
{
  auto* sink = reinterpret_cast<MemorySink*>(cinfo->dest);
  const std::size_t used = sink->capacity;
  auto* bigger = static_cast<unsigned char*>(std::realloc(sink->data, used * 2));
  if (!bigger)
    ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 1);
  sink->data = bigger;
  sink->capacity = used * 2;
  sink->pub.next_output_byte = sink->data + used;
  sink->pub.free_in_buffer = sink->capacity - used;
  return TRUE;
}

void sinkEnd(j_compress_ptr cinfo)
{
  auto* sink = reinterpret_cast<MemorySink*>(cinfo->dest);
  sink->size = sink->capacity - sink->pub.free_in_buffer;
}

enum class EncodeOutcome { Done, SetupFailed, Failed };

struct EncodeJob {
  const std::uint8_t* bits;  // bottom row first, blue green red
  int width;
  int height;
  std::size_t stride;
  int quality;
  MemorySink sink;
  int errorCode;
  char message[JMSG_LENGTH_MAX];
};

// Fills job.sink; feeds the memory rows from the last (the image's top row)
// down, so the file is upright.
EncodeOutcome encode(EncodeJob& job)
{
  jpeg_compress_struct cinfo;
  JumpingErrors errors;
  cinfo.err = jumpingErrors(errors);
  // Set before the create call, so a jump from inside it finds them empty.
  cinfo.global_state = 0;
  cinfo.mem = nullptr;
  if (setjmp(errors.jump)) {
    keepMessage(reinterpret_cast<j_common_ptr>(&cinfo), job.message);
    job.errorCode = errors.pub.msg_code;
    const bool created = cinfo.global_state != 0;
    jpeg_destroy_compress(&cinfo);
    return created ? EncodeOutcome::Failed : EncodeOutcome::SetupFailed;
  }
  jpeg_create_compress(&cinfo);
  job.sink.pub.init_destination = sinkStart;
  job.sink.pub.empty_output_buffer = sinkGrow;
  job.sink.pub.term_destination = sinkEnd;
  cinfo.dest = &job.sink.pub;
  cinfo.image_width = static_cast<JDIMENSION>(job.width);
  cinfo.image_height = static_cast<JDIMENSION>(job.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, job.quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    const std::size_t memoryRow = static_cast<std::size_t>(job.height) - 1 - cinfo.next_scanline;
    JSAMPROW row = const_cast<JSAMPROW>(job.bits + memoryRow * job.stride);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return EncodeOutcome::Done;
}

const char* const kSaveFailed = "Speichern fehlgeschlagen";

// What one decode may hold at once: the file's bytes, the decoder's own
// buffers (a progressive picture keeps all its coefficients) and the rows
// decoded. A picture that needs more is refused rather than allocated.
constexpr std::int64_t kDecodeBudget = std::int64_t{256} << 20;
// No real picture has more scans; a file of many tiny scans makes the
// decoder go over the whole picture for each of them.
constexpr int kMostScans = 100;

struct DecodeJob {
  const unsigned char* data;
  unsigned long size;
  bool headerOnly;
  int leastWidth;   // a reduced decode no smaller than this; 0: full size
  int leastHeight;
  int width;        // the picture's size from its header
  int height;
  int outWidth;     // the size decoded
  int outHeight;
  unsigned char* pixels;  // malloc'd RGB rows, top first; the caller frees
  bool tooLarge;
  bool outsideBudget;  // the picture's own size is outside the picture budget
  int warnings;
  char message[JMSG_LENGTH_MAX];
};

// The start-of-scan markers in the bytes. Coded data never holds one (a
// 0xFF there is followed by 0 or a restart number), so this counts every
// scan, and the scans of an embedded thumbnail besides.
long scanMarkers(const unsigned char* data, unsigned long size)
{
  long count = 0;
  for (unsigned long i = 0; i + 1 < size; ++i)
    count += data[i] == 0xFF && data[i + 1] == 0xDA ? 1 : 0;
  return count;
}

bool decode(DecodeJob& job)
{
  jpeg_decompress_struct cinfo;
  JumpingErrors errors;
  cinfo.err = jumpingErrors(errors);
  if (setjmp(errors.jump)) {
    keepMessage(reinterpret_cast<j_common_ptr>(&cinfo), job.message);
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  cinfo.mem = nullptr;
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, job.data, job.size);
  jpeg_read_header(&cinfo, TRUE);
  job.width = static_cast<int>(cinfo.image_width);
  job.height = static_cast<int>(cinfo.image_height);
  if (job.headerOnly) {
    jpeg_destroy_decompress(&cinfo);
    return true;
  }
  if (!pictureBudgetRefusal("", job.width, job.height).empty()) {
    job.outsideBudget = true;
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  cinfo.out_color_space = JCS_RGB;
  if (job.leastWidth > 0 && job.leastHeight > 0) {
    // libjpeg scales by 1/2, 1/4 or 1/8 while decoding; the smallest that
    // still covers the size asked for.
    for (const int denominator : {8, 4, 2}) {
      if ((job.width + denominator - 1) / denominator >= job.leastWidth
          && (job.height + denominator - 1) / denominator >= job.leastHeight) {
        cinfo.scale_num = 1;
        cinfo.scale_denom = static_cast<unsigned int>(denominator);
        break;
      }
    }
  }
  jpeg_calc_output_dimensions(&cinfo);
  const std::int64_t held = std::int64_t{3} * cinfo.output_width * cinfo.output_height
                            + static_cast<std::int64_t>(job.size);
  if (held >= kDecodeBudget) {
    job.tooLarge = true;
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  // The decoder's buffers beyond what is left fail instead of growing.
  cinfo.mem->max_memory_to_use = static_cast<long>(kDecodeBudget - held);
  jpeg_start_decompress(&cinfo);
  job.outWidth = static_cast<int>(cinfo.output_width);
  job.outHeight = static_cast<int>(cinfo.output_height);
  // The rows grow with the data decoded, and the first warning (data missing
  // or damaged, which refuses the picture anyway) ends the decoding: a header
  // claiming a huge picture over a few bytes costs only the rows present.
  const std::size_t stride = std::size_t{3} * static_cast<std::size_t>(job.outWidth);
  const std::size_t total = stride * static_cast<std::size_t>(job.outHeight);
  std::size_t capacity = 0;
  while (cinfo.output_scanline < cinfo.output_height && errors.pub.num_warnings == 0) {
    const std::size_t need = stride * (cinfo.output_scanline + 1);
    if (need > capacity) {
      const std::size_t grown = std::min(total, std::max(need, capacity * 2));
      auto* more = static_cast<unsigned char*>(std::realloc(job.pixels, grown));
      if (!more)
        ERREXIT1(&cinfo, JERR_OUT_OF_MEMORY, 2);
      job.pixels = more;
      capacity = grown;
    }
    JSAMPROW row = job.pixels + stride * cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  if (cinfo.output_scanline == cinfo.output_height)
    jpeg_finish_decompress(&cinfo);
  job.warnings = static_cast<int>(errors.pub.num_warnings);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

// Runs decode over the file's bytes; the message when it fails.
std::string decodeFile(const std::string& path, DecodeJob& job, std::string& bytes)
{
  if (const FileStatus status = readFileBytes(path, bytes); !status)
    return status.error();
  job.data = reinterpret_cast<const unsigned char*>(bytes.data());
  job.size = static_cast<unsigned long>(bytes.size());
  // Each scan of a progressive picture goes over the whole picture again.
  if (!job.headerOnly && scanMarkers(job.data, job.size) > kMostScans)
    return "The JPEG picture " + path + " has more than " + std::to_string(kMostScans)
           + " scans, more than any real picture.";
  const bool decoded = decode(job);
  if (job.outsideBudget)
    return pictureBudgetRefusal(pictureFileName(path), job.width, job.height);
  if (job.tooLarge) {
    return "The picture " + path + " is too large to open (" + std::to_string(job.width) + " x "
           + std::to_string(job.height) + " pixels).";
  }
  if (!decoded)
    return "The file " + path + " is no readable JPEG picture: " + job.message;
  if (job.warnings > 0)
    return "The JPEG picture " + path + " is damaged or incomplete.";
  return std::string();
}

} // namespace

bool saveJPG(const cDIBSection& dib, const std::string& fileName, std::int32_t quality)
{
  if (!dib.isValid())
    throw JpegError(kSaveFailed, fileName + ": the picture holds no pixels");
  EncodeJob job{};
  job.bits = dib.DIBSectionBitsPtr();
  job.width = dib.width();
  job.height = dib.height();
  job.stride = static_cast<std::size_t>(dib.BytesPerScanLine());
  job.quality = std::clamp(quality, 1, 100);
  const EncodeOutcome outcome = encode(job);
  const std::string compressed = outcome == EncodeOutcome::Done
                                     ? std::string(reinterpret_cast<char*>(job.sink.data), job.sink.size)
                                     : std::string();
  std::free(job.sink.data);
  if (outcome == EncodeOutcome::SetupFailed) {
    throw JpegError("JPEG-Library kann nicht initialisiert werden: " + std::to_string(job.errorCode),
                    fileName + ": " + job.message);
  }
  if (outcome == EncodeOutcome::Failed)
    throw JpegError(kSaveFailed, fileName + ": " + job.message);
  if (const FileStatus status = writeFileAtomic(fileName, compressed); !status)
    throw JpegError(kSaveFailed, status.error());
  return true;
}

namespace {

JpegPicture decodePicture(const std::string& path, int leastWidth, int leastHeight)
{
  DecodeJob job{};
  job.leastWidth = leastWidth;
  job.leastHeight = leastHeight;
  std::string bytes;
  JpegPicture picture;
  picture.error = decodeFile(path, job, bytes);
  if (picture.ok()) {
    picture.width = job.outWidth;
    picture.height = job.outHeight;
    picture.rgb.assign(job.pixels, job.pixels + std::size_t{3} * static_cast<std::size_t>(job.outWidth)
                                                    * static_cast<std::size_t>(job.outHeight));
  }
  std::free(job.pixels);
  return picture;
}

} // namespace

JpegPicture readJpegFile(const std::string& path)
{
  return decodePicture(path, 0, 0);
}

JpegPicture readJpegFileReduced(const std::string& path, std::int32_t leastWidth,
                                std::int32_t leastHeight)
{
  return decodePicture(path, std::max(leastWidth, 1), std::max(leastHeight, 1));
}

std::optional<PixelSize> jpegPixelSize(const std::string& path)
{
  DecodeJob job{};
  job.headerOnly = true;
  std::string bytes;
  if (!decodeFile(path, job, bytes).empty())
    return std::nullopt;
  return PixelSize{job.width, job.height};
}

} // namespace tarvek
