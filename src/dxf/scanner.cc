#include "dxf/scanner.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "dxf/numbers.h"
#include "platform/native_path.h"

namespace facetor {
namespace {

constexpr std::string_view kFaceName = "3DFACE";
constexpr std::string_view kEndName = "EOF";

bool contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace

DxfScanner::DxfScanner() : reader_(kLineChars) {}

bool DxfScanner::open(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(nativePath(path), error)) return false;
  if (!reader_.open(path)) return false;
  restart();
  return true;
}

void DxfScanner::close() { reader_.close(); }

void DxfScanner::restart() {
  reader_.restart();
  groupCode_ = 0;
  nameHoldsEof_ = false;
}

EntityScan DxfScanner::nextEntity() {
  readLine();
  readGroupCode(reader_.line(), groupCode_);
  nameHoldsEof_ = false;
  readLine();  // the value line; the entity name when the code is 0
  if (groupCode_ != 0) return EntityScan::NotEntityStart;
  std::string_view name = reader_.line();
  entityNameLength_ = std::min(name.size(), kEntityNameChars);
  std::memcpy(entityName_, name.data(), entityNameLength_);
  entityName_[entityNameLength_] = '\0';
  // The whole name line is tested, not only the part kept in entityName.
  nameHoldsEof_ = contains(name, kEndName);
  return contains(name, kFaceName) ? EntityScan::FaceStart : EntityScan::OtherEntity;
}

bool DxfScanner::readFaceHeader() {
  readLine();  // group code 8
  readLine();  // the layer name
  readLine();
  readInt(reader_.line(), groupCode_);
  if (groupCode_ != 62) return false;
  readLine();
  std::int32_t color = -1;  // a color line without a number is color -1 in every scan
  readInt(reader_.line(), color);
  face_.color = color;
  return true;
}

bool DxfScanner::readCorners() {
  for (std::int32_t corner = 0; corner < 4; ++corner) {
    for (std::int32_t axis = 10; axis <= 30; axis += 10) {
      readLine();
      readInt(reader_.line(), groupCode_);
      if (groupCode_ != axis + corner) return false;
      readLine();
      std::array<float, 4>& values = axis == 10 ? face_.x : axis == 20 ? face_.y : face_.z;
      readFloat(reader_.line(), values[static_cast<std::size_t>(corner)]);
    }
  }
  return true;
}

}  // namespace facetor
