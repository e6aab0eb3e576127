#include "x3d/output_file.h"

#include <algorithm>
#include <cstring>

#include "x3d/number_text.h"

namespace facetor {

OutputFile::OutputFile() : buffer_(new char[kBufferBytes]) {}

OutputFile::~OutputFile() {
  if (file_ != nullptr) std::fclose(file_);
}

bool OutputFile::open(const std::string& path) {
  if (file_ != nullptr) close();
  file_ = std::fopen(path.c_str(), "wb");
  used_ = 0;
  failed_ = false;
  if (file_ == nullptr) return false;
  // The buffer here is the only one: the stream hands every block straight to the system.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  return true;
}

void OutputFile::write(std::string_view text) {
  while (!text.empty()) {
    if (used_ == kBufferBytes) flush();
    std::size_t part = std::min(text.size(), kBufferBytes - used_);
    std::memcpy(buffer_.get() + used_, text.data(), part);
    used_ += part;
    text.remove_prefix(part);
  }
}

void OutputFile::writeInt(std::int64_t value) { commit(formatInt(reserve(kNumberChars), value)); }

void OutputFile::writeFixed(double value, int decimals) {
  commit(formatFixed(reserve(kNumberChars), value, decimals));
}

void OutputFile::flush() {
  if (used_ != 0 && file_ != nullptr && !failed_) {
    failed_ = std::fwrite(buffer_.get(), 1, used_, file_) != used_;
  }
  used_ = 0;
}

bool OutputFile::close() {
  if (file_ == nullptr) return !failed_;
  flush();
  bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  return closed && !failed_;
}

}  // namespace facetor
