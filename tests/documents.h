#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace facetor::testing {

/// Keeps a copy of a complete X3D document a test produced. After the tests, every kept
/// document is checked against the X3D 3.0 schema and DTD.
inline void keepDocument(const std::string& path, std::string_view label = "") {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(test->test_suite_name()) + "." + test->name();
  if (!label.empty()) name.append(".").append(label);
  const std::filesystem::path folder = FACETOR_DOCUMENTS;
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(path, folder / (name + ".x3d"),
                             std::filesystem::copy_options::overwrite_existing);
}

/// The lines of a document whose lines all end in CR LF; a bare line feed fails the test.
inline std::vector<std::string> documentLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    if (end == std::string_view::npos || end == 0 || text[end - 1] != '\r') {
      ADD_FAILURE() << "a line without CR LF: " << text.substr(0, end);
      break;
    }
    lines.emplace_back(text.substr(0, end - 1));
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace facetor::testing
