#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

namespace facetor {

/// Reads a text file one physical line at a time through a large block buffer. A line ends at
/// LF or CR LF; the line end is not part of the line. No allocation happens per line and
/// memory stays the same whatever the length of the lines or of the file.
class LineReader {
 public:
  /// `maxKept` is how many characters of a line are kept; the rest of a longer line is read
  /// and dropped, so that the next read still starts at the next physical line.
  explicit LineReader(std::size_t maxKept, std::size_t blockSize = kDefaultBlockSize);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  /// Takes ownership of an open stream (binary mode). Any earlier stream is closed.
  void attach(std::FILE* file);
  /// Opens `path` for reading; false when it cannot be opened.
  bool open(const std::string& path);
  void close();
  bool isOpen() const { return file_ != nullptr; }

  /// Back to the first line; clears the end-of-file indicator and the line count.
  void restart();

  /// One read attempt; it always adds 1 to `lineNo`. Returns true when a line was delivered.
  /// A read that runs into the end of the file (no line left, or a last line without a line
  /// end) sets the end-of-file indicator; a read that delivers nothing keeps the last line.
  /// The usual case, a line feed already found in the block, is inline.
  bool readLine() {
    if (lineNo_ < std::numeric_limits<std::int32_t>::max()) ++lineNo_;
    if (lineFeeds_ == 0 && !scanChunks()) return readLineNearBlockEnd();
    const char* newline = chunk_ + std::countr_zero(lineFeeds_);
    lineFeeds_ &= lineFeeds_ - 1;
    deliver(newline);
    return true;
  }

  /// The last line delivered, at most `maxKept` characters, valid until the next read.
  std::string_view line() const { return line_; }
  bool atFileEnd() const { return atEnd_; }
  std::int32_t lineNo() const { return lineNo_; }

  static constexpr std::size_t kDefaultBlockSize = std::size_t{1} << 18;
  /// A `maxKept` that keeps every line whole.
  static constexpr std::size_t kWholeLines = static_cast<std::size_t>(-1);

 private:
  bool scanChunks();
  bool readLineNearBlockEnd();
  bool readLineAcrossBlocks();
  bool refill();
  // Delivers the line from cur_ to `newline`, the line feed that ends it.
  void deliver(const char* newline) {
    std::size_t length = static_cast<std::size_t>(newline - cur_);
    if (length != 0 && newline[-1] == '\r') --length;
    line_ = std::string_view(cur_, std::min(length, maxKept_));
    cur_ = newline + 1;
  }

  std::FILE* file_ = nullptr;
  std::size_t maxKept_;
  std::size_t spillLimit_;
  std::unique_ptr<char[]> block_;
  std::size_t blockSize_;
  const char* cur_ = nullptr;
  const char* end_ = nullptr;
  // Line feeds are looked for 64 bytes at a time, up to scanned_: bit i of lineFeeds_ is set
  // when chunk_[i] is a line feed not yet delivered, and every line feed between cur_ and
  // scanned_ has its bit there. Most lines are a few characters long, and taking the next line
  // feed from the mask costs less than a search that starts anew at every line.
  const char* scanned_ = nullptr;
  const char* chunk_ = nullptr;
  std::uint64_t lineFeeds_ = 0;
  std::string spill_;  // a line that spans blocks, at most spillLimit_ characters
  std::string held_;   // the last line, when its block is about to be refilled
  std::string_view line_;
  bool atEnd_ = false;
  std::int32_t lineNo_ = 0;
};

}  // namespace facetor
