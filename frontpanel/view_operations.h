// Everything the status logic shows goes through these twelve operations; the status panel, the tray
// icon and the statistics dialog carry them out. None of them calls back into the status logic.
#pragma once

#include <array>
#include <cstdint>

namespace kiv {

// The seven signal lights, in the fixed order of every light update and of ClearLights.
enum class Light : std::uint8_t { kDtr, kRts, kDsr, kCts, kCd, kOh, kRing };

struct LightInfo {
  Light light;
  const char* abbreviation;
  const char* name;
  std::uint32_t bit;  // in ModemStatusRecord::signals
};

inline constexpr std::array<LightInfo, 7> kLightTable = {{
    {Light::kDtr, "DTR", "Data Terminal Ready", 0x004},
    {Light::kRts, "RTS", "Request to Send", 0x008},
    {Light::kDsr, "DSR", "Data Set Ready", 0x010},
    {Light::kCts, "CTS", "Clear to Send", 0x020},
    {Light::kCd, "CD", "Carrier Detect", 0x040},
    {Light::kOh, "OH", "Off Hook", 0x080},
    {Light::kRing, "RING", "Ring Indicate", 0x100},
}};

// The first light group holds DTR and RTS, the second the other five.
inline constexpr std::size_t kFirstGroupLightCount = 2;

// The tray icon's six pictures; ORIG and ANSW share one.
enum class TraySlot : int { kIdle = 0, kOrig = 1, kAnsw = 2, kConnected = 3, kDisc = 4, kRetrain = 5 };

inline constexpr int kTraySlotCount = 6;

// SetTrayTip's text holds at most 48 characters; the whole tip at most 63.
inline constexpr std::size_t kTrayTipTextMax = 48;
inline constexpr std::size_t kTrayTipMax = 63;

class ViewOperations {
 public:
  virtual ~ViewOperations() = default;

  // Status panel.
  virtual void SetModeText(const char* text) = 0;
  virtual void SetCallText(const char* text) = 0;
  virtual void SetSimpleStatus(bool on) = 0;
  virtual void SetLight(Light light, bool on) = 0;
  virtual void ClearLights() = 0;
  virtual void EnableLightGroups(bool on) = 0;

  // Tray icon. A slot outside 0 to 5 shows IDLE.
  virtual void SetTrayState(TraySlot slot) = 0;
  virtual void SetTrayTip(const char* text) = 0;

  // Statistics dialog.
  virtual bool IsStatisticsOpen() = 0;
  virtual bool StatisticsActive() = 0;
  virtual void PollStatistics() = 0;
  virtual void SetStatisticsActive(bool on) = 0;
};

}  // namespace kiv
