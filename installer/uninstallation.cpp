#include "installer/uninstallation.h"

namespace kiv {

bool Uninstallation::UninstallModem() {
  static_cast<void>(settings_);
  return true;
}

}  // namespace kiv
