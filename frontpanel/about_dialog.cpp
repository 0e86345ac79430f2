#include "frontpanel/about_dialog.h"

namespace kiv {

namespace {
struct SlotIcon {
  int resource;
  const char* failure;
};

constexpr std::array<SlotIcon, kAboutIconCount> kSlotIcons = {{
    {118, "Error loading ABOUT icon 1"},
    {119, "Error loading ABOUT icon 2"},
    {120, "Error loading ABOUT icon 3"},
    {121, "Error loading ABOUT icon 4"},
}};

// One axis: centred, then the near edge checked first and only one correction applied.
int CenterAxis(int parentStart, int parentSize, int size, int areaStart, int areaEnd) {
  int start = parentStart + (parentSize - size) / 2;  // C++ division rounds toward zero
  if (start < areaStart) {
    start = areaStart;
  } else if (start + size > areaEnd) {
    start = areaEnd - size;
  }
  return start;
}
}  // namespace

void AboutAnimation::LoadAboutIcons() {
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    slots_[i] = platform_.LoadIconA(kSlotIcons[i].resource);
    if (slots_[i] == 0) platform_.ShowNotice("Error", kSlotIcons[i].failure);
  }
}

void AboutAnimation::DestroyAboutIcons() {
  for (IconHandle& icon : slots_) {
    if (icon == 0) continue;
    platform_.DestroyIcon(icon);
    icon = 0;
  }
}

IconHandle AboutAnimation::AdvanceAboutIcon() {
  frame_ = (frame_ + 1) % kAboutIconCount;
  return slots_[static_cast<std::size_t>(frame_)];
}

ScreenPoint CenterOverParent(const ScreenRect& window, const ScreenRect& parent, const ScreenRect& workArea) {
  const int w = window.right - window.left;
  const int h = window.bottom - window.top;
  ScreenPoint at;
  at.x = CenterAxis(parent.left, parent.right - parent.left, w, workArea.left, workArea.right);
  at.y = CenterAxis(parent.top, parent.bottom - parent.top, h, workArea.top, workArea.bottom);
  return at;
}

}  // namespace kiv
