#include "platform/file_filters.h"

#include "facetor_strings.h"

namespace facetor {
namespace {

/// The elements of `text` between its separators; the part after the last one is dropped
/// when empty, as a list that ends in a separator has nothing after it.
std::vector<std::string_view> splitAt(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  while (!text.empty()) {
    std::size_t end = text.find(separator);
    parts.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return parts;
}

}  // namespace

std::string_view resourceText(int resource) {
  switch (resource) {
    case IDS_DXF_FILTER:
      return IDS_DXF_FILTER_TEXT;
    case IDS_X3D_FILTER:
      return IDS_X3D_FILTER_TEXT;
    default:
      return {};
  }
}

std::vector<FileFilter> parseFilterList(std::string_view text) {
  std::vector<FileFilter> filters;
  std::vector<std::string_view> elements = splitAt(text, '|');
  for (std::size_t i = 0; i + 1 < elements.size(); i += 2) {
    FileFilter filter{std::string(elements[i]), {}};
    for (std::string_view pattern : splitAt(elements[i + 1], ';')) {
      if (!pattern.empty()) filter.patterns.emplace_back(pattern);
    }
    if (!filter.patterns.empty()) filters.push_back(std::move(filter));
  }
  return filters;
}

std::string caseBlindPattern(std::string_view pattern) {
  if (pattern == "*.*") return "*";
  std::string blind;
  for (char c : pattern) {
    // ASCII letters only, whatever the locale: the patterns are our own ASCII texts.
    char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower >= 'a' && lower <= 'z') {
      blind += '[';
      blind += lower;
      blind += static_cast<char>(lower - 'a' + 'A');
      blind += ']';
    } else {
      blind += c;
    }
  }
  return blind;
}

}  // namespace facetor
