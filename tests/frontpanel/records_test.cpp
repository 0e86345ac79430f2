#include "frontpanel/records.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

namespace kiv {
namespace {

// The wire layout written out as plain offsets, independent of the names the code gives them: a field
// read from or written to the wrong place would look right to every test that sets and reads it through
// the record, yet the driver would disagree.
std::uint32_t LittleEndianAt(const std::uint8_t* bytes, std::size_t offset, std::size_t width) {
  std::uint32_t value = 0;
  for (std::size_t i = width; i-- > 0;) value = (value << 8) | bytes[offset + i];
  return value;
}

// Fills every byte with its own offset plus 0x80, so that each field reads differently and the 32-bit
// fields have their top bit set.
template <typename Record>
Record Patterned() {
  Record r{};
  for (std::size_t i = 0; i < sizeof r.bytes; ++i) r.bytes[i] = static_cast<std::uint8_t>(0x80 + i);
  return r;
}

// Exactly the bytes of [offset, offset + width) are set, all others still zero.
template <typename Record>
void ExpectOnlyFieldWritten(const Record& r, std::size_t offset, std::size_t width) {
  for (std::size_t i = 0; i < sizeof r.bytes; ++i) {
    const bool inField = i >= offset && i < offset + width;
    EXPECT_EQ(r.bytes[i], inField ? 0xFF : 0x00) << "byte " << i;
  }
}

TEST(ModemStatusRecordLayout, EveryFieldLiesAtItsOffsetLittleEndian) {
  struct Row {
    const char* field;
    std::size_t offset, width;
    std::uint32_t (*get)(const ModemStatusRecord&);
    void (*setAllOnes)(ModemStatusRecord&);
  };
  const Row rows[] = {
      {"reserved0", 0, 2, [](const ModemStatusRecord& r) -> std::uint32_t { return r.reserved0(); },
       [](ModemStatusRecord& r) { r.set_reserved0(0xFFFF); }},
      {"mode", 2, 2, [](const ModemStatusRecord& r) -> std::uint32_t { return r.mode(); },
       [](ModemStatusRecord& r) { r.set_mode(0xFFFF); }},
      {"signals", 4, 4, [](const ModemStatusRecord& r) -> std::uint32_t { return r.signals(); },
       [](ModemStatusRecord& r) { r.set_signals(0xFFFFFFFF); }},
      {"speed", 8, 4, [](const ModemStatusRecord& r) { return static_cast<std::uint32_t>(r.speed()); },
       [](ModemStatusRecord& r) { r.set_speed(-1); }},
      {"errorCorrection", 12, 4,
       [](const ModemStatusRecord& r) -> std::uint32_t { return r.errorCorrection(); },
       [](ModemStatusRecord& r) { r.set_errorCorrection(0xFFFFFFFF); }},
      {"compression", 16, 4, [](const ModemStatusRecord& r) -> std::uint32_t { return r.compression(); },
       [](ModemStatusRecord& r) { r.set_compression(0xFFFFFFFF); }},
      {"callState", 20, 2, [](const ModemStatusRecord& r) -> std::uint32_t { return r.callState(); },
       [](ModemStatusRecord& r) { r.set_callState(0xFFFF); }},
      {"modulation", 22, 2, [](const ModemStatusRecord& r) -> std::uint32_t { return r.modulation(); },
       [](ModemStatusRecord& r) { r.set_modulation(0xFFFF); }},
      {"reserved24", 24, 2, [](const ModemStatusRecord& r) -> std::uint32_t { return r.reserved24(); },
       [](ModemStatusRecord& r) { r.set_reserved24(0xFFFF); }},
  };
  const ModemStatusRecord patterned = Patterned<ModemStatusRecord>();
  std::size_t covered = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.field);
    EXPECT_EQ(row.offset, covered) << "fields follow one another without gaps";
    EXPECT_EQ(row.get(patterned), LittleEndianAt(patterned.bytes, row.offset, row.width));
    ModemStatusRecord written{};
    row.setAllOnes(written);
    ExpectOnlyFieldWritten(written, row.offset, row.width);
    covered += row.width;
  }
  EXPECT_EQ(covered, 26u);
  EXPECT_LT(patterned.speed(), 0) << "speed is signed";
}

TEST(ModemStatisticsRecordLayout, SeventeenWordsInTheDriversOrder) {
  struct Row {
    ModemStatisticsRecord::Word word;
    std::size_t offset;
  };
  const Row rows[] = {
      {ModemStatisticsRecord::kReserved0, 0},    {ModemStatisticsRecord::kDteTxUsed, 2},
      {ModemStatisticsRecord::kDteTxSize, 4},    {ModemStatisticsRecord::kDteRxUsed, 6},
      {ModemStatisticsRecord::kDteRxSize, 8},    {ModemStatisticsRecord::kDceTxUsed, 10},
      {ModemStatisticsRecord::kDceTxSize, 12},   {ModemStatisticsRecord::kDceRxUsed, 14},
      {ModemStatisticsRecord::kDceRxSize, 16},   {ModemStatisticsRecord::kQInUsed, 18},
      {ModemStatisticsRecord::kQInSize, 20},     {ModemStatisticsRecord::kQOutUsed, 22},
      {ModemStatisticsRecord::kQOutSize, 24},    {ModemStatisticsRecord::kTaskerRuntime, 26},
      {ModemStatisticsRecord::kTaskerLoops, 28}, {ModemStatisticsRecord::kRtsFrequency, 30},
      {ModemStatisticsRecord::kRtsAsync, 32},
  };
  const ModemStatisticsRecord patterned = Patterned<ModemStatisticsRecord>();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.offset);
    EXPECT_EQ(patterned.word(row.word), LittleEndianAt(patterned.bytes, row.offset, 2));
    ModemStatisticsRecord written{};
    written.set_word(row.word, 0xFFFF);
    ExpectOnlyFieldWritten(written, row.offset, 2);
  }
}

}  // namespace
}  // namespace kiv
