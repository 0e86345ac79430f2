#include "frontpanel/command_line.h"

#include <cstring>

namespace kiv {

namespace {
constexpr char kBaseSwitch[] = "/B:";
constexpr char kKeySuffix[] = "\\FrontPanel";
constexpr char kTitleSuffix[] = " Front Panel";

bool HasTraySwitch(const char* line) {
  return std::strstr(line, "/i") != nullptr || std::strstr(line, "/I") != nullptr;
}

// The first occurrence of needle within the first size bytes of text (which need not end in a zero
// within them), or null.
const char* FindWithin(const char* text, std::size_t size, const char* needle) {
  const std::size_t needleLength = std::strlen(needle);
  for (std::size_t i = 0; i + needleLength <= size && text[i] != '\0'; ++i) {
    if (std::memcmp(text + i, needle, needleLength) == 0) return text + i;
  }
  return nullptr;
}
}  // namespace

CommandLine ReadCommandLine(const char* line) {
  CommandLine result;
  if (line == nullptr) line = "";
  result.trayStart = HasTraySwitch(line);
  result.menu = result.trayStart ? kMenuTrayStart : kMenuNormalStart;

  char copy[kCommandLineCopySize] = {};
  std::strncpy(copy, line, sizeof copy);  // a line of 240 or more fills the copy without a zero
  const char* end = copy + sizeof copy;
  const char* found = FindWithin(copy, sizeof copy, kBaseSwitch);
  if (found == nullptr) return result;

  const char* token = found + std::strlen(kBaseSwitch);
  while (token < end && *token == ' ') ++token;
  const char* tokenEnd = token;
  while (tokenEnd < end && *tokenEnd != ' ' && *tokenEnd != '\0') ++tokenEnd;
  const std::size_t length = static_cast<std::size_t>(tokenEnd - token);
  // No token, or one whose key path would not fit its buffer: the path stays empty rather than cut
  // into the name of some other key.
  if (length == 0 || length + std::strlen(kKeySuffix) + 1 > sizeof result.settingsKeyPath) return result;
  std::memcpy(result.settingsKeyPath, token, length);
  std::memcpy(result.settingsKeyPath + length, kKeySuffix, sizeof kKeySuffix);
  return result;
}

void ComposeTitle(const char* modemName, char (&title)[kPanelTextSize]) {
  constexpr std::size_t kNameRoom = kPanelTextSize - sizeof kTitleSuffix;  // 67 characters
  std::size_t length = 0;
  if (modemName != nullptr) {
    while (length < kNameRoom && modemName[length] != '\0') ++length;
    std::memcpy(title, modemName, length);
  }
  std::memcpy(title + length, kTitleSuffix, sizeof kTitleSuffix);
}

}  // namespace kiv
