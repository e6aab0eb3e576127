#include "x3d/color_groups.h"

#include <cstring>
#include <limits>

#include "run/report.h"
#include "x3d/document.h"
#include "x3d/number_text.h"

namespace facetor {
namespace {

// Room for one face's lines: up to six point lines, or two index lines.
constexpr std::size_t kFaceChars = 6 * kPointLineChars;

void updateHeights(RunState& run, const FaceRecord& face) {
  for (float z : face.z) updateHeight(run.heightExtent, z);
}

// Writes "3k 3k+1 3k+2 -1" for triangle k = faceCount and counts it.
char* indexLine(char* out, std::int64_t& faceCount) {
  std::int64_t first = 3 * faceCount++;
  out = formatInt(out, first);
  *out++ = ' ';
  out = formatInt(out, first + 1);
  *out++ = ' ';
  out = formatInt(out, first + 2);
  std::memcpy(out, " -1\r\n", 5);
  return out + 5;
}

// Writes the point lines of a face: corners 0, 1, 2, and 2, 3, 0 for a second triangle. Each
// corner is formatted once and copied where it repeats.
char* pointLines(char* out, const FaceRecord& face, int triangles) {
  char corner[4][kPointLineChars];
  std::size_t length[4];
  int corners = triangles == 2 ? 4 : 3;
  for (int i = 0; i < corners; ++i) {
    auto c = static_cast<std::size_t>(i);
    length[c] = static_cast<std::size_t>(formatPoint(corner[c], face.x[c], face.y[c], face.z[c]) -
                                         corner[c]);
  }
  static constexpr std::size_t kOrder[6] = {0, 1, 2, 2, 3, 0};
  for (int i = 0; i < 3 * triangles; ++i) {
    std::size_t c = kOrder[i];
    std::memcpy(out, corner[c], length[c]);
    out += length[c];
  }
  return out;
}

bool reportCornerMismatch(RunState& run) {
  DxfScanner& dxf = run.dxfFile;
  showReport(run.platform, IconKind::Error, msg::kWrongCorners, msg::kCornerCodes,
             dxf.groupCode(), run.dxfPath, msg::kLine, dxf.lineNo());
  OutputFile& out = run.x3dFile;
  out.write("</Transform><!-- wholeObject End -->\r\n\r\n<!-- Wrong COORDS|VERTICES code ");
  out.writeInt(dxf.groupCode());
  out.write(" -->\r\n<!-- ");
  out.write(run.dxfPath);
  out.write(", line ");
  out.writeInt(dxf.lineNo());
  out.write(" -->\r\n");
  dxf.close();
  out.close();  // the run fails anyway; a write failure on top of it adds nothing
  return false;
}

}  // namespace

void updateHeight(std::int32_t& heightExtent, float z) {
  if (static_cast<double>(heightExtent) < z) {
    constexpr double kBeyondInt32 = 2147483648.0;
    heightExtent = z >= kBeyondInt32 ? std::numeric_limits<std::int32_t>::max()
                                     : static_cast<std::int32_t>(z);
  }
}

bool writeColorGroups(RunState& run) {
  DxfScanner& dxf = run.dxfFile;
  OutputFile& out = run.x3dFile;
  for (std::int32_t slot = 0; slot < run.colorCount; ++slot) {
    const std::int32_t color = run.colorTable[static_cast<std::size_t>(slot)].color;

    // Index pass. The group opens at its first face, so a color that no pass finds (only a
    // file changed behind the run's back can do that) writes no group at all.
    dxf.restart();
    run.faceCount = 0;
    bool opened = false;
    ScanResult result = dxf.scanColor(color, [&](const FaceRecord& face) {
      updateHeights(run, face);
      if (!opened) {
        opened = true;
        out.write("<Transform DEF='Color");
        out.writeInt(color);
        out.write("Group'><Shape>\r\n<IndexedFaceSet solid='false' coordIndex='\r\n");
      }
      char* text = out.reserve(kFaceChars);
      text = indexLine(text, run.faceCount);
      if (trianglesOf(face) == 2) text = indexLine(text, run.faceCount);
      out.commit(text);
    });
    if (result == ScanResult::CornerMismatch) return reportCornerMismatch(run);
    if (opened) out.write("'>\r\n<Coordinate point='\r\n");
    const std::int64_t indexPassCount = run.faceCount;
    run.faceCount = 0;

    // Point pass: the same faces again, now for their corners.
    dxf.restart();
    result = dxf.scanColor(color, [&](const FaceRecord& face) {
      updateHeights(run, face);
      int triangles = trianglesOf(face);
      run.faceCount += triangles;
      if (opened) out.commit(pointLines(out.reserve(kFaceChars), face, triangles));
    });
    if (result == ScanResult::CornerMismatch) return reportCornerMismatch(run);
    if (opened) {
      out.write("'/>\r\n</IndexedFaceSet>\r\n<Appearance><ProtoInstance name='dxfColor");
      out.writeInt(color);
      out.write("' containerField='material'/>\r\n</Appearance>\r\n</Shape>\r\n</Transform>\r\n");
    }

    if (run.faceCount != indexPassCount) {
      showReport(run.platform, IconKind::Error, msg::kCountMismatch, msg::kCountLine,
                 dxf.lineNo(), msg::kColorIndex, "", color);
      dxf.close();
      out.close();
      return false;
    }
    run.polygonTotal += run.faceCount;
    run.faceCount = 0;
    // A full disk shows at the first block that does not fit: no use reading on.
    if (out.failed()) return reportWriteFailure(run);
  }
  return true;
}

}  // namespace facetor
