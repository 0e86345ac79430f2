// The installer's string table as it ships: every setting's id and default text. The native tests feed
// it to the fake string table; the resource test reads the built program back against it.
#pragma once

namespace kiv::testing {

struct StringTableEntry {
  unsigned id;
  const char* text;
};

inline constexpr StringTableEntry kStringTableDefaults[] = {
    {103, "installer"},
    {109, "INSTALLER"},
    {110, "TarvoK41.sys"},
    {111, "TarvoK41.inf"},
    {112, "TarvoK51.sys"},
    {113, "TarvoK51.inf"},
    {114, "TarvoK51.cat"},
    {115, "kiv"},
    {116, "Tarvo Corporation"},
    {117, "Tarvo Kiv Data Fax"},
    {118, "1"},
    {119, "installer.exe"},
    {120, "kivtool.exe"},
    {121, "kivtool.lnk"},
    {122, "installer.cfg"},
};

}  // namespace kiv::testing
