#pragma once

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
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

  /// Writes the text built so far to `file` and clears it; the buffer keeps its capacity.
  /// False when the file took fewer bytes.
  bool flushTo(std::FILE* file) {
    bool written = std::fwrite(text_.data(), 1, text_.size(), file) == text_.size();
    text_.clear();
    return written;
  }

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

/// What writeDrawing produces.
struct DrawingOptions {
  std::uint64_t faces = 1000;     // the number of faces, when targetBytes is 0
  std::uint64_t targetBytes = 0;  // not 0: faces are added until the file is about this size
  std::int32_t colors = 8;        // distinct colors, 1 to 255, taken in turn face by face
  bool spreadColors = false;      // colors spread over 1 to 255 instead of 1 to `colors`
  bool crlf = true;
  std::uint64_t seed = 1;
};

/// What writeDrawing wrote.
struct DrawingSummary {
  bool ok = false;  // false when the file did not take every byte
  std::uint64_t faces = 0;
  std::int32_t colors = 0;  // distinct colors written
  std::uint64_t bytes = 0;
};

/// The color of the faces that take palette entry `index` (0 to options.colors - 1).
inline std::int32_t paletteColor(const DrawingOptions& options, std::int32_t index) {
  if (!options.spreadColors || options.colors < 2) return index + 1;
  return 1 + static_cast<std::int32_t>(std::int64_t{index} * 254 / (options.colors - 1));
}

/// Streams a drawing of 3DFACEs to `file` through a buffer of about a megabyte, so memory
/// stays the same whatever the size of the drawing. The faces take the colors of the palette
/// in turn and cycle through the layers "0", "WALLS", "0" and "ROOF-2". Their coordinates are
/// pseudo-random values of -1000 to 1000 with four decimals, a sixteenth of them 0, drawn from
/// `seed`; a quarter of the faces lie flat at z 0.0, and a quarter are triangles whose fourth
/// corner repeats the third. `colors` outside 1 to 255 writes nothing and is not ok.
inline DrawingSummary writeDrawing(std::FILE* file, const DrawingOptions& options) {
  constexpr std::size_t kFlushSize = std::size_t{1} << 20;
  constexpr std::string_view kLayers[] = {"0", "WALLS", "0", "ROOF-2"};
  DrawingSummary summary;
  if (options.colors < 1 || options.colors > 255) return summary;
  const std::uint64_t trailerBytes = DxfWriter(options.crlf).end().text().size();

  std::uint64_t state = options.seed;
  auto draw = [&state] {  // splitmix64
    std::uint64_t z = (state += 0x9e3779b97f4a7c15u);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    return z ^ (z >> 31);
  };
  auto coordinate = [&draw] {
    std::uint64_t bits = draw();
    if ((bits & 15u) == 0) return 0.0f;
    auto tenThousandths = static_cast<std::int64_t>((bits >> 8) % 20'000'001u) - 10'000'000;
    return static_cast<float>(static_cast<double>(tenThousandths) / 10000.0);
  };

  DxfWriter writer(options.crlf);
  writer.begin();
  bool ok = true;
  for (;;) {
    if (options.targetBytes != 0) {
      if (summary.bytes + writer.text().size() + trailerBytes >= options.targetBytes) break;
    } else if (summary.faces == options.faces) {
      break;
    }
    std::array<Corner, 4> corners;
    for (Corner& c : corners) c = {coordinate(), coordinate(), coordinate()};
    switch (draw() & 3u) {
      case 0:  // flat
        for (Corner& c : corners) c.z = 0.0f;
        break;
      case 1:  // a triangle
        corners[3] = corners[2];
        break;
      default:
        break;
    }
    auto slot =
        static_cast<std::int32_t>(summary.faces % static_cast<std::uint64_t>(options.colors));
    writer.face(paletteColor(options, slot), corners, kLayers[summary.faces % 4]);
    ++summary.faces;
    if (writer.text().size() >= kFlushSize) {
      summary.bytes += writer.text().size();
      ok = writer.flushTo(file) && ok;
    }
  }
  writer.end();
  summary.bytes += writer.text().size();
  ok = writer.flushTo(file) && ok;
  summary.ok = ok;
  summary.colors = static_cast<std::int32_t>(
      std::min<std::uint64_t>(summary.faces, static_cast<std::uint64_t>(options.colors)));
  return summary;
}

}  // namespace facetor::tools
