#include "frontpanel/status_tables.h"

#include <string>

namespace kiv {

namespace {

template <std::size_t N>
constexpr std::size_t LongestText(const std::array<const char*, N>& texts) {
  std::size_t longest = 0;
  for (const char* text : texts) {
    const std::size_t length = std::char_traits<char>::length(text);
    if (length > longest) longest = length;
  }
  return longest;
}

// The panes and the tray tip are sized for these.
static_assert(LongestText(kCallStateTexts) <= 31, "call-state texts hold at most 31 characters");
static_assert(LongestText(kModulationNames) <= 10, "modulation names hold at most 10 characters");

template <std::size_t N>
const char* FindCodeText(const std::array<CodeText, N>& table, std::uint32_t code) {
  for (const CodeText& row : table) {
    if (row.code == code) return row.text;
  }
  return "";
}

}  // namespace

const char* FindModeText(std::uint16_t mode) {
  for (const ModeText& row : kModeTexts) {
    if (row.mode == mode) return row.text;
  }
  return nullptr;
}

const char* FindErrorCorrectionText(std::uint32_t code) {
  return FindCodeText(kErrorCorrectionTexts, code);
}

const char* FindCompressionText(std::uint32_t code) {
  return FindCodeText(kCompressionTexts, code);
}

}  // namespace kiv
