#include "run/report.h"

#include <charconv>

namespace facetor {
namespace {

void appendNumber(std::string& out, std::int32_t number) {
  char digits[16];
  auto result = std::to_chars(digits, digits + sizeof digits, number);
  out.append(digits, result.ptr);
}

}  // namespace

std::string composeReport(std::string_view text1, std::string_view text2, std::int32_t number1,
                          std::string_view text3, std::string_view text4, std::int32_t number2) {
  std::string message;
  message.append(text1).append(text2);
  if (number1 != 0) {
    appendNumber(message, number1);
    message += '\n';
  }
  message.append(text3).append(text4);
  if (number2 != 0) appendNumber(message, number2);
  return message;
}

int showReport(Platform& platform, IconKind icon, std::string_view text1, std::string_view text2,
               std::int32_t number1, std::string_view text3, std::string_view text4,
               std::int32_t number2) {
  return platform.messageBox(icon, composeReport(text1, text2, number1, text3, text4, number2),
                             std::string(kCaption));
}

}  // namespace facetor
