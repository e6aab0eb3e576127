#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace facetor {

/// The X3D output: a file written through one large buffer. Text goes into the file exactly as
/// given, so line ends are written as CR LF by the caller. A write that fails is not reported
/// on the spot: the failure is kept, later text is dropped, and close() reports it.
class OutputFile {
 public:
  static constexpr std::size_t kBufferBytes = std::size_t{1} << 20;

  OutputFile();
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  /// Creates the file, or empties an existing one, for writing. False when it cannot be opened.
  bool open(const std::string& path);
  bool isOpen() const { return file_ != nullptr; }

  void write(std::string_view text);
  /// Writes `value` in decimal.
  void writeInt(std::int64_t value);
  /// Writes `value` in fixed notation with `decimals` decimals; a zero has no minus sign.
  void writeFixed(double value, int decimals);

  /// Room for `bytes` (at most kBufferBytes) characters at the end of the text; what is put
  /// there counts once commit() is given its end.
  char* reserve(std::size_t bytes) {
    if (kBufferBytes - used_ < bytes) flush();
    return buffer_.get() + used_;
  }
  void commit(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.get()); }

  /// True once a write into the file has failed.
  bool failed() const { return failed_; }

  /// Writes what the buffer holds and closes the file. False when any write since open(), or
  /// the close itself, failed: the file on disk is then not the whole text.
  bool close();

 private:
  void flush();

  std::FILE* file_ = nullptr;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  bool failed_ = false;
};

}  // namespace facetor
