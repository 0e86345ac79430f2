#include "frontpanel/status_interpreter.h"

#include <cstdio>
#include <string>

#include "frontpanel/status_tables.h"

namespace kiv {

namespace {

constexpr std::uint16_t kModeFax = 3;
constexpr std::uint16_t kCallStateConnected = 3;
// A fax connection reported at this speed leaves the call pane as it was.
constexpr std::int32_t kFaxSpeedKeepingCallText = 300;
constexpr std::uint32_t kOffHookBit = kLightTable[static_cast<std::size_t>(Light::kOh)].bit;

// Every text built here is also a tray-tip text.
using TextBuffer = char[kTrayTipTextMax + 1];

template <std::size_t N>
constexpr std::size_t LongestCodeText(const std::array<CodeText, N>& table) {
  std::size_t longest = 0;
  for (const CodeText& row : table) {
    const std::size_t length = std::char_traits<char>::length(row.text);
    if (length > longest) longest = length;
  }
  return longest;
}

// "Connected %s%sat %d bps" at its widest: the longest protocol texts and an 11-character speed.
constexpr std::size_t kLongestConnectionLine =
    std::char_traits<char>::length("Connected ") + LongestCodeText(kErrorCorrectionTexts) +
    LongestCodeText(kCompressionTexts) + std::char_traits<char>::length("at -2147483648 bps");
static_assert(kLongestConnectionLine <= kTrayTipTextMax, "the connection line always fits the tray tip");

const char* ModulationName(std::uint16_t modulation) {
  return modulation < kModulationNames.size() ? kModulationNames[modulation] : nullptr;
}

}  // namespace

void StatusInterpreter::UpdateSignalLights(std::uint32_t shownSignals, std::uint32_t newSignals) const {
  const std::uint32_t changed = shownSignals ^ newSignals;
  for (const LightInfo& info : kLightTable) {
    if (changed & info.bit) view_.SetLight(info.light, (newSignals & info.bit) != 0);
  }
}

void StatusInterpreter::InterpretStatus(const ModemStatusRecord& record) const {
  if (const char* modeText = FindModeText(record.mode())) {
    view_.SetModeText(modeText);
    view_.SetTrayTip(modeText);
  }

  const std::uint16_t callState = record.callState();
  if (callState == kCallStateConnected) {
    ShowDataConnection(record);
  } else if (record.mode() == kModeFax && (record.signals() & kOffHookBit) && record.speed() != 0 &&
             callState == 0) {
    ShowFaxConnection(record);
  } else {
    ShowCallState(record);
  }

  if (callState < kCallStateTraySlots.size()) view_.SetTrayState(kCallStateTraySlots[callState]);
}

void StatusInterpreter::ShowDataConnection(const ModemStatusRecord& record) const {
  TextBuffer line;
  std::snprintf(line, sizeof line, "Connected %s%sat %d bps",
                FindErrorCorrectionText(record.errorCorrection()), FindCompressionText(record.compression()),
                static_cast<int>(record.speed()));
  view_.SetCallText(line);
  view_.SetTrayTip(line);

  if (const char* name = ModulationName(record.modulation())) {
    TextBuffer modeText;
    std::snprintf(modeText, sizeof modeText, "Data - %s", name);
    view_.SetModeText(modeText);
  } else {
    view_.SetModeText("Data mode");
  }
}

void StatusInterpreter::ShowFaxConnection(const ModemStatusRecord& record) const {
  if (record.speed() != kFaxSpeedKeepingCallText) {
    TextBuffer line;
    std::snprintf(line, sizeof line, "Connected fax at %d bps", static_cast<int>(record.speed()));
    view_.SetCallText(line);
  }

  // Unlike a data connection, the tray tip carries the modulation and the speed stays in the call pane.
  if (const char* name = ModulationName(record.modulation())) {
    TextBuffer modeText;
    std::snprintf(modeText, sizeof modeText, "Fax - %s", name);
    view_.SetModeText(modeText);
    view_.SetTrayTip(modeText);
  } else {
    view_.SetModeText("Fax mode");
  }
}

void StatusInterpreter::ShowCallState(const ModemStatusRecord& record) const {
  const std::uint16_t callState = record.callState();
  view_.SetCallText(callState < kCallStateTexts.size() ? kCallStateTexts[callState] : " ");
}

}  // namespace kiv
