// The installer's resources as the resource compiler built them: the string table of default settings,
// the "Modem Already Installed" template and the backdrop's About template, read back field by field
// from the binary templates, since a resource compiler may quietly drop what the script says.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "installer/win32/resource.h"
#include "tests/installer/string_table_defaults.h"

namespace kiv {
namespace {

TEST(InstallerResources, StringTableHoldsEveryDefaultSetting) {
  for (const auto& s : kiv::testing::kStringTableDefaults) {
    char text[100] = {};
    EXPECT_GT(LoadStringA(GetModuleHandleA(nullptr), s.id, text, sizeof text), 0) << s.id;
    EXPECT_STREQ(text, s.text) << s.id;
  }
}

// Reads a dialog template (the DLGTEMPLATE form) word by word.
class TemplateReader {
 public:
  explicit TemplateReader(const std::uint8_t* data) : p_(data), start_(data) {}

  std::uint16_t Word() {
    std::uint16_t value;
    std::memcpy(&value, p_, sizeof value);
    p_ += sizeof value;
    return value;
  }
  std::uint32_t Dword() {
    const std::uint32_t low = Word();
    return low | static_cast<std::uint32_t>(Word()) << 16;
  }
  std::int16_t Short() { return static_cast<std::int16_t>(Word()); }
  // A string, or "#n" for an ordinal.
  std::string NameOrOrdinal() {
    if (*reinterpret_cast<const std::uint16_t*>(p_) == 0xFFFF) {
      Word();
      return "#" + std::to_string(Word());
    }
    std::string text;
    for (std::uint16_t c = Word(); c != 0; c = Word()) text += static_cast<char>(c);
    return text;
  }
  void AlignToDword() {
    while ((p_ - start_) % 4 != 0) ++p_;
  }
  void Skip(std::size_t bytes) { p_ += bytes; }

 private:
  const std::uint8_t* p_;
  const std::uint8_t* start_;
};

// The dialog manager takes a predefined class by ordinal or by name in any case; resource compilers
// differ in which they write.
std::string ClassOrdinal(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (name == "button") return "#128";
  if (name == "static") return "#130";
  return name;
}

struct Control {
  std::string windowClass;  // "#128" button, "#130" static
  DWORD style;
  std::int16_t x, y, cx, cy;
  std::uint16_t id;
  std::string text;  // "#n" names an icon resource
};

bool operator==(const Control& a, const Control& b) {
  return a.windowClass == b.windowClass && a.style == b.style && a.x == b.x && a.y == b.y && a.cx == b.cx &&
         a.cy == b.cy && a.id == b.id && a.text == b.text;
}

void PrintTo(const Control& c, std::ostream* out) {
  *out << c.windowClass << " style 0x" << std::hex << c.style << std::dec << " id " << c.id << " \"" << c.text
       << "\" at " << c.x << "," << c.y << " size " << c.cx << "x" << c.cy;
}

// A dialog template as the resource holds it; checks that belong to every template are made here.
struct DialogTemplate {
  DWORD style = 0;
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;
  std::string caption;
  std::uint16_t pointSize = 0;
  std::string font;
  std::vector<Control> controls;
};

DialogTemplate ReadTemplate(int id) {
  DialogTemplate d;
  const HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
  EXPECT_NE(found, nullptr) << id;
  if (found == nullptr) return d;
  TemplateReader t(static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found))));

  d.style = t.Dword();
  EXPECT_EQ(t.Dword(), 0u) << id << ": no extended style";
  const std::uint16_t count = t.Word();
  d.x = t.Short();
  d.y = t.Short();
  d.cx = t.Short();
  d.cy = t.Short();
  EXPECT_EQ(t.NameOrOrdinal(), "") << id << ": no menu";
  EXPECT_EQ(t.NameOrOrdinal(), "") << id << ": the system's dialog class";
  d.caption = t.NameOrOrdinal();
  EXPECT_TRUE(d.style & DS_SETFONT) << id;
  if (d.style & DS_SETFONT) {
    d.pointSize = t.Word();
    d.font = t.NameOrOrdinal();
  }

  for (int i = 0; i < count; ++i) {
    t.AlignToDword();
    Control c;
    c.style = t.Dword();
    EXPECT_EQ(t.Dword(), 0u) << id << " control " << i;
    c.x = t.Short();
    c.y = t.Short();
    c.cx = t.Short();
    c.cy = t.Short();
    c.id = t.Word();
    c.windowClass = ClassOrdinal(t.NameOrOrdinal());
    c.text = t.NameOrOrdinal();
    t.Skip(t.Word());
    d.controls.push_back(c);
  }
  return d;
}

const DWORD kChild = WS_CHILD | WS_VISIBLE;
const std::uint16_t kNoId = 0xFFFF;

TEST(InstallerResources, AlreadyInstalledTemplateIsLaidOutAsDesigned) {
  const DialogTemplate d = ReadTemplate(IDD_ALREADY_INSTALLED);
  EXPECT_EQ(d.style, DWORD{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT});
  EXPECT_EQ(d.x, 50);
  EXPECT_EQ(d.y, 50);
  EXPECT_EQ(d.cx, 152);
  EXPECT_EQ(d.cy, 124);
  EXPECT_EQ(d.caption, "Modem Already Installed");
  EXPECT_EQ(d.pointSize, 10);
  EXPECT_EQ(d.font, "MS Sans Serif");

  // Only the push buttons are tab stops, and none is the default button.
  const DWORD button = kChild | WS_TABSTOP | BS_PUSHBUTTON;
  const DWORD icon = kChild | SS_ICON;
  const std::vector<Control> expected = {
      {"#128", button, 56, 93, 46, 17, IDCANCEL, "Cancel"},
      {"#130", kChild | WS_GROUP | SS_LEFT, 26, 18, 103, 17, kNoId,
       "The Data Fax Voice Modem is already installed."},
      {"#128", button, 56, 47, 46, 17, IDC_UNINSTALL, "Uninstall"},
      {"#128", button, 56, 66, 46, 17, IDC_REINSTALL, "Reinstall"},
      {"#130", icon, 37, 48, 16, 16, kNoId, "#135"},
      {"#130", icon, 37, 67, 16, 16, kNoId, "#134"},
      {"#130", icon, 7, 7, 20, 20, kNoId, "#136"},
      {"#128", kChild | BS_GROUPBOX, 33, 38, 79, 51, kNoId, ""},
  };
  EXPECT_EQ(d.controls, expected);
}

TEST(InstallerResources, AboutTemplateIsLaidOutAsDesigned) {
  const DialogTemplate d = ReadTemplate(IDD_INSTALLER_ABOUT);
  EXPECT_EQ(d.style, DWORD{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT});
  EXPECT_EQ(d.x, 22);
  EXPECT_EQ(d.y, 17);
  EXPECT_EQ(d.cx, 230);
  EXPECT_EQ(d.cy, 75);
  EXPECT_EQ(d.caption, "About");
  EXPECT_EQ(d.pointSize, 8);
  EXPECT_EQ(d.font, "System");

  const DWORD text = kChild | WS_GROUP | SS_LEFT;
  const std::vector<Control> expected = {
      {"#130", kChild | SS_ICON, 14, 9, 20, 20, IDC_ABOUT_ICON, "#107"},
      {"#130", text, 49, 10, 119, 8, kNoId, "installer Version 4.09"},
      {"#130", text, 49, 20, 119, 8, kNoId, "Copyright (C) Tarvo Corporation"},
      {"#128", kChild | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 195, 6, 30, 11, IDOK, "OK"},
  };
  EXPECT_EQ(d.controls, expected);
}

}  // namespace
}  // namespace kiv
