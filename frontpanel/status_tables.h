// The constant tables that turn the codes of a status record into texts and tray pictures. Texts are
// the ones the user reads, blanks included: every non-empty error-correction and compression text ends
// in one blank, so that a connection line reads with single blanks whichever of them is empty.
#pragma once

#include <array>
#include <cstdint>

#include "frontpanel/view_operations.h"

namespace kiv {

// Operating modes with a text; every other mode leaves the mode pane and the tray tip as they are.
struct ModeText {
  std::uint16_t mode;
  const char* text;
};

inline constexpr std::array<ModeText, 5> kModeTexts = {{
    {1, "Idle mode"},
    {2, "Data mode"},
    {3, "Fax mode"},
    {4, "Voice mode"},
    {5, "VoiceView"},
}};

// By callState. Rows 4 to 7 differ only in their number of full stops.
inline constexpr std::array<const char*, 15> kCallStateTexts = {{
    "Modem is idle.",                  // 0
    "Originating call...",             // 1
    "Answering call...",               // 2
    "Connected",                       // 3: never shown, state 3 takes the connection line
    "Dropping call...",                // 4
    "Dropping call....",               // 5
    "Dropping call....",               // 6
    "Dropping call......",             // 7
    "Retraining or dropping call...",  // 8
    "Answering fax call...",           // 9
    "Originating fax call...",         // 10
    "Connecting fax...",               // 11
    "Dropping fax call...",            // 12
    "Fax Auto Answer",                 // 13
    "Voice connected",                 // 14
}};

// The tray picture for each callState; above 14 the tray icon stays as it is. The interpreter never
// chooses ANSW, and IDLE comes only from the link's Open and Close.
inline constexpr std::array<TraySlot, 15> kCallStateTraySlots = {{
    TraySlot::kOrig,       // 0
    TraySlot::kOrig,       // 1
    TraySlot::kOrig,       // 2
    TraySlot::kConnected,  // 3
    TraySlot::kDisc,       // 4
    TraySlot::kDisc,       // 5
    TraySlot::kDisc,       // 6
    TraySlot::kDisc,       // 7
    TraySlot::kRetrain,    // 8
    TraySlot::kOrig,       // 9
    TraySlot::kOrig,       // 10
    TraySlot::kConnected,  // 11
    TraySlot::kDisc,       // 12
    TraySlot::kOrig,       // 13
    TraySlot::kConnected,  // 14
}};

// Error-correction and compression protocols, keyed by the whole 32-bit code (the ASCII code of a
// letter); any code not listed, 0 included, has the empty text.
struct CodeText {
  std::uint32_t code;
  const char* text;
};

inline constexpr std::array<CodeText, 13> kErrorCorrectionTexts = {{
    {74, "V.80 SAM "},    // J
    {77, "LAPM "},        // M
    {78, "LAPM ETC "},    // N
    {80, "MNP "},         // P
    {81, "MNP 2 "},       // Q
    {82, "MNP 3 "},       // R
    {83, "MNP 2,4 "},     // S
    {84, "MNP 3,4 "},     // T
    {85, "MNP 2,10 "},    // U
    {86, "MNP 3,10 "},    // V
    {87, "MNP 2,4,10 "},  // W
    {88, "MNP 3,4,10 "},  // X
    {120, "??? "},        // x
}};

inline constexpr std::array<CodeText, 3> kCompressionTexts = {{
    {66, "MNP 5 "},    // B
    {67, "V.42bis "},  // C
    {120, "??? "},     // x
}};

// By modulation index; an index of 24 or more has no name.
inline constexpr std::array<const char*, 24> kModulationNames = {{
    "Bell 103",    // 0
    "Bell 212",    // 1
    "V.21",        // 2
    "V.21 ch2",    // 3
    "V.23 ADX",    // 4
    "V.23 HDX",    // 5
    "V.22",        // 6
    "V.22bis",     // 7
    "V.27 short",  // 8
    "V.27 long",   // 9
    "V.27ter",     // 10
    "V.29",        // 11
    "V.32",        // 12
    "V.32 TCM",    // 13
    "V.17",        // 14
    "V.33",        // 15
    "V.32bis",     // 16
    "V.34",        // 17
    "V.34+",       // 18
    "X2",          // 19
    "X2",          // 20
    "X2",          // 21
    "X2",          // 22
    "V.90",        // 23
}};

// The mode's text, or null when the mode has none.
const char* FindModeText(std::uint16_t mode);
// The protocol's text, or the empty text when the code is not listed.
const char* FindErrorCorrectionText(std::uint32_t code);
const char* FindCompressionText(std::uint32_t code);

}  // namespace kiv
