// What the installer shows: message boxes without an owner, the cursor, the backdrop window and the
// "Modem Already Installed" dialog above it.
#pragma once

#include <cstdint>

namespace kiv {

inline constexpr std::uint32_t kMbOk = 0x0;                // MB_OK
inline constexpr std::uint32_t kMbYesNo = 0x4;             // MB_YESNO
inline constexpr std::uint32_t kMbIconError = 0x10;        // MB_ICONERROR
inline constexpr std::uint32_t kMbIconQuestion = 0x20;     // MB_ICONQUESTION
inline constexpr std::uint32_t kMbIconInformation = 0x40;  // MB_ICONINFORMATION
inline constexpr std::uint32_t kMbDefButton2 = 0x100;      // MB_DEFBUTTON2
inline constexpr std::uint32_t kMbTopmost = 0x40000;       // MB_TOPMOST

inline constexpr int kIdOk = 1;      // IDOK
inline constexpr int kIdCancel = 2;  // IDCANCEL
inline constexpr int kIdYes = 6;     // IDYES
inline constexpr int kIdNo = 7;      // IDNO

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // No owner window. Returns the button pressed.
  virtual int MessageBoxA(const char* text, const char* caption, std::uint32_t flags) = 0;
};

enum class CursorShape { kArrow, kWait };  // IDC_ARROW, IDC_WAIT

class Cursor {
 public:
  virtual ~Cursor() = default;
  // SetCursor with the system cursor LoadCursorA gives for the shape.
  virtual void SetCursor(CursorShape shape) = 0;
  virtual int ShowCursor(bool show) = 0;
};

// The backdrop window and the one dialog, which the backdrop owns.
class Backdrop {
 public:
  virtual ~Backdrop() = default;
  virtual void RegisterSplashClass() = 0;
  virtual bool CreateSplashWindow(int showCommand) = 0;
  // DialogBoxParamA with the template, the backdrop window as owner; returns the dialog's result.
  virtual int DialogBoxParamA(int templateId) = 0;
  // The window procedure run directly with WM_PAINT, outside any message dispatch: redraws what is
  // marked invalid. Draws nothing before the window exists.
  virtual void PaintSplashWindow() = 0;
};

}  // namespace kiv
