#pragma once

// Internal to the PDF writer: the image loader's JPEG reader. A file is
// decoded into packed 24-bit RGB rows (gray expanded) on a worker thread,
// whose rows a consumer takes as each is finished.

#include "pdfwriter/jpeg_memory.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <thread>

namespace quillet {

class JpegRows final : public JpegRowSource {
public:
  // Decodes the open file on a worker thread into a buffer of its own; the
  // file must stay open until finish() has returned or the object is gone.
  // Returns once the picture's size is known or decoding has failed.
  explicit JpegRows(std::FILE* file);
  // Stops a decode still running and waits for it.
  ~JpegRows();
  JpegRows(const JpegRows&) = delete;
  JpegRows& operator=(const JpegRows&) = delete;

  // 0 when decoding failed before the size was known.
  std::int32_t width() const { return m_width; }
  std::int32_t height() const { return m_height; }

  // Waits until row y is decoded; null when decoding failed first. The last
  // row comes only once the whole file has been read without fault, so a
  // consumer that took every row took a sound picture.
  const unsigned char* row(int y) override;

  // Waits until decoding has ended: kImageOk, or the image error code of
  // the failure.
  int finish();

  // What the decoder and the consumer share.
  struct Board;

private:
  static constexpr std::int32_t kRowBatch = 16;

  std::unique_ptr<Board> m_board;
  std::thread m_worker;
  std::int32_t m_width = 0;
  std::int32_t m_height = 0;
};

} // namespace quillet
