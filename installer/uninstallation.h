// Taking the driver out again. For now only the entry point exists: it removes nothing and reports
// success, which is also what the finished sequence always reports.
#pragma once

#include "installer/installer_settings.h"

namespace kiv {

class Uninstallation {
 public:
  explicit Uninstallation(const InstallerSettings& settings) : settings_(settings) {}

  bool UninstallModem();

 private:
  const InstallerSettings& settings_;
};

}  // namespace kiv
