// kivpanel's resources as the resource compiler built them: the main window's template, the menus,
// the accelerators, the light bitmaps and the icons, read back through the calls the panel makes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontpanel/win32/resource.h"

namespace kiv {
namespace {

HINSTANCE Module() {
  return ::GetModuleHandleA(nullptr);
}

std::vector<UINT> ItemIds(HMENU menu) {
  std::vector<UINT> ids;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) ids.push_back(::GetMenuItemID(menu, i));
  return ids;
}

std::string ItemText(HMENU menu, int position) {
  char text[64] = {};
  ::GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

constexpr UINT kSeparator = 0;

TEST(PanelResources, MenusHoldTheirCommandsInOrder) {
  HMENU normal = ::LoadMenuA(Module(), MAKEINTRESOURCEA(IDM_PANEL));
  HMENU trayStart = ::LoadMenuA(Module(), MAKEINTRESOURCEA(IDM_PANEL_TRAY_START));
  HMENU tray = ::LoadMenuA(Module(), MAKEINTRESOURCEA(IDM_TRAY));
  ASSERT_TRUE(normal && trayStart && tray);
  for (HMENU menu : {normal, trayStart}) {
    ASSERT_EQ(::GetMenuItemCount(menu), 3);
    EXPECT_EQ(ItemText(menu, 0), "&File");
    EXPECT_EQ(ItemText(menu, 1), "&Window");
    EXPECT_EQ(ItemText(menu, 2), "&Help");
    EXPECT_EQ(ItemIds(::GetSubMenu(menu, 0)), (std::vector<UINT>{40026, 40024, kSeparator, 40019}));
    EXPECT_EQ(ItemText(::GetSubMenu(menu, 0), 0), "&Configure...\t(F3)");
    EXPECT_EQ(ItemIds(::GetSubMenu(menu, 2)), (std::vector<UINT>{40020}));
    EXPECT_EQ(ItemText(::GetSubMenu(menu, 2), 0), "&About...\t(F1)");
    EXPECT_NE(::GetMenuState(menu, 40001, MF_BYCOMMAND) & MF_CHECKED, 0u);
  }
  EXPECT_EQ(ItemIds(::GetSubMenu(normal, 1)), (std::vector<UINT>{40001, kSeparator, 40002, 40003}));
  EXPECT_EQ(ItemText(::GetSubMenu(normal, 1), 3), "Start as Tray &Icon Only");
  EXPECT_EQ(ItemIds(::GetSubMenu(trayStart, 1)), (std::vector<UINT>{40001}));

  EXPECT_EQ(ItemText(tray, 0), "Pop Up Menu");
  HMENU popup = ::GetSubMenu(tray, 0);
  EXPECT_EQ(ItemIds(popup), (std::vector<UINT>{40021, 40020, kSeparator, 40026, 40024, kSeparator, 40019}));
  EXPECT_EQ(ItemText(popup, 0), "&Open");
  EXPECT_EQ(ItemText(popup, 6), "E&xit");
  EXPECT_EQ(::GetMenuDefaultItem(popup, FALSE, 0), static_cast<UINT>(-1)) << "the menu has no default item";
}

TEST(PanelResources, AcceleratorsAreTheFourPlainFunctionKeys) {
  HACCEL table = ::LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDA_PANEL));
  ASSERT_NE(table, nullptr);
  ACCEL entries[8] = {};
  ASSERT_EQ(::CopyAcceleratorTableA(table, entries, 8), 4);
  const ACCEL expected[] = {{FVIRTKEY | FNOINVERT, VK_F1, 40020},
                            {FVIRTKEY | FNOINVERT, VK_F2, 40024},
                            {FVIRTKEY | FNOINVERT, VK_F3, 40026},
                            {FVIRTKEY | FNOINVERT, VK_ESCAPE, 40025}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(entries[i].fVirt & ~0x80, expected[i].fVirt) << i;  // 0x80 marks the table's last entry
    EXPECT_EQ(entries[i].key, expected[i].key) << i;
    EXPECT_EQ(entries[i].cmd, expected[i].cmd) << i;
  }
}

TEST(PanelResources, IconsExistForEverySlotAndThereIsNo124) {
  for (int id : {110, 118, 119, 120, 121, 122, 123, 125, 126, 127}) {
    EXPECT_NE(::LoadIconA(Module(), MAKEINTRESOURCEA(id)), nullptr) << id;
  }
  EXPECT_EQ(::LoadIconA(Module(), MAKEINTRESOURCEA(124)), nullptr);
}

TEST(PanelResources, LightsAreTenPixelsWithABlackBorder) {
  const struct {
    int id;
    COLORREF inside;
  } lights[] = {{IDB_LIGHT_LIT, RGB(255, 0, 0)}, {IDB_LIGHT_DARK, RGB(192, 192, 192)}};
  HDC dc = ::CreateCompatibleDC(nullptr);
  for (const auto& light : lights) {
    HBITMAP bitmap = ::LoadBitmapA(Module(), MAKEINTRESOURCEA(light.id));
    ASSERT_NE(bitmap, nullptr) << light.id;
    BITMAP info{};
    ::GetObjectA(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 10);
    EXPECT_EQ(info.bmHeight, 10);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(0, 0, 0)) << light.id;
    EXPECT_EQ(::GetPixel(dc, 9, 5), RGB(0, 0, 0)) << light.id;
    EXPECT_EQ(::GetPixel(dc, 5, 5), light.inside) << light.id;
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
  }
  ::DeleteDC(dc);
}

TEST(PanelResources, TheMainTemplateMakesAHiddenKivapplWindowWithTheLightControls) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = ::DefDlgProcA;
  windowClass.cbWndExtra = DLGWINDOWEXTRA;
  windowClass.hInstance = Module();
  windowClass.lpszClassName = "KIVAPPL";
  ASSERT_NE(::RegisterClassExA(&windowClass), 0);
  HWND window = ::CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_PANEL), nullptr, nullptr, 0);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(::IsWindowVisible(window));
  const LONG style = ::GetWindowLongA(window, GWL_STYLE);
  EXPECT_EQ(style & WS_THICKFRAME, 0) << "no sizing border";
  EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
  EXPECT_NE(style & WS_MINIMIZEBOX, 0);

  for (int light : {1000, 1001, 1002, 1003, 1006, 1013, 1014}) {
    HWND control = ::GetDlgItem(window, light);
    ASSERT_NE(control, nullptr) << light;
    EXPECT_NE(::GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE, 0) << light;
    EXPECT_EQ(::GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK, SS_BITMAP) << light;
  }
  // The window is hidden, so visibility is read from the style. The tip areas and their frame only lend the
  // tooltips their rectangles.
  for (int area : {1005, 1007, 1008, 1009, 1010, 1011, 1012, 1016}) {
    HWND control = ::GetDlgItem(window, area);
    ASSERT_NE(control, nullptr) << area;
    EXPECT_EQ(::GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE, 0) << area;
  }
  char text[64] = {};
  ::GetDlgItemTextA(window, 1017, text, sizeof text);
  EXPECT_STREQ(text, "DSR      CTS       CD     RING      OH");
  for (int group : {1015, 1017}) {
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, group))) << "groups start greyed";
  }
  ::DestroyWindow(window);
}

}  // namespace
}  // namespace kiv
