// The installer's resources as the resource compiler built them: the string table of default settings
// and the "Modem Already Installed" template, read back field by field from the binary template, since
// a resource compiler may quietly drop what the script says.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "installer/win32/resource.h"

namespace kiv {
namespace {

TEST(InstallerResources, StringTableHoldsEveryDefaultSetting) {
  const struct {
    unsigned id;
    const char* text;
  } strings[] = {
      {103, "installer"},
      {109, "INSTALLER"},
      {110, "TarvoK41.sys"},
      {111, "TarvoK41.inf"},
      {112, "TarvoK51.sys"},
      {113, "TarvoK51.inf"},
      {114, "TarvoK51.cat"},
      {115, "kiv"},
      {116, "Tarvo Corporation"},
      {117, "Tarvo Kiv Data Fax"},
      {118, "1"},
      {119, "installer.exe"},
      {120, "kivtool.exe"},
      {121, "kivtool.lnk"},
      {122, "installer.cfg"},
  };
  for (const auto& s : strings) {
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

TEST(InstallerResources, AlreadyInstalledTemplateIsLaidOutAsDesigned) {
  const HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_ALREADY_INSTALLED), MAKEINTRESOURCEA(5));
  ASSERT_NE(found, nullptr);
  TemplateReader t(static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found))));

  const DWORD style = t.Dword();
  EXPECT_EQ(style, DWORD{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT});
  EXPECT_EQ(t.Dword(), 0u);  // no extended style
  const std::uint16_t count = t.Word();
  const std::int16_t x = t.Short(), y = t.Short(), cx = t.Short(), cy = t.Short();
  EXPECT_EQ(x, 50);
  EXPECT_EQ(y, 50);
  EXPECT_EQ(cx, 152);
  EXPECT_EQ(cy, 124);
  EXPECT_EQ(t.NameOrOrdinal(), "");  // no menu
  EXPECT_EQ(t.NameOrOrdinal(), "");  // the system's dialog class
  EXPECT_EQ(t.NameOrOrdinal(), "Modem Already Installed");
  ASSERT_TRUE(style & DS_SETFONT);
  EXPECT_EQ(t.Word(), 10);
  EXPECT_EQ(t.NameOrOrdinal(), "MS Sans Serif");

  std::vector<Control> controls;
  for (int i = 0; i < count; ++i) {
    t.AlignToDword();
    Control c;
    c.style = t.Dword();
    EXPECT_EQ(t.Dword(), 0u) << i;
    c.x = t.Short();
    c.y = t.Short();
    c.cx = t.Short();
    c.cy = t.Short();
    c.id = t.Word();
    c.windowClass = ClassOrdinal(t.NameOrOrdinal());
    c.text = t.NameOrOrdinal();
    t.Skip(t.Word());
    controls.push_back(c);
  }

  // Only the push buttons are tab stops, and none is the default button.
  const DWORD child = WS_CHILD | WS_VISIBLE;
  const DWORD button = child | WS_TABSTOP | BS_PUSHBUTTON;
  const DWORD icon = child | SS_ICON;
  const std::uint16_t none = 0xFFFF;
  const std::vector<Control> expected = {
      {"#128", button, 56, 93, 46, 17, IDCANCEL, "Cancel"},
      {"#130", child | WS_GROUP | SS_LEFT, 26, 18, 103, 17, none,
       "The Data Fax Voice Modem is already installed."},
      {"#128", button, 56, 47, 46, 17, IDC_UNINSTALL, "Uninstall"},
      {"#128", button, 56, 66, 46, 17, IDC_REINSTALL, "Reinstall"},
      {"#130", icon, 37, 48, 16, 16, none, "#135"},
      {"#130", icon, 37, 67, 16, 16, none, "#134"},
      {"#130", icon, 7, 7, 20, 20, none, "#136"},
      {"#128", child | BS_GROUPBOX, 33, 38, 79, 51, none, ""},
  };
  EXPECT_EQ(controls, expected);
}

}  // namespace
}  // namespace kiv
