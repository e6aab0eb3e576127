#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dxf/face_record.h"
#include "dxf/line_reader.h"

namespace facetor {

enum class EntityScan { NotEntityStart, OtherEntity, FaceStart };
enum class ScanResult { Ended, CornerMismatch };

/// The reader shared by every scan of a DXF file. It reads the file as code/value pairs: a
/// group-code line and then its value line, which is the entity name when the code reads as
/// +0.0. A value line is never taken for a group code. Every scan starts at the first line,
/// and nothing is kept between scans but the one face record.
///
/// The accepted 3DFACE layout, from its group-code-0 line: the "3DFACE" name line, a layer
/// pair (not examined), group code 62 and the color index, then the twelve pairs 10, 20, 30,
/// 11, 21, 31, 12, 22, 32, 13, 23, 33 with the corner coordinates.
class DxfScanner {
 public:
  /// The characters of a line that are kept; the rest of a longer line is dropped.
  static constexpr std::size_t kLineChars = 255;
  /// The characters of an entity name line that are kept in entityName().
  static constexpr std::size_t kEntityNameChars = 15;

  DxfScanner();

  /// Opens a regular file for reading; false when it cannot be opened or is no regular file
  /// (a directory or a pipe could not be read again for every pass).
  bool open(const std::string& path);
  void close();
  bool isOpen() const { return reader_.isOpen(); }
  /// Back to the first line: lineNo and groupCode 0, end-of-file indicator and end test clear.
  void restart();

  /// One read attempt of one physical line; see LineReader::readLine.
  bool readLine() { return reader_.readLine(); }
  bool atFileEnd() const { return reader_.atFileEnd(); }
  /// The end test: the end of the file was reached, or the last entity name contains "EOF".
  bool endReached() const { return reader_.atFileEnd() || nameHoldsEof_; }

  /// One scan step: reads a group-code line and its value line.
  EntityScan nextEntity();
  /// After FaceStart: reads the layer pair and the 62 code line; false when that line is not
  /// 62, and then the color line is not read. Otherwise reads the color line into faceColor
  /// (-1 when it holds no number) and returns true.
  bool readFaceHeader();
  /// After a true readFaceHeader: reads the twelve corner pairs into the face record; false at
  /// the first code line that differs from the expected code, which groupCode and lineNo then
  /// identify.
  bool readCorners();

  /// The scan loop of one output pass: calls onFace(const FaceRecord&) for every complete face
  /// of `color`. Faces of other colors, and faces whose fifth line is not 62, are passed over.
  template <class OnFace>
  ScanResult scanColor(std::int32_t color, OnFace&& onFace);

  std::string_view lineBuf() const { return reader_.line(); }
  std::int32_t lineNo() const { return reader_.lineNo(); }
  std::int32_t groupCode() const { return groupCode_; }
  std::string_view entityName() const { return {entityName_, entityNameLength_}; }
  std::int32_t faceColor() const { return face_.color; }
  void setFaceColor(std::int32_t color) { face_.color = color; }
  const FaceRecord& face() const { return face_; }

 private:
  LineReader reader_;
  std::int32_t groupCode_ = 0;
  char entityName_[kEntityNameChars + 1] = {};
  std::size_t entityNameLength_ = 0;
  bool nameHoldsEof_ = false;
  FaceRecord face_;
};

template <class OnFace>
ScanResult DxfScanner::scanColor(std::int32_t color, OnFace&& onFace) {
  for (;;) {
    if (nextEntity() == EntityScan::FaceStart) {
      if (!readFaceHeader()) {
        readLine();  // the face's color line, so that the next read is a group code again
      } else if (face_.color == color) {
        if (!readCorners()) return ScanResult::CornerMismatch;
        onFace(static_cast<const FaceRecord&>(face_));
      }
    }
    if (endReached()) return ScanResult::Ended;
  }
}

}  // namespace facetor
