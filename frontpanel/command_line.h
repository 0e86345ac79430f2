// Reading the front panel's command line and composing its window title.
#pragma once

#include <cstddef>

#include "frontpanel/panel_state.h"

namespace kiv {

// The command line is searched for "/B:" in a working copy of this many bytes.
inline constexpr std::size_t kCommandLineCopySize = 240;

inline constexpr int kMenuNormalStart = 103;
inline constexpr int kMenuTrayStart = 104;

struct CommandLine {
  bool trayStart = false;  // "/i" or "/I" anywhere, also inside the "/B:" token
  int menu = kMenuNormalStart;
  // The "/B:" token followed by "\FrontPanel"; empty without a token, or when the token would not fit.
  char settingsKeyPath[kPanelTextSize] = {};
};

// line may be null, which reads as an empty line.
CommandLine ReadCommandLine(const char* line);

// The title is the modem name followed by " Front Panel"; modemName is null when the setting could not
// be read. A name too long for the title is cut so that the title always ends in " Front Panel".
void ComposeTitle(const char* modemName, char (&title)[kPanelTextSize]);

}  // namespace kiv
