// JPEG files decoded into 24-bit RGB rows on a worker thread.
#include "pdfwriter/jpeg_reader.h"

#include "pdfwriter/image_loader.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>
#include <system_error>


#include <jpeglib.h>
#include <jerror.h>

namespace quillet {

struct JpegRows::Board {
  std::FILE* file = nullptr;
  std::mutex mutex;
  std::condition_variable changed;
  // Set by the decoder before `sized`. The buffer is never cleared, as
  // every row is written before it is handed out; it moves while an
  // arithmetic-coded picture grows, whose rows are handed out only at the
  // end.
  std::int32_t width = 0;
  std::int32_t height = 0;
  // The size the header claims, kept for the budget's refusal.
  std::uint64_t claimedWidth = 0;
  std::uint64_t claimedHeight = 0;
  std::unique_ptr<std::uint8_t, FreeDeleter> pixels;
  std::size_t rowsHeld = 0;
  // Under the mutex.
  bool sized = false;
  bool ended = false;
  int code = kImageOk;
  // Rows the consumer may take, and how many it sleeps until (kNoWaiter
  // while it does not): the decoder wakes it only then, not for every row.
  std::atomic<std::int32_t> ready{0};
  std::atomic<std::int32_t> awaited{kNoWaiter};
  std::atomic<bool> abandoned{false};

  static constexpr std::int32_t kNoWaiter = std::numeric_limits<std::int32_t>::max();
};

namespace {

using Board = JpegRows::Board;

constexpr std::uint64_t kJpegMaxPixelsPerByte = 8 * 64;

// No real picture has more scans; a file of many tiny scans makes the
// decoder go over the whole picture for each of them.
constexpr long kJpegMostScans = 100;

struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  bool dataEnded = false;
  bool tooManyScans = false;
};

void jpegErrorExit(j_common_ptr info)
{
  std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void jpegSilent(j_common_ptr) {}

// libjpeg pads an image whose data ends early (at the end of the file or at
// a marker) with gray; the reader stops there instead, so a header claiming
// a huge image costs only the rows present.
void jpegMessage(j_common_ptr info, int level)
{
  auto* error = reinterpret_cast<JpegError*>(info->err);
  if (level < 0 &&
      (error->manager.msg_code == JWRN_JPEG_EOF || error->manager.msg_code == JWRN_HIT_MARKER))
    error->dataEnded = true;
}

// The file read in large blocks: libjpeg decodes an MCU by its fast path
// only while the buffer holds enough data for it, which its own 4096-byte
// file buffer often does not. The block lives in the decompressor's pool.
//
// Each block's start-of-scan markers are counted as it arrives, before the
// decoder sees its bytes. Coded data never holds one (a 0xFF there is
// followed by 0 or a restart number), so this counts every scan, and the
// scans of an embedded thumbnail besides.
struct BlockSource {
  jpeg_source_mgr manager;
  std::FILE* file;
  JOCTET* block;
  long scans;
  bool lastWasFF;
};

constexpr std::size_t kJpegReadBlock = 65536;

void blockSourceInit(j_decompress_ptr) {}

void countScans(j_decompress_ptr info, BlockSource& source, std::size_t count)
{
  const JOCTET* bytes = source.block;
  if (source.lastWasFF && bytes[0] == 0xDA)
    ++source.scans;
  for (std::size_t i = 0;;) {
    const void* mark = std::memchr(bytes + i, 0xFF, count - i);
    if (!mark)
      break;
    i = std::size_t(static_cast<const JOCTET*>(mark) - bytes) + 1;
    if (i < count && bytes[i] == 0xDA)
      ++source.scans;
  }
  source.lastWasFF = bytes[count - 1] == 0xFF;
  if (source.scans > kJpegMostScans) {
    reinterpret_cast<JpegError*>(info->err)->tooManyScans = true;
    (*info->err->error_exit)(reinterpret_cast<j_common_ptr>(info));
  }
}

boolean blockSourceFill(j_decompress_ptr info)
{
  auto* source = reinterpret_cast<BlockSource*>(info->src);
  std::size_t count = std::fread(source->block, 1, kJpegReadBlock, source->file);
  if (count == 0) {
    // As libjpeg's own source does: warn, then end the data with an EOI.
    WARNMS(info, JWRN_JPEG_EOF);
    source->block[0] = 0xFF;
    source->block[1] = JPEG_EOI;
    count = 2;
  } else {
    countScans(info, *source, count);
  }
  source->manager.next_input_byte = source->block;
  source->manager.bytes_in_buffer = count;
  return TRUE;
}

void blockSourceSkip(j_decompress_ptr info, long count)
{
  jpeg_source_mgr& manager = *info->src;
  while (count > static_cast<long>(manager.bytes_in_buffer)) {
    count -= static_cast<long>(manager.bytes_in_buffer);
    blockSourceFill(info);
  }
  if (count > 0) {
    manager.next_input_byte += count;
    manager.bytes_in_buffer -= static_cast<std::size_t>(count);
  }
}

void blockSourceTerm(j_decompress_ptr) {}

void useBlockSource(j_decompress_ptr info, std::FILE* file)
{
  auto* source = static_cast<BlockSource*>((*info->mem->alloc_small)(
      reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sizeof(BlockSource)));
  source->block = static_cast<JOCTET*>((*info->mem->alloc_large)(
      reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, kJpegReadBlock));
  source->file = file;
  source->scans = 0;
  source->lastWasFF = false;
  source->manager.init_source = blockSourceInit;
  source->manager.fill_input_buffer = blockSourceFill;
  source->manager.skip_input_data = blockSourceSkip;
  source->manager.resync_to_restart = jpeg_resync_to_restart;
  source->manager.term_source = blockSourceTerm;
  source->manager.bytes_in_buffer = 0;
  source->manager.next_input_byte = nullptr;
  info->src = &source->manager;
}

// Makes room for `rows` rows of at most `totalRows`, doubling so that rows
// decoded one by one cost few moves.
int holdRows(Board& board, std::size_t rows, std::size_t totalRows)
{
  if (rows <= board.rowsHeld)
    return kImageOk;
  const std::size_t bytes =
      std::min(totalRows, std::max(rows, board.rowsHeld * 2)) * std::size_t(board.width) * 3;
  void* grown = std::realloc(board.pixels.get(), bytes);
  if (!grown)
    return kImageNoMemory;
  static_cast<void>(board.pixels.release());
  board.pixels.reset(static_cast<std::uint8_t*>(grown));
  board.rowsHeld = bytes / (std::size_t(board.width) * 3);
  return kImageOk;
}

// Checks the size the header claims and makes room for the raster, then
// lets the consumer know the size. Huffman-coded data spends at least one
// bit on every 8 x 8 block, so a file cannot hold more pixels than this; an
// image that fits is given its whole raster at once. Arithmetic-coded data
// has no such bound: its rows grow as they are decoded.
int sizeRaster(Board& board, const jpeg_decompress_struct& info)
{
  const std::uint64_t width = info.image_width, height = info.image_height;
  board.claimedWidth = width;
  board.claimedHeight = height;
  const auto side = static_cast<std::uint64_t>(kLargestPictureSide);
  // Noted as the last error by finish, on the consumer's thread.
  if (width > side || height > side ||
      width * height > static_cast<std::uint64_t>(kLargestPicturePixels))
    return kImageOverBudget;
  if (width == 0 || height == 0)
    return kImageZeroSize;
  board.width = static_cast<std::int32_t>(width);
  board.height = static_cast<std::int32_t>(height);
  if (!info.arith_code && width * height > (fileSize(board.file) + 1) * kJpegMaxPixelsPerByte)
    return kImageReadError;
  if (const int code = holdRows(board, info.arith_code ? 1 : height, height); code != kImageOk)
    return code;
  {
    const std::lock_guard lock(board.mutex);
    board.sized = true;
  }
  board.changed.notify_all();
  return kImageOk;
}

// Both sides store, then load the other's value, all sequentially
// consistent: either the consumer sees the rows before it sleeps, or the
// decoder sees it waiting and wakes it under the mutex it sleeps by.
void publishRows(Board& board, std::int32_t rows)
{
  board.ready.store(rows);
  if (rows < board.awaited.load())
    return;
  { const std::lock_guard lock(board.mutex); }
  board.changed.notify_all();
}

void expandGray(const JSAMPLE* gray, std::uint8_t* rgb, JDIMENSION width)
{
  for (JDIMENSION x = 0; x < width; ++x)
    std::memset(rgb + std::size_t(x) * 3, gray[x], 3);
}

// No C++ object lives across the jump: the rows are the board's, which is
// written into, never constructed here. Each row but the last is handed to
// the consumer as it is finished; the rows of a growing buffer only at the
// end, by the caller.
int decode(Board& board)
{
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = jpegErrorExit;
  error.manager.output_message = jpegSilent;
  error.manager.emit_message = jpegMessage;
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&info);
    return error.tooManyScans ? kImageCorrupt : kImageLibraryFailed;
  }
  jpeg_create_decompress(&info);
  // Buffers of a progressive file beyond the budget fail instead of growing.
  info.mem->max_memory_to_use = static_cast<long>(kMaxRasterBytes);
  useBlockSource(&info, board.file);
  jpeg_read_header(&info, TRUE);
  int code = info.out_color_space == JCS_GRAYSCALE || info.out_color_space == JCS_RGB
                 ? sizeRaster(board, info)
                 : kImageUnsupported;
  if (code != kImageOk) {
    jpeg_destroy_decompress(&info);
    return code;
  }
  jpeg_start_decompress(&info);
  if (info.output_components != info.num_components) {
    jpeg_destroy_decompress(&info);
    return kImageUnsupported;
  }
  const JSAMPARRAY gray =
      info.num_components == 1
          ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                      info.output_width, 1)
          : nullptr;
  const std::size_t stride = std::size_t(info.output_width) * 3;
  const std::int32_t lastRow = board.height - 1;
  while (info.output_scanline < info.output_height && !error.dataEnded) {
    const JDIMENSION y = info.output_scanline;
    code = board.abandoned.load(std::memory_order_relaxed)
               ? kImageReadError
               : holdRows(board, y + 1, info.output_height);
    if (code != kImageOk) {
      jpeg_destroy_decompress(&info);
      return code;
    }
    JSAMPROW row = board.pixels.get() + std::size_t(y) * stride;
    if (gray) {
      jpeg_read_scanlines(&info, gray, 1);
      expandGray(gray[0], row, info.output_width);
    } else {
      jpeg_read_scanlines(&info, &row, 1);
    }
    if (!info.arith_code && std::int32_t(y) < lastRow)
      publishRows(board, std::int32_t(y) + 1);
  }
  if (error.dataEnded) {
    jpeg_destroy_decompress(&info);
    return kImageReadError;
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return kImageOk;
}

void run(Board& board)
{
  const int code = decode(board);
  {
    const std::lock_guard lock(board.mutex);
    board.code = code;
    board.ended = true;
    if (code == kImageOk)
      board.ready.store(board.height, std::memory_order_release);
  }
  board.changed.notify_all();
}

} // namespace

JpegRows::JpegRows(std::FILE* file)
  : m_board(std::make_unique<Board>())
{
  m_board->file = file;
  try {
    m_worker = std::thread(run, std::ref(*m_board));
  } catch (const std::system_error&) {
    // No thread to be had: the rows are decoded here instead.
    run(*m_board);
  }
  std::unique_lock lock(m_board->mutex);
  m_board->changed.wait(lock, [this] { return m_board->sized || m_board->ended; });
  if (m_board->sized) {
    m_width = m_board->width;
    m_height = m_board->height;
  }
}

JpegRows::~JpegRows()
{
  if (m_worker.joinable()) {
    m_board->abandoned.store(true, std::memory_order_relaxed);
    m_worker.join();
  }
}

const unsigned char* JpegRows::row(int y)
{
  if (y < 0 || y >= m_height)
    return nullptr;
  Board& board = *m_board;
  if (y >= board.ready.load(std::memory_order_acquire)) {
    // Once it has to wait, it waits for a batch: the compressor takes its
    // rows in groups of up to 16 anyway, and each wake costs the decoder.
    const std::int32_t target = std::min(y + kRowBatch, m_height);
    std::unique_lock lock(board.mutex);
    board.awaited.store(target);
    board.changed.wait(lock, [&] { return board.ready.load() >= target || board.ended; });
    board.awaited.store(Board::kNoWaiter);
    if (y >= board.ready.load())
      return nullptr;
  }
  return board.pixels.get() + std::size_t(y) * std::size_t(m_width) * 3;
}

int JpegRows::finish()
{
  if (m_worker.joinable())
    m_worker.join();
  if (m_board->code == kImageOverBudget)
    noteOverBudget(m_board->claimedWidth, m_board->claimedHeight);
  return m_board->code;
}

} // namespace quillet
