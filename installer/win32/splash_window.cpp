#include "installer/win32/splash_window.h"

#include <cstdlib>
#include <cstring>

#include "installer/splash_picture.h"
#include "installer/text_buffers.h"
#include "installer/win32/resource.h"

namespace kiv {

namespace {

const COLORREF kBackgroundColour = RGB(0, 128, 128);
const COLORREF kShadowColour = RGB(10, 10, 10);
const COLORREF kTitleColour = RGB(240, 240, 240);

// Set once and kept until the process ends.
struct SplashWindow {
  HINSTANCE instance = nullptr;
  const InstallerSettings* settings = nullptr;
  HWND window = nullptr;
  int screenWidth = 0;
  HFONT titleFont = nullptr;
  HBRUSH backgroundBrush = nullptr;
  std::uint8_t* pictureFile = nullptr;  // none when loading failed
  SplashPicture picture;
};

SplashWindow splash;

void CreateDrawingTools(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  splash.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  LOGFONTA font = {};
  font.lfHeight = (client.bottom - client.top) / 20;
  // Not clamped: a screen 1024 pixels wide asks for 724.
  font.lfWeight = splash.screenWidth - 300;
  font.lfItalic = 1;
  font.lfCharSet = ANSI_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  lstrcpynA(font.lfFaceName, "Times New Roman", LF_FACESIZE);
  splash.titleFont = CreateFontIndirectA(&font);
  splash.backgroundBrush = CreateSolidBrush(kBackgroundColour);
}

// Only the part marked invalid is drawn, so a direct call repairs what other windows uncovered and
// draws nothing when all is valid.
void Paint(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc == nullptr) return;
  SetBkColor(dc, kBackgroundColour);
  FillRect(dc, &client, splash.backgroundBrush);
  DrawSplashBitmap(dc, client.right - client.left, client.bottom - client.top);

  HGDIOBJ oldFont = SelectObject(dc, splash.titleFont);
  // Built here, in this thread's own storage: the uninstallation paints from its wait loop.
  char title[kSettingTextSize + 32];
  FormatText(title, sizeof title, "%s Installation Program", splash.settings->modemName);
  const UINT length = static_cast<UINT>(std::strlen(title));
  // The shadow first, its cells filled with the background colour (the mode is still opaque), then
  // the title over it, shifted back by the screen width / 250.
  const int shadow = splash.screenWidth / 250 + 20;
  SetTextColor(dc, kShadowColour);
  ExtTextOutA(dc, shadow, shadow, ETO_OPAQUE, nullptr, title, length, nullptr);
  SetTextColor(dc, kTitleColour);
  SetBkMode(dc, TRANSPARENT);
  ExtTextOutA(dc, 20, 20, 0, nullptr, title, length, nullptr);
  SelectObject(dc, oldFont);
  EndPaint(window, &ps);
}

}  // namespace

void RegisterSplashClass(HINSTANCE instance, const InstallerSettings& settings) {
  splash.settings = &settings;
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = SplashWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_KIV_SETUP));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = settings.windowClass;
  windowClass.hIconSm =
      static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_KIV_SETUP_SMALL), IMAGE_ICON,
                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  RegisterClassExA(&windowClass);
}

bool CreateSplashWindow(HINSTANCE instance, int showCommand) {
  splash.instance = instance;
  // SM_CXFULLSCREEN for the height as well: the window is square.
  const int side = GetSystemMetrics(SM_CXFULLSCREEN);
  HWND window = CreateWindowExA(0, splash.settings->windowClass, splash.settings->windowTitle,
                                WS_OVERLAPPEDWINDOW, 0, 0, side, side, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return false;
  splash.window = window;
  LoadSplashBitmap("setup.bmp");
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  return true;
}

LRESULT CALLBACK SplashWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateDrawingTools(window);
      return 0;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_COMMAND:
      // Nothing in the program sends these: the window has no menu and no accelerators.
      switch (LOWORD(wParam)) {
        case kSplashAboutCommand:
          DialogBoxParamA(splash.instance, MAKEINTRESOURCEA(IDD_INSTALLER_ABOUT), window, InstallerAboutBox,
                          0);
          return 0;
        case kSplashCloseCommand:
          DeleteObject(splash.backgroundBrush);
          DeleteObject(splash.titleFont);
          DestroyWindow(window);
          return 0;
        default:
          return DefWindowProcA(window, message, wParam, lParam);
      }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

HWND SplashWindowHandle() {
  return splash.window;
}

bool LoadSplashBitmap(const char* fileName) {
  HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD sizeHigh = 0;
  const DWORD size = GetFileSize(file, &sizeHigh);
  if ((size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || sizeHigh != 0) {
    CloseHandle(file);
    return false;
  }
  auto* buffer = static_cast<std::uint8_t*>(std::malloc(size != 0 ? size : 1));
  if (buffer == nullptr) {
    CloseHandle(file);
    return false;
  }
  DWORD read = 0;
  const BOOL readOk = ReadFile(file, buffer, size, &read, nullptr);
  CloseHandle(file);
  SplashPicture picture;
  if (!readOk || read < size || !ParseSplashPicture(buffer, size, picture)) {
    std::free(buffer);
    return false;
  }
  std::free(splash.pictureFile);
  splash.pictureFile = buffer;
  splash.picture = picture;
  return true;
}

// A picture larger than the window gets a negative offset and is cut on both sides.
void DrawSplashBitmap(HDC dc, int clientWidth, int clientHeight) {
  if (splash.pictureFile == nullptr) return;
  const SplashPicture& p = splash.picture;
  SetDIBitsToDevice(dc, (clientWidth - p.width) / 2, (clientHeight - p.height) / 2,
                    static_cast<DWORD>(p.width), static_cast<DWORD>(p.height), 0, 0, 0,
                    static_cast<UINT>(p.height), splash.pictureFile + p.pixelOffset,
                    reinterpret_cast<const BITMAPINFO*>(splash.pictureFile + p.headerOffset), DIB_RGB_COLORS);
}

INT_PTR CALLBACK InstallerAboutBox(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace kiv
