// Assembling InstallerSettings: string-table defaults, then "installer.cfg", then the installed
// driver's Parameters key or else the NT 4 INF file's [Strings]; and the program directory.
#pragma once

#include "installer/file_system.h"
#include "installer/installer_settings.h"
#include "installer/profile_reader.h"
#include "installer/registry.h"
#include "installer/string_table.h"
#include "installer/system_info.h"

namespace kiv {

inline constexpr const char* kServicesKey = "SYSTEM\\CurrentControlSet\\Services";
inline constexpr const char* kParametersKeyFormat = "SYSTEM\\CurrentControlSet\\Services\\%s\\Parameters";

// Each text field from its string id; an id the table lacks leaves its default text.
void LoadDefaults(StringTable& strings, InstallerSettings& settings);
// sourceDir, windowsDir and systemDir; a directory the system cannot give stays empty.
void ReadSystemDirectories(SystemInfo& system, InstallerSettings& settings);
void ReadConfigFile(ProfileReader& profiles, InstallerSettings& settings);
// True when the Parameters key could be opened, whatever values it held.
bool ReadInstalledParameters(Registry& registry, InstallerSettings& settings);
void ReadInfStrings(ProfileReader& profiles, InstallerSettings& settings);
void PrepareProgramDir(FileSystem& files, InstallerSettings& settings);
bool IsInstalled(Registry& registry, const InstallerSettings& settings);

}  // namespace kiv
