#include "pdfwriter/jpeg_memory.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

namespace quillet {
namespace {

// libjpeg's own error exit ends the process; this one jumps back to
// encode(), whose frames hold no C++ objects.
struct JumpingErrors {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

void jumpOnError(j_common_ptr cinfo)
{
  std::longjmp(reinterpret_cast<JumpingErrors*>(cinfo->err)->jump, 1);
}

void stayQuiet(j_common_ptr) {}

// A growing malloc'd buffer; it stays valid however compression ends, so the
// caller can always free it.
struct MemorySink {
  jpeg_destination_mgr pub;
  unsigned char* data;
  std::size_t capacity;
  std::size_t size;
};

constexpr std::size_t kFirstSinkBlock = 65536;

void sinkInit(j_compress_ptr cinfo)
{
  auto* sink = reinterpret_cast<MemorySink*>(cinfo->dest);
  sink->data = static_cast<unsigned char*>(std::malloc(kFirstSinkBlock));
  if (!sink->data)
    ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
  sink->capacity = kFirstSinkBlock;
  sink->size = 0;
  sink->pub.next_output_byte = sink->data;
  sink->pub.free_in_buffer = sink->capacity;
}

boolean sinkGrow(j_compress_ptr cinfo)
{
  auto* sink = reinterpret_cast<MemorySink*>(cinfo->dest);
  // libjpeg calls this only with the buffer full.
  sink->size = sink->capacity;
  std::size_t grown = sink->capacity * 2;
  auto* bigger = static_cast<unsigned char*>(std::realloc(sink->data, grown));
  if (!bigger)
    ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 1);
  sink->data = bigger;
  sink->capacity = grown;
  sink->pub.next_output_byte = sink->data + sink->size;
  sink->pub.free_in_buffer = grown - sink->size;
  return TRUE;
}

void sinkTerm(j_compress_ptr cinfo)
{
  auto* sink = reinterpret_cast<MemorySink*>(cinfo->dest);
  sink->size = sink->capacity - sink->pub.free_in_buffer;
}

bool encode(const JpegSource& source, MemorySink& sink)
{
  jpeg_compress_struct cinfo;
  JumpingErrors errors;
  cinfo.err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = jumpOnError;
  errors.pub.output_message = stayQuiet;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  sink.pub.init_destination = sinkInit;
  sink.pub.empty_output_buffer = sinkGrow;
  sink.pub.term_destination = sinkTerm;
  cinfo.dest = &sink.pub;

  bool gray = source.components == 1;
  cinfo.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
  cinfo.input_components = gray ? 1 : 3;
  jpeg_set_defaults(&cinfo);
  jpeg_default_colorspace(&cinfo);
  jpeg_set_quality(&cinfo, source.quality, FALSE);
  cinfo.image_width = static_cast<JDIMENSION>(source.width);
  cinfo.image_height = static_cast<JDIMENSION>(source.height);
  jpeg_start_compress(&cinfo, TRUE);
  std::size_t stride = std::size_t(source.width) * std::size_t(cinfo.input_components);
  while (cinfo.next_scanline < cinfo.image_height) {
    const unsigned char* pixels = source.rows
                                      ? source.rows->row(static_cast<int>(cinfo.next_scanline))
                                      : source.pixels + stride * cinfo.next_scanline;
    if (!pixels) {
      jpeg_destroy_compress(&cinfo);
      return false;
    }
    JSAMPROW row = const_cast<JSAMPROW>(pixels);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

} // namespace

JpegData compressJpeg(const JpegSource& source)
{
  MemorySink sink{};
  bool ok = encode(source, sink);
  JpegData result;
  if (ok) {
    result.bytes.reset(sink.data);
    result.size = sink.size;
  } else {
    std::free(sink.data);
  }
  return result;
}

} // namespace quillet
