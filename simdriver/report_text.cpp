#include "simdriver/report_text.h"

#include <cstdarg>
#include <cstdio>

#include "frontpanel/byte_image.h"
#include "simdriver/fields.h"

namespace kivsim {
namespace {

#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void Append(std::string& text, const char* format, ...) {
  char line[200];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  text += line;
}

std::string Hex(const std::uint8_t* bytes, std::size_t n) {
  std::string text;
  for (std::size_t i = 0; i < n; ++i) Append(text, i == 0 ? "%02X" : " %02X", bytes[i]);
  return text;
}

unsigned long U(std::uint32_t v) {
  return v;
}

}  // namespace

std::string FormatReport(const KivSimReport& r) {
  std::string text;
  if (r.held) {
    Append(text, "holder:       process %lu\n", U(r.holderProcessId));
  } else {
    text += "holder:       none\n";
  }
  Append(text, "opens:        %lu granted, %lu refused, %lu closed\n", U(r.opens), U(r.refusedOpens),
         U(r.closes));
  Append(text, "requests:     0x801 %lu, 0x802 %lu, 0x803 %lu\n", U(r.requests[0]), U(r.requests[1]),
         U(r.requests[2]));
  Append(text, "refused:      %lu from other handles, %lu of unknown codes\n", U(r.foreignRequests),
         U(r.unknownRequests));
  text +=
      "last RTS:     " + (r.rtsRequestSeen ? Hex(r.lastRtsRequest, sizeof r.lastRtsRequest) : "none") + "\n";
  Append(text, "playback:     %s, %lu steps played\n", r.playing ? "playing" : "stopped", U(r.playedSteps));

  Append(text, "faults:       refuse %lu opens, %s, %lu requests waiting\n", U(r.faults.refuseOpens),
         r.faults.hold ? "holding requests" : "answering", U(r.waitingRequests));
  for (unsigned i = 0; i < KIVSIM_CODE_COUNT; ++i) {
    if (r.faults.failTimes[i] > 0)
      Append(text, "              fail the next %lu of 0x%X with 0x%08lX\n", U(r.faults.failTimes[i]),
             0x801 + i, U(r.faults.failStatus[i]));
    if (r.faults.countTimes[i] > 0)
      Append(text, "              report %lu bytes for the next %lu of 0x%X\n", U(r.faults.countValue[i]),
             U(r.faults.countTimes[i]), 0x801 + i);
  }

  text += "status:       " + Hex(r.status, sizeof r.status) + "\n";
  text += "statistics:   " + Hex(r.statistics, sizeof r.statistics) + "\n";
  std::size_t count = 0;
  const Field* fields = AllFields(&count);
  for (std::size_t i = 0; i < count; ++i) {
    const Field& f = fields[i];
    const std::uint8_t* p = (f.record == KIVSIM_RECORD_STATUS ? r.status : r.statistics) + f.offset;
    const std::uint32_t v = f.width == 2 ? kiv::LoadLe16(p) : kiv::LoadLe32(p);
    const char* record = f.record == KIVSIM_RECORD_STATUS ? "status" : "statistics";
    if (f.kind == ValueKind::kSignedSpeed) {
      Append(text, "  %-10s %-16s %ld\n", record, f.name, static_cast<long>(static_cast<std::int32_t>(v)));
    } else {
      Append(text, "  %-10s %-16s %lu (0x%lX)\n", record, f.name, U(v), U(v));
    }
  }
  return text;
}

}  // namespace kivsim
