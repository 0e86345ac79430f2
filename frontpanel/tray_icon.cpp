#include "frontpanel/tray_icon.h"

#include <cstdio>

namespace kiv {

namespace {
struct SlotIcon {
  int resource;
  const char* failure;
};

// There is no icon 124: ORIG and ANSW share one picture.
constexpr std::array<SlotIcon, kTraySlotCount> kSlotIcons = {{
    {122, "Error loading IDLE Tray icon"},
    {123, "Error loading ORIG Tray icon"},
    {123, "Error loading ANSW Tray icon"},
    {125, "Error loading CONNECTED Tray icon"},
    {126, "Error loading DISC Tray icon"},
    {127, "Error loading RETRAIN Tray icon"},
}};
}  // namespace

void TrayIcon::LoadTrayIcons() {
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    slots_[i] = platform_.LoadIconA(kSlotIcons[i].resource);
    if (slots_[i] == 0) platform_.ShowNotice("Error", kSlotIcons[i].failure);
  }
}

void TrayIcon::AddTrayIcon(WindowHandle window) {
  record_.window = window;
  record_.icon = slots_[0];
  FormatTip("Idle");
  platform_.ShellNotifyIcon(TrayRequest::kAdd, record_);
}

void TrayIcon::SetTrayState(TraySlot slot) {
  int index = static_cast<int>(slot);
  if (index < 0 || index >= kTraySlotCount) index = 0;
  const IconHandle icon = slots_[static_cast<std::size_t>(index)];
  // Slots sharing an icon are the same picture: nothing to tell the shell.
  if (icon == 0 || icon == lastSent_) return;
  record_.icon = icon;
  lastSent_ = icon;
  platform_.ShellNotifyIcon(TrayRequest::kModify, record_);
}

void TrayIcon::SetTrayTip(const char* text) {
  FormatTip(text);
  platform_.ShellNotifyIcon(TrayRequest::kModify, record_);
}

void TrayIcon::RemoveTrayIcon() {
  platform_.ShellNotifyIcon(TrayRequest::kDelete, record_);
}

void TrayIcon::DestroyTrayIcons() {
  // ANSW holds ORIG's icon: a handle an earlier slot held is released only once.
  const std::array<IconHandle, kTraySlotCount> held = slots_;
  for (std::size_t i = 0; i < held.size(); ++i) {
    if (held[i] == 0) continue;
    bool sharedWithEarlier = false;
    for (std::size_t j = 0; j < i; ++j) sharedWithEarlier = sharedWithEarlier || held[j] == held[i];
    if (!sharedWithEarlier) platform_.DestroyIcon(held[i]);
    slots_[i] = 0;
  }
}

void TrayIcon::FormatTip(const char* text) {
  // snprintf cuts a longer tip to the record's 63 characters.
  std::snprintf(record_.tip, sizeof record_.tip, "%s (%s)", "Modem Status", text);
}

}  // namespace kiv
