// The three records exchanged with the driver, kept as exact byte images: the driver writes its reply
// straight into `bytes`, and comparisons are plain byte comparisons.
#pragma once

#include <cstdint>
#include <cstring>

#include "frontpanel/byte_image.h"
#include "frontpanel/device_protocol.h"

namespace kiv {

struct ModemStatusRecord {
  std::uint8_t bytes[KIV_STATUS_RECORD_SIZE];

  std::uint16_t reserved0() const { return LoadLe16(bytes + KIV_STATUS_RESERVED0); }
  std::uint16_t mode() const { return LoadLe16(bytes + KIV_STATUS_MODE); }
  std::uint32_t signals() const { return LoadLe32(bytes + KIV_STATUS_SIGNALS); }
  std::int32_t speed() const { return static_cast<std::int32_t>(LoadLe32(bytes + KIV_STATUS_SPEED)); }
  std::uint32_t errorCorrection() const { return LoadLe32(bytes + KIV_STATUS_ERROR_CORRECTION); }
  std::uint32_t compression() const { return LoadLe32(bytes + KIV_STATUS_COMPRESSION); }
  std::uint16_t callState() const { return LoadLe16(bytes + KIV_STATUS_CALL_STATE); }
  std::uint16_t modulation() const { return LoadLe16(bytes + KIV_STATUS_MODULATION); }
  std::uint16_t reserved24() const { return LoadLe16(bytes + KIV_STATUS_RESERVED24); }

  void set_reserved0(std::uint16_t v) { StoreLe16(bytes + KIV_STATUS_RESERVED0, v); }
  void set_mode(std::uint16_t v) { StoreLe16(bytes + KIV_STATUS_MODE, v); }
  void set_signals(std::uint32_t v) { StoreLe32(bytes + KIV_STATUS_SIGNALS, v); }
  void set_speed(std::int32_t v) { StoreLe32(bytes + KIV_STATUS_SPEED, static_cast<std::uint32_t>(v)); }
  void set_errorCorrection(std::uint32_t v) { StoreLe32(bytes + KIV_STATUS_ERROR_CORRECTION, v); }
  void set_compression(std::uint32_t v) { StoreLe32(bytes + KIV_STATUS_COMPRESSION, v); }
  void set_callState(std::uint16_t v) { StoreLe16(bytes + KIV_STATUS_CALL_STATE, v); }
  void set_modulation(std::uint16_t v) { StoreLe16(bytes + KIV_STATUS_MODULATION, v); }
  void set_reserved24(std::uint16_t v) { StoreLe16(bytes + KIV_STATUS_RESERVED24, v); }

  bool operator==(const ModemStatusRecord& o) const { return std::memcmp(bytes, o.bytes, sizeof bytes) == 0; }
  bool operator!=(const ModemStatusRecord& o) const { return !(*this == o); }
};

// Seventeen 16-bit words; the field names index them in the driver's order.
struct ModemStatisticsRecord {
  enum Word : unsigned {
    kReserved0,
    kDteTxUsed,
    kDteTxSize,
    kDteRxUsed,
    kDteRxSize,
    kDceTxUsed,
    kDceTxSize,
    kDceRxUsed,
    kDceRxSize,
    kQInUsed,
    kQInSize,
    kQOutUsed,
    kQOutSize,
    kTaskerRuntime,
    kTaskerLoops,
    kRtsFrequency,
    kRtsAsync,
  };

  std::uint8_t bytes[KIV_STATISTICS_RECORD_SIZE];

  std::uint16_t word(Word w) const { return LoadLe16(bytes + 2 * w); }
  void set_word(Word w, std::uint16_t v) { StoreLe16(bytes + 2 * w, v); }

  bool operator==(const ModemStatisticsRecord& o) const {
    return std::memcmp(bytes, o.bytes, sizeof bytes) == 0;
  }
  bool operator!=(const ModemStatisticsRecord& o) const { return !(*this == o); }
};

struct RtsPeriodRequest {
  std::uint8_t bytes[KIV_RTS_REQUEST_SIZE];

  // The request as the front panel always sends it: only the period varies.
  static RtsPeriodRequest ForPeriod(std::uint16_t periodMs) {
    RtsPeriodRequest r{};
    StoreLe16(r.bytes + KIV_RTS_PERIOD, periodMs);
    StoreLe16(r.bytes + KIV_RTS_COMMAND, KIV_RTS_COMMAND_VALUE);
    return r;
  }

  std::uint32_t reserved0() const { return LoadLe32(bytes + KIV_RTS_RESERVED0); }
  std::uint16_t period() const { return LoadLe16(bytes + KIV_RTS_PERIOD); }
  std::uint16_t reserved6() const { return LoadLe16(bytes + KIV_RTS_RESERVED6); }
  std::uint16_t command() const { return LoadLe16(bytes + KIV_RTS_COMMAND); }
};

static_assert(sizeof(ModemStatusRecord) == 26, "status record is a 26-byte image");
static_assert(sizeof(ModemStatisticsRecord) == 34, "statistics record is a 34-byte image");
static_assert(sizeof(RtsPeriodRequest) == 10, "RTS request is a 10-byte image");
static_assert(KIV_STATISTICS_WORD_COUNT * 2 == KIV_STATISTICS_RECORD_SIZE,
              "statistics words fill the record");
static_assert(ModemStatisticsRecord::kRtsAsync + 1 == KIV_STATISTICS_WORD_COUNT, "one name per word");

}  // namespace kiv
