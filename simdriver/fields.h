// The fields of the two records by name, and the words a person may write for their values.
#pragma once

#include <cstdint>
#include <string>

#include "simdriver/sim_protocol.h"

namespace kivsim {

enum class ValueKind {
  kNumber,       // plain number of the field's width
  kSignedSpeed,  // signed 32-bit number
  kSignals,      // names of signal lines joined by '|', or a number
  kNamed,        // a name from the field's own table, or a number
  kCharacter,    // a name from the field's table, a character in quotes ('M'), or a number
};

struct NamedValue {
  const char* name;
  std::uint32_t value;
};

struct Field {
  const char* name;     // as in the records: mode, signals, dteTxUsed, ...
  std::uint8_t record;  // KIVSIM_RECORD_*
  std::uint8_t offset;
  std::uint8_t width;  // 2 or 4
  ValueKind kind;
  const NamedValue* names;  // the field's words, ending with a null name; or null
};

// Finds a field by its plain name or by "status."/"statistics." and its name. A plain name that
// both records use (reserved0) is ambiguous: *ambiguous is set and null returned.
const Field* FindField(const std::string& name, bool* ambiguous);

// Every field, for help texts: fields[0 .. count-1].
const Field* AllFields(std::size_t* count);

}  // namespace kivsim
