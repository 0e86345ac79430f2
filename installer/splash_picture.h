// The backdrop's picture: a Windows bitmap file held whole in memory. The image header (with its
// colour table) and the pixel data are handed to the platform unchanged, so a file is only accepted
// when everything the platform will read from it lies inside it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kiv {

inline constexpr std::size_t kBitmapFileHeaderSize = 14;
inline constexpr std::uint32_t kBitmapCoreHeaderSize = 12;
inline constexpr std::uint32_t kBitmapInfoHeaderSize = 40;

struct SplashPicture {
  std::size_t headerOffset = 0;  // the image header, always 14
  std::size_t pixelOffset = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;  // the absolute value: a top-down picture stores it negative
};

// Checks the file's content as the backdrop needs it and fills picture; false refuses the file.
bool ParseSplashPicture(const std::uint8_t* data, std::size_t size, SplashPicture& picture);

}  // namespace kiv
