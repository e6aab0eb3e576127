#include "run/paths.h"

#include <gtest/gtest.h>

#include <string>

namespace facetor {
namespace {

TEST(Paths, CommandLineToNames) {
  struct Row {
    std::string commandLine;
    bool caseSensitive;
    std::string path;  // what pathFromCommandLine takes
    std::string dxf;
    std::string x3d;
  };
  const std::string longBase = "/" + std::string(995, 'd');
  const Row rows[] = {
      {"\"C:\\data\\plate.dxf\"", true, "C:\\data\\plate.dxf", "C:\\data\\plate.dxf",
       "C:\\data\\plate.x3d"},
      {"C:\\data\\plate", true, "C:\\data\\plate", "C:\\data\\plate.dxf", "C:\\data\\plate.x3d"},
      {"C:\\data\\PLATE.DXF", false, "C:\\data\\PLATE.DXF", "C:\\data\\PLATE.dxf",
       "C:\\data\\PLATE.x3d"},
      {"C:\\data\\PLATE.DXF", true, "C:\\data\\PLATE.DXF", "C:\\data\\PLATE.DXF",
       "C:\\data\\PLATE.x3d"},
      {"plate.Dxf", false, "plate.Dxf", "plate.Dxf.dxf", "plate.Dxf.x3d"},
      {"plate.Dxf", true, "plate.Dxf", "plate.Dxf.dxf", "plate.Dxf.x3d"},
      {"C:\\my.dxf.files\\plate", true, "C:\\my.dxf.files\\plate", "C:\\my.dxf.files\\plate.dxf",
       "C:\\my.dxf.files\\plate.x3d"},
      {"C:\\data\\plate.dxf extra", true, "C:\\data\\plate.dxf extra",
       "C:\\data\\plate.dxf extra.dxf", "C:\\data\\plate.dxf extra.x3d"},
      {"C:\\data\\plate.dxf ", true, "C:\\data\\plate.dxf ", "C:\\data\\plate.dxf .dxf",
       "C:\\data\\plate.dxf .x3d"},
      {"\"a.dxf\" \"b.dxf\"", true, "a.dxf", "a.dxf", "a.x3d"},
      {" \" \"\" ", true, "", ".dxf", ".x3d"},
      {"  \" \"plate.dxf", true, "plate.dxf", "plate.dxf", "plate.x3d"},
      {".dxf", true, ".dxf", ".dxf", ".x3d"},
      {"ab", true, "ab", "ab.dxf", "ab.x3d"},
      {"plate.dxf.dxf", true, "plate.dxf.dxf", "plate.dxf.dxf", "plate.dxf.x3d"},
      {"\tplate.dxf", true, "\tplate.dxf", "\tplate.dxf", "\tplate.x3d"},
      {longBase + ".dxf", true, longBase + ".dxf", longBase + ".dxf", longBase + ".x3d"},
  };
  for (const Row& row : rows) {
    std::string trace = row.commandLine.substr(0, 40);
    trace += row.caseSensitive ? " | case-sensitive" : " | case-insensitive";
    SCOPED_TRACE(trace);
    std::string path = pathFromCommandLine(row.commandLine);
    EXPECT_EQ(path, row.path);
    DerivedNames names = deriveNames(path, row.caseSensitive);
    EXPECT_EQ(names.dxfPath, row.dxf);
    EXPECT_EQ(names.x3dPath, row.x3d);
  }
}

}  // namespace
}  // namespace facetor
