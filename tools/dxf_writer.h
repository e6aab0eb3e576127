#pragma once

#include <array>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace facetor::tools {

struct Corner {
  float x = 0;
  float y = 0;
  float z = 0;
};

/// Writes DXF text in the layout facetor reads: a header section, an ENTITIES section of
/// 3DFACEs (name, layer pair, 62 pair, twelve corner pairs) and the closing EOF pair.
class DxfWriter {
 public:
  explicit DxfWriter(bool crlf = true) : lineEnd_(crlf ? "\r\n" : "\n") {}

  /// The opening of the file: the ENTITIES section starts.
  DxfWriter& begin() { return pair("0", "SECTION").pair("2", "ENTITIES"); }

  DxfWriter& face(std::int32_t color, const std::array<Corner, 4>& corners,
                  std::string_view layer = "0") {
    pair("0", "3DFACE").pair("8", layer);
    char number[32];
    auto end = std::to_chars(number, number + sizeof number, color).ptr;
    pair("62", std::string_view(number, static_cast<std::size_t>(end - number)));
    for (int i = 0; i < 4; ++i) {
      const Corner& c = corners[static_cast<std::size_t>(i)];
      coordinate(10 + i, c.x).coordinate(20 + i, c.y).coordinate(30 + i, c.z);
    }
    return *this;
  }

  /// The end of the section and of the file.
  DxfWriter& end() { return pair("0", "ENDSEC").pair("0", "EOF"); }

  DxfWriter& line(std::string_view text) {
    text_.append(text).append(lineEnd_);
    return *this;
  }
  DxfWriter& pair(std::string_view code, std::string_view value) { return line(code).line(value); }

  const std::string& text() const { return text_; }
  void clear() { text_.clear(); }

 private:
  DxfWriter& coordinate(int code, float value) {
    char number[64];
    auto codeEnd = std::to_chars(number, number + sizeof number, code).ptr;
    line(std::string_view(number, static_cast<std::size_t>(codeEnd - number)));
    auto valueEnd =
        std::to_chars(number, number + sizeof number, value, std::chars_format::fixed, 4).ptr;
    return line(std::string_view(number, static_cast<std::size_t>(valueEnd - number)));
  }

  std::string_view lineEnd_;
  std::string text_;
};

}  // namespace facetor::tools
