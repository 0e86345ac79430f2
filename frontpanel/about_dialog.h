// The About box's logic: its texts, its four animation pictures with the frame counter that survives
// from one opening to the next, and where the box is placed over the main window.
#pragma once

#include <array>

#include "frontpanel/tray_icon.h"

namespace kiv {

inline constexpr char kAboutVersionText[] = "Version 1.1";
inline constexpr char kAboutNoticeLine1[] = "Copyright (C) Tarvo Corporation";
inline constexpr char kAboutNoticeLine2[] = "All rights reserved.";

inline constexpr unsigned kAboutTimerId = 123;
inline constexpr unsigned kAboutTimerPeriodMs = 250;
inline constexpr int kAboutIconCount = 4;

// Loads an icon resource (0 when it fails), releases an icon, and shows an information box.
class AboutPlatform {
 public:
  virtual ~AboutPlatform() = default;
  virtual IconHandle LoadIconA(int resource) = 0;
  virtual void DestroyIcon(IconHandle icon) = 0;
  virtual void ShowNotice(const char* caption, const char* text) = 0;
};

class AboutAnimation {
 public:
  explicit AboutAnimation(AboutPlatform& platform) : platform_(platform) {}

  // Every slot in order; a failing one stays empty and is reported.
  void LoadAboutIcons();
  // Releases each held icon once and empties its slot; safe to call again.
  void DestroyAboutIcons();
  // One timer tick: moves to the next slot and returns its icon, 0 when that slot is empty.
  IconHandle AdvanceAboutIcon();

  int Frame() const { return frame_; }
  IconHandle SlotIcon(int slot) const { return slots_[static_cast<std::size_t>(slot)]; }

 private:
  AboutPlatform& platform_;
  std::array<IconHandle, kAboutIconCount> slots_{};
  int frame_ = 0;  // not reset on opening: each opening continues the cycle
};

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

// The top-left corner that centres `window` over `parent`, pulled back inside `workArea`: the left
// (top) edge wins over the right (bottom) one when the window is larger than the work area.
ScreenPoint CenterOverParent(const ScreenRect& window, const ScreenRect& parent, const ScreenRect& workArea);

}  // namespace kiv
