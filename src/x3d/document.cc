#include "x3d/document.h"

#include <cstdint>

#include "run/report.h"
#include "x3d/color_groups.h"
#include "x3d/scene_tail.h"

namespace facetor {
namespace {

// Three clock fields of two digits each, joined by `separator`: HH:MM:SS or MM/DD/YY.
std::string clockText(int first, int second, int third, char separator) {
  std::string text;
  for (int field : {first, second, third}) {
    if (!text.empty()) text += separator;
    field %= 100;
    if (field < 0) field += 100;
    text += static_cast<char>('0' + field / 10);
    text += static_cast<char>('0' + field % 10);
  }
  return text;
}

// The length of the valid UTF-8 sequence of a character XML allows at the start of `text`,
// or 0.
std::size_t xmlCharLength(std::string_view text) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(0);
  if (lead < 0x80) return lead >= 0x20 || lead == '\t' || lead == '\n' || lead == '\r' ? 1 : 0;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // no overlong forms
    if (lead == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  // U+FFFE and U+FFFF are no XML characters.
  if (lead == 0xEF && byte(1) == 0xBF && byte(2) >= 0xBE) return 0;
  return length;
}

}  // namespace

std::string debugBits(const RunState& run) {
  std::string bits = "0001";
  for (bool on : {run.settingsAvailable, run.headerSeen, run.scaleBoxOn, run.rotationOn}) {
    bits += on ? '1' : '0';
  }
  return bits;
}

std::string escapeAttribute(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  while (!text.empty()) {
    std::size_t length = xmlCharLength(text);
    if (length == 0) {
      escaped += '?';
      length = 1;
    } else if (length > 1) {
      escaped.append(text.substr(0, length));
    } else {
      switch (text[0]) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '\'': escaped += "&apos;"; break;
        case '"': escaped += "&quot;"; break;
        case '\t': escaped += "&#9;"; break;
        case '\n': escaped += "&#10;"; break;
        case '\r': escaped += "&#13;"; break;
        default: escaped += text[0]; break;
      }
    }
    text.remove_prefix(length);
  }
  return escaped;
}

bool reportWriteFailure(RunState& run) {
  showReport(run.platform, IconKind::Error, msg::kCantWriteX3d, msg::kWriteFailed, 0,
             run.x3dPath, "", 0);
  run.dxfFile.close();
  run.x3dFile.close();
  return false;
}

bool writeX3dDocument(RunState& run) {
  OutputFile& out = run.x3dFile;
  out.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");
  out.write("<!DOCTYPE X3D PUBLIC \"ISO//Web3D//DTD X3D 3.0//EN\" \"");
  out.write(kX3dDtd);
  out.write("\">\r\n<X3D profile='Immersive' version='3.0' >\r\n<head>\r\n");
  // The clock is read once for the time and once more for the date.
  out.write("<meta name='ExportTime' content='");
  const LocalTime time = run.platform.localTime();
  out.write(clockText(time.hour, time.minute, time.second, ':'));
  out.write("'/>\r\n<meta name='ExportDate' content='");
  const LocalTime date = run.platform.localTime();
  out.write(clockText(date.month, date.day, date.year, '/'));
  out.write("'/>\r\n<meta name='OriginalFile' content='");
  out.write(escapeAttribute(run.dxfPath));
  out.write("'/>\r\n</head>\r\n<Scene>\r\n");
  out.write(kCreditLine);
  out.write("\r\n<!--  Contact \"");
  out.write(kContactAddress);
  out.write("\" with debug bits (x|x|x|v|c|a|b|r)= ");
  out.write(debugBits(run));
  out.write(" -->\r\n\r\n<NavigationInfo type='\"EXAMINE\" \"ANY\"' />\r\n\r\n");

  // Material texts go in as they are: each is a list of Material attributes.
  for (std::int32_t slot = 0; slot < run.colorCount; ++slot) {
    const ColorRecord& record = run.colorTable[static_cast<std::size_t>(slot)];
    out.write("<ProtoDeclare name='dxfColor");
    out.writeInt(record.color);
    out.write("'>\r\n<ProtoBody><Material containerField='material' ");
    out.write(record.material);
    out.write("/></ProtoBody></ProtoDeclare>\r\n");
  }
  out.write("<Transform DEF='wholeObject'>\r\n");

  if (!writeColorGroups(run)) return false;
  writeSceneTail(run);

  out.write("</Scene>\r\n</X3D>\r\n<!-- ");
  out.writeInt(run.dxfFile.lineNo());
  out.write(" lines of DXF parsed. Converted ");
  out.writeInt(run.polygonTotal);
  out.write(" polygons. -->\r\n");

  run.dxfFile.close();
  if (!out.close()) return reportWriteFailure(run);
  return true;
}

}  // namespace facetor
