// The front panel's notification-area icon: six picture slots, the tip, and the one record used for
// the add, every modify and the delete. The pop-up menu and the callback are the main window's.
#pragma once

#include <array>
#include <cstdint>

#include "frontpanel/panel_state.h"
#include "frontpanel/view_operations.h"

namespace kiv {

using IconHandle = std::uintptr_t;

inline constexpr unsigned kTrayIconId = 4660;
inline constexpr unsigned kTrayCallbackMessage = 1025;  // WM_USER + 1

enum class TrayRequest : int { kAdd = 0, kModify = 1, kDelete = 2 };  // NIM_ADD, NIM_MODIFY, NIM_DELETE

// The notify-icon record's fields that change; the Win32 layer adds the fixed ones (size, id, flags,
// callback message).
struct TrayRecord {
  WindowHandle window = 0;
  IconHandle icon = 0;
  char tip[kTrayTipMax + 1] = {};
};

// Loads a slot's icon resource (0 when it fails), shows the record to the shell, releases an icon,
// and shows an information box.
class TrayPlatform {
 public:
  virtual ~TrayPlatform() = default;
  virtual IconHandle LoadIconA(int resource) = 0;
  virtual void ShellNotifyIcon(TrayRequest request, const TrayRecord& record) = 0;
  virtual void DestroyIcon(IconHandle icon) = 0;
  virtual void ShowNotice(const char* caption, const char* text) = 0;
};

class TrayIcon {
 public:
  explicit TrayIcon(TrayPlatform& platform) : platform_(platform) {}

  // Every slot in order; a failing one stays empty and is reported.
  void LoadTrayIcons();
  void AddTrayIcon(WindowHandle window);
  void SetTrayState(TraySlot slot);
  void SetTrayTip(const char* text);
  void RemoveTrayIcon();
  void DestroyTrayIcons();

  const TrayRecord& Record() const { return record_; }
  IconHandle SlotIcon(int slot) const { return slots_[static_cast<std::size_t>(slot)]; }

 private:
  void FormatTip(const char* text);

  TrayPlatform& platform_;
  std::array<IconHandle, kTraySlotCount> slots_{};
  IconHandle lastSent_ = 0;
  TrayRecord record_;
};

}  // namespace kiv
