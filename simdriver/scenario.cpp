#include "simdriver/scenario.h"

#include <cstring>

#include "simdriver/fields.h"

namespace kivsim {
namespace {

constexpr std::uint32_t kMaxScenarioMs = 24u * 60u * 60u * 1000u;
constexpr std::uint32_t kShortestLoopMs = 100;

bool EqualsIgnoringCase(const std::string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

bool FindName(const NamedValue* names, const std::string& word, std::uint32_t& value) {
  for (; names != nullptr && names->name != nullptr; ++names) {
    if (EqualsIgnoringCase(word, names->name)) {
      value = names->value;
      return true;
    }
  }
  return false;
}

std::string NameList(const NamedValue* names) {
  std::string list;
  for (; names != nullptr && names->name != nullptr; ++names) {
    if (!list.empty()) list += ", ";
    list += names->name;
  }
  return list;
}

bool ParseSignals(const Field& field, const std::string& text, std::uint32_t& value, std::string& error) {
  value = 0;
  std::size_t start = 0;
  for (;;) {
    const std::size_t bar = text.find('|', start);
    const std::string part = text.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
    std::uint32_t bits = 0;
    if (!FindName(field.names, part, bits) && !ParseUnsigned(part, 0xFFFFFFFFu, bits)) {
      error = "'" + part + "' is not a signal line (" + NameList(field.names) + ") or a number";
      return false;
    }
    value |= bits;
    if (bar == std::string::npos) return true;
    start = bar + 1;
  }
}

bool ParseValue(const Field& field, const std::string& text, bool relative, std::uint32_t& value,
                std::string& error) {
  const std::uint32_t max = field.width == 2 ? 0xFFFFu : 0xFFFFFFFFu;
  switch (field.kind) {
    case ValueKind::kSignals:
      return ParseSignals(field, text, value, error);
    case ValueKind::kSignedSpeed:
      if (!relative && !text.empty() && text[0] == '-') {
        std::uint32_t magnitude = 0;
        if (ParseUnsigned(text.substr(1), 0x80000000u, magnitude)) {
          value = 0u - magnitude;
          return true;
        }
      } else if (ParseUnsigned(text, relative ? 0xFFFFFFFFu : 0x7FFFFFFFu, value)) {
        return true;
      }
      error = "speed '" + text + "' is not a whole number from -2147483648 to 2147483647";
      return false;
    case ValueKind::kCharacter:
      if (text.size() == 3 && text[0] == '\'' && text[2] == '\'') {
        value = static_cast<unsigned char>(text[1]);
        return true;
      }
      [[fallthrough]];
    case ValueKind::kNamed:
      if (FindName(field.names, text, value) || ParseUnsigned(text, max, value)) return true;
      error = std::string(field.name) + " '" + text + "' is not one of " + NameList(field.names) +
              (field.kind == ValueKind::kCharacter ? ", a character in quotes" : "") + " or a number up to " +
              std::to_string(max);
      return false;
    case ValueKind::kNumber:
      if (ParseUnsigned(text, max, value)) return true;
      error = std::string(field.name) + " '" + text + "' is not a number from 0 to " + std::to_string(max);
      return false;
  }
  return false;
}

// Splits at blanks and tabs, dropping a comment from '#' on.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  for (char c : line) {
    if (c == '#') break;
    if (c == ' ' || c == '\t' || c == '\r') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

}  // namespace

bool ParseUnsigned(const std::string& text, std::uint32_t max, std::uint32_t& value) {
  std::uint64_t v = 0;
  std::size_t i = 0;
  unsigned base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    i = 2;
  }
  if (i >= text.size()) return false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    unsigned digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return false;
    }
    v = v * base + digit;
    if (v > max) return false;
  }
  value = static_cast<std::uint32_t>(v);
  return true;
}

bool ParseDuration(const std::string& text, std::uint32_t& ms) {
  std::string number;
  std::uint32_t scale;
  if (text.size() > 2 && text.compare(text.size() - 2, 2, "ms") == 0) {
    number = text.substr(0, text.size() - 2);
    scale = 1;
  } else if (text.size() > 1 && text.back() == 's') {
    number = text.substr(0, text.size() - 1);
    scale = 1000;
  } else {
    return false;
  }
  std::uint32_t whole = 0, fraction = 0, fractionScale = 1;
  const std::size_t dot = number.find('.');
  if (dot != std::string::npos) {
    const std::string decimals = number.substr(dot + 1);
    // Seconds take up to three decimals, milliseconds none.
    if (scale == 1 || decimals.empty() || decimals.size() > 3) return false;
    if (!ParseUnsigned(decimals, 999, fraction) || decimals.find('x') != std::string::npos) return false;
    for (std::size_t i = decimals.size(); i < 3; ++i) fractionScale *= 10;
    number = number.substr(0, dot);
  }
  if (number.find_first_not_of("0123456789") != std::string::npos) return false;
  if (!ParseUnsigned(number, kMaxScenarioMs / scale, whole)) return false;
  const std::uint64_t total = static_cast<std::uint64_t>(whole) * scale + fraction * fractionScale;
  if (total > kMaxScenarioMs) return false;
  ms = static_cast<std::uint32_t>(total);
  return true;
}

bool ParseAssignment(const std::string& text, KivSimFieldOp& op, std::string& error) {
  const std::size_t eq = text.find('=');
  if (eq == std::string::npos || eq == 0) {
    error = "'" + text + "' is not field=value, field+=value or field-=value";
    return false;
  }
  std::string name = text.substr(0, eq);
  const std::string valueText = text.substr(eq + 1);
  char sign = 0;
  if (name.back() == '+' || name.back() == '-') {
    sign = name.back();
    name.pop_back();
  }
  bool ambiguous = false;
  const Field* field = FindField(name, &ambiguous);
  if (field == nullptr) {
    error = ambiguous ? "'" + name + "' is in both records: write status." + name + " or statistics." + name
                      : "unknown field '" + name + "'";
    return false;
  }
  if (valueText.empty()) {
    error = "no value for " + name;
    return false;
  }
  std::uint32_t value = 0;
  if (!ParseValue(*field, valueText, sign != 0, value, error)) return false;
  const bool bits = field->kind == ValueKind::kSignals;
  op.record = field->record;
  op.offset = field->offset;
  op.width = field->width;
  op.op = static_cast<std::uint8_t>(sign == 0     ? KIVSIM_OP_SET
                                    : sign == '+' ? (bits ? KIVSIM_OP_OR : KIVSIM_OP_ADD)
                                                  : (bits ? KIVSIM_OP_CLEAR : KIVSIM_OP_SUB));
  op.value = value;
  return true;
}

std::vector<std::uint8_t> Scenario::Compile() const {
  KivSimScenarioHeader header{};
  header.stepCount = static_cast<std::uint32_t>(steps.size());
  header.opCount = static_cast<std::uint32_t>(ops.size());
  header.loopAtMs = loopAtMs;
  std::vector<std::uint8_t> bytes(sizeof header + steps.size() * sizeof(KivSimStep) +
                                  ops.size() * sizeof(KivSimFieldOp));
  std::uint8_t* p = bytes.data();
  std::memcpy(p, &header, sizeof header);
  p += sizeof header;
  if (!steps.empty()) std::memcpy(p, steps.data(), steps.size() * sizeof(KivSimStep));
  p += steps.size() * sizeof(KivSimStep);
  if (!ops.empty()) std::memcpy(p, ops.data(), ops.size() * sizeof(KivSimFieldOp));
  return bytes;
}

bool ParseScenario(const std::string& text, Scenario& scenario, std::string& error) {
  Scenario parsed;
  std::uint32_t lastMs = 0;
  bool looped = false;
  std::size_t lineStart = 0;
  for (int lineNumber = 1; lineStart < text.size(); ++lineNumber) {
    std::size_t lineEnd = text.find('\n', lineStart);
    if (lineEnd == std::string::npos) lineEnd = text.size();
    const std::vector<std::string> words = Words(text.substr(lineStart, lineEnd - lineStart));
    lineStart = lineEnd + 1;
    if (words.empty()) continue;
    const std::string where = "line " + std::to_string(lineNumber) + ": ";

    if (looped) {
      error = where + "nothing may follow the loop line";
      return false;
    }
    const bool relative = words[0][0] == '+';
    std::uint32_t ms = 0;
    if (!ParseDuration(relative ? words[0].substr(1) : words[0], ms)) {
      error = where + "'" + words[0] + "' is not a time such as 500ms, 2s, 1.5s or +250ms";
      return false;
    }
    if (relative) ms += lastMs;
    if (ms < lastMs) {
      error = where + "time " + words[0] + " is before the line above (" + std::to_string(lastMs) + "ms)";
      return false;
    }
    if (ms > kMaxScenarioMs) {
      error = where + "time goes beyond a day";
      return false;
    }
    if (words.size() == 1) {
      error = where + "a time with nothing to do: add field=value or loop";
      return false;
    }
    if (words[1] == "loop") {
      if (words.size() > 2) {
        error = where + "loop takes nothing after it";
        return false;
      }
      if (ms < kShortestLoopMs) {
        error = where + "a loop must last at least " + std::to_string(kShortestLoopMs) + "ms";
        return false;
      }
      parsed.loopAtMs = ms;
      looped = true;
      lastMs = ms;
      continue;
    }
    KivSimStep step{};
    step.atMs = ms;
    step.firstOp = static_cast<std::uint32_t>(parsed.ops.size());
    for (std::size_t i = 1; i < words.size(); ++i) {
      KivSimFieldOp op{};
      std::string problem;
      if (!ParseAssignment(words[i], op, problem)) {
        error = where + problem;
        return false;
      }
      parsed.ops.push_back(op);
    }
    step.opCount = static_cast<std::uint32_t>(parsed.ops.size()) - step.firstOp;
    parsed.steps.push_back(step);
    if (parsed.steps.size() > KIVSIM_MAX_STEPS || parsed.ops.size() > KIVSIM_MAX_OPS) {
      error = where + "too long: at most " + std::to_string(KIVSIM_MAX_STEPS) + " steps and " +
              std::to_string(KIVSIM_MAX_OPS) + " assignments";
      return false;
    }
    lastMs = ms;
  }
  if (parsed.steps.empty()) {
    error = "the scenario has no steps";
    return false;
  }
  scenario = parsed;
  return true;
}

}  // namespace kivsim
