#include "simdriver/fields.h"

#include <cstring>

#include "frontpanel/device_protocol.h"

namespace kivsim {
namespace {

const NamedValue kModes[] = {
    {"idle", 1}, {"data", 2}, {"fax", 3}, {"voice", 4}, {"voiceview", 5}, {nullptr, 0},
};

const NamedValue kSignalLines[] = {
    {"DTR", 0x004}, {"RTS", 0x008},  {"DSR", 0x010}, {"CTS", 0x020}, {"CD", 0x040},
    {"OH", 0x080},  {"RING", 0x100}, {"none", 0},    {nullptr, 0},
};

const NamedValue kErrorCorrection[] = {
    {"none", 0}, {"V.80-SAM", 'J'}, {"LAPM", 'M'}, {"LAPM-ETC", 'N'}, {"MNP", 'P'}, {nullptr, 0},
};

const NamedValue kCompression[] = {
    {"none", 0},
    {"MNP5", 'B'},
    {"V.42bis", 'C'},
    {nullptr, 0},
};

const NamedValue kCallStates[] = {
    {"idle", 0},          {"originating", 1},      {"answering", 2},
    {"connected", 3},     {"dropping", 4},         {"retraining", 8},
    {"fax-answering", 9}, {"fax-originating", 10}, {"fax-connecting", 11},
    {"fax-dropping", 12}, {"fax-auto-answer", 13}, {"voice-connected", 14},
    {nullptr, 0},
};

const NamedValue kModulations[] = {
    {"Bell103", 0}, {"Bell212", 1},  {"V.21", 2},      {"V.21ch2", 3},  {"V.23ADX", 4},  {"V.23HDX", 5},
    {"V.22", 6},    {"V.22bis", 7},  {"V.27short", 8}, {"V.27long", 9}, {"V.27ter", 10}, {"V.29", 11},
    {"V.32", 12},   {"V.32TCM", 13}, {"V.17", 14},     {"V.33", 15},    {"V.32bis", 16}, {"V.34", 17},
    {"V.34+", 18},  {"X2", 19},      {"V.90", 23},     {nullptr, 0},
};

constexpr std::uint8_t kStatus = KIVSIM_RECORD_STATUS;
constexpr std::uint8_t kStatistics = KIVSIM_RECORD_STATISTICS;

constexpr std::uint8_t Word(int index) {
  return static_cast<std::uint8_t>(2 * index);
}

const Field kFields[] = {
    {"reserved0", kStatus, KIV_STATUS_RESERVED0, 2, ValueKind::kNumber, nullptr},
    {"mode", kStatus, KIV_STATUS_MODE, 2, ValueKind::kNamed, kModes},
    {"signals", kStatus, KIV_STATUS_SIGNALS, 4, ValueKind::kSignals, kSignalLines},
    {"speed", kStatus, KIV_STATUS_SPEED, 4, ValueKind::kSignedSpeed, nullptr},
    {"errorCorrection", kStatus, KIV_STATUS_ERROR_CORRECTION, 4, ValueKind::kCharacter, kErrorCorrection},
    {"compression", kStatus, KIV_STATUS_COMPRESSION, 4, ValueKind::kCharacter, kCompression},
    {"callState", kStatus, KIV_STATUS_CALL_STATE, 2, ValueKind::kNamed, kCallStates},
    {"modulation", kStatus, KIV_STATUS_MODULATION, 2, ValueKind::kNamed, kModulations},
    {"reserved24", kStatus, KIV_STATUS_RESERVED24, 2, ValueKind::kNumber, nullptr},
    {"reserved0", kStatistics, Word(0), 2, ValueKind::kNumber, nullptr},
    {"dteTxUsed", kStatistics, Word(1), 2, ValueKind::kNumber, nullptr},
    {"dteTxSize", kStatistics, Word(2), 2, ValueKind::kNumber, nullptr},
    {"dteRxUsed", kStatistics, Word(3), 2, ValueKind::kNumber, nullptr},
    {"dteRxSize", kStatistics, Word(4), 2, ValueKind::kNumber, nullptr},
    {"dceTxUsed", kStatistics, Word(5), 2, ValueKind::kNumber, nullptr},
    {"dceTxSize", kStatistics, Word(6), 2, ValueKind::kNumber, nullptr},
    {"dceRxUsed", kStatistics, Word(7), 2, ValueKind::kNumber, nullptr},
    {"dceRxSize", kStatistics, Word(8), 2, ValueKind::kNumber, nullptr},
    {"qInUsed", kStatistics, Word(9), 2, ValueKind::kNumber, nullptr},
    {"qInSize", kStatistics, Word(10), 2, ValueKind::kNumber, nullptr},
    {"qOutUsed", kStatistics, Word(11), 2, ValueKind::kNumber, nullptr},
    {"qOutSize", kStatistics, Word(12), 2, ValueKind::kNumber, nullptr},
    {"taskerRuntime", kStatistics, Word(13), 2, ValueKind::kNumber, nullptr},
    {"taskerLoops", kStatistics, Word(14), 2, ValueKind::kNumber, nullptr},
    {"rtsFrequency", kStatistics, Word(15), 2, ValueKind::kNumber, nullptr},
    {"rtsAsync", kStatistics, Word(16), 2, ValueKind::kNumber, nullptr},
};

static_assert(sizeof kFields / sizeof kFields[0] == 9 + KIV_STATISTICS_WORD_COUNT, "one entry per field");

const char* RecordPrefix(std::uint8_t record) {
  return record == kStatus ? "status." : "statistics.";
}

}  // namespace

const Field* FindField(const std::string& name, bool* ambiguous) {
  *ambiguous = false;
  const Field* found = nullptr;
  int plainMatches = 0;
  for (const Field& f : kFields) {
    if (name == std::string(RecordPrefix(f.record)) + f.name) return &f;
    if (name == f.name) {
      found = &f;
      ++plainMatches;
    }
  }
  if (plainMatches > 1) {
    *ambiguous = true;
    return nullptr;
  }
  return found;
}

const Field* AllFields(std::size_t* count) {
  *count = sizeof kFields / sizeof kFields[0];
  return kFields;
}

}  // namespace kivsim
