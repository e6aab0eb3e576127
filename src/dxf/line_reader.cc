#include "dxf/line_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define FACETOR_LINE_FEEDS_SSE2 1
#endif

namespace facetor {
namespace {

constexpr std::ptrdiff_t kChunkSize = 64;

// The line feeds among the 64 bytes at `p`: bit i is set when p[i] is a line feed.
std::uint64_t lineFeedMask(const char* p) {
#if defined(FACETOR_LINE_FEEDS_SSE2)
  const __m128i lineFeeds = _mm_set1_epi8('\n');
  std::uint64_t mask = 0;
  for (int i = 0; i < 4; ++i) {
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
    auto bits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lineFeeds)));
    mask |= std::uint64_t{bits} << (16 * i);
  }
  return mask;
#else
  constexpr std::uint64_t kLow7 = 0x7f7f7f7f7f7f7f7fu;
  constexpr std::uint64_t kLineFeeds = 0x0a0a0a0a0a0a0a0au;
  std::uint64_t mask = 0;
  for (int i = 0; i < 8; ++i) {
    std::uint64_t word = 0;
    for (int b = 0; b < 8; ++b) {  // byte b of the word is p[8 * i + b], whatever the byte order
      word |= std::uint64_t{static_cast<unsigned char>(p[8 * i + b])} << (8 * b);
    }
    word ^= kLineFeeds;  // a line feed becomes a zero byte
    // The high bit of each byte that is zero, exactly (no carry crosses a byte).
    std::uint64_t zeros = ~(((word & kLow7) + kLow7) | word | kLow7);
    // Gathers the eight high bits into the low byte, byte b to bit b.
    mask |= ((zeros >> 7) * 0x0102040810204080u >> 56) << (8 * i);
  }
  return mask;
#endif
}

}  // namespace

LineReader::LineReader(std::size_t maxKept, std::size_t blockSize)
    : maxKept_(maxKept),
      spillLimit_(maxKept < kWholeLines ? maxKept + 1 : kWholeLines),
      block_(new char[blockSize]),
      blockSize_(blockSize) {
  cur_ = end_ = scanned_ = block_.get();
  if (maxKept_ < kWholeLines) spill_.reserve(spillLimit_);
}

LineReader::~LineReader() { close(); }

void LineReader::attach(std::FILE* file) {
  close();
  file_ = file;
  restart();
}

bool LineReader::open(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  attach(file);
  return true;
}

void LineReader::close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

void LineReader::restart() {
  if (file_ != nullptr) {
    std::fseek(file_, 0, SEEK_SET);
    std::clearerr(file_);
  }
  cur_ = end_ = scanned_ = block_.get();
  lineFeeds_ = 0;
  held_.clear();
  line_ = {};
  atEnd_ = false;
  lineNo_ = 0;
}

// Scans chunks until one holds a line feed; false when fewer than a chunk's bytes are left.
bool LineReader::scanChunks() {
  while (lineFeeds_ == 0) {
    if (end_ - scanned_ < kChunkSize) return false;
    lineFeeds_ = lineFeedMask(scanned_);
    chunk_ = scanned_;
    scanned_ += kChunkSize;
  }
  return true;
}

// Fewer than a chunk's bytes are left unscanned in the block: the line ends among them, or
// runs past the end of the block. Chunks start again at the next line.
bool LineReader::readLineNearBlockEnd() {
  const char* newline = static_cast<const char*>(
      std::memchr(scanned_, '\n', static_cast<std::size_t>(end_ - scanned_)));
  bool delivered = true;
  if (newline != nullptr) {
    deliver(newline);
  } else {
    delivered = readLineAcrossBlocks();
  }
  scanned_ = cur_;
  lineFeeds_ = 0;
  return delivered;
}

bool LineReader::refill() {
  if (file_ == nullptr) return false;
  std::size_t got = std::fread(block_.get(), 1, blockSize_, file_);
  cur_ = block_.get();
  end_ = cur_ + got;
  return got != 0;
}

// The slow path: the line runs past the end of the block (or the block is spent). The kept
// characters gather in spill_; the rest of an overlong line is skipped block by block.
bool LineReader::readLineAcrossBlocks() {
  // The previous line may point into the block that is about to be refilled.
  if (line_.data() != held_.data()) {
    held_.assign(line_);
    line_ = held_;
  }
  spill_.clear();
  std::size_t total = 0;
  char last = '\0';
  for (;;) {
    if (cur_ == end_ && !refill()) {
      atEnd_ = true;
      if (total == 0) return false;  // nothing delivered: the last line stays
      if (last == '\r') --total;
      line_ = std::string_view(spill_).substr(0, std::min(total, maxKept_));
      return true;
    }
    const char* newline =
        static_cast<const char*>(std::memchr(cur_, '\n', static_cast<std::size_t>(end_ - cur_)));
    const char* stop = newline != nullptr ? newline : end_;
    std::size_t chunk = static_cast<std::size_t>(stop - cur_);
    if (chunk != 0) {
      // One character more than is kept, so that a CR before the line end can be dropped.
      spill_.append(cur_, std::min(chunk, spillLimit_ - spill_.size()));
      last = stop[-1];
      total += chunk;
    }
    if (newline != nullptr) {
      cur_ = newline + 1;
      if (last == '\r') --total;
      line_ = std::string_view(spill_).substr(0, std::min(total, maxKept_));
      return true;
    }
    cur_ = end_;
  }
}

}  // namespace facetor
