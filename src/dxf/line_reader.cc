#include "dxf/line_reader.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace facetor {

LineReader::LineReader(std::size_t maxKept, std::size_t blockSize)
    : maxKept_(maxKept),
      spillLimit_(maxKept < kWholeLines ? maxKept + 1 : kWholeLines),
      block_(new char[blockSize]),
      blockSize_(blockSize) {
  cur_ = end_ = block_.get();
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
  cur_ = end_ = block_.get();
  held_.clear();
  line_ = {};
  atEnd_ = false;
  lineNo_ = 0;
}

bool LineReader::readLine() {
  if (lineNo_ < std::numeric_limits<std::int32_t>::max()) ++lineNo_;
  const char* newline =
      static_cast<const char*>(std::memchr(cur_, '\n', static_cast<std::size_t>(end_ - cur_)));
  if (newline == nullptr) return readLineAcrossBlocks();
  std::size_t length = static_cast<std::size_t>(newline - cur_);
  if (length != 0 && newline[-1] == '\r') --length;
  line_ = std::string_view(cur_, std::min(length, maxKept_));
  cur_ = newline + 1;
  return true;
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
