#include "installer/win32/splash_window.h"

#include "installer/win32/resource.h"

namespace kiv {

namespace {

const COLORREF kBackgroundColour = RGB(0, 128, 128);

// Set once and kept until the process ends.
struct SplashWindow {
  HINSTANCE instance = nullptr;
  const InstallerSettings* settings = nullptr;
  HWND window = nullptr;
  int screenWidth = 0;
  HFONT titleFont = nullptr;
  HBRUSH backgroundBrush = nullptr;
};

SplashWindow splash;

void CreateDrawingTools(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  splash.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  LOGFONTA font = {};
  font.lfHeight = (client.bottom - client.top) / 20;
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

// Only the background so far; the picture and the title are drawn over it later.
void Paint(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc != nullptr) {
    SetBkColor(dc, kBackgroundColour);
    FillRect(dc, &client, splash.backgroundBrush);
  }
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

}  // namespace kiv
