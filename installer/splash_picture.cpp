#include "installer/splash_picture.h"

namespace kiv {

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

std::uint32_t Read16(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8;
}

std::uint32_t Read32(const std::uint8_t* p) {
  return Read16(p) | Read16(p + 2) << 16;
}

}  // namespace

bool ParseSplashPicture(const std::uint8_t* data, std::size_t size, SplashPicture& picture) {
  // The file header and the image header's size field.
  if (data == nullptr || size < kBitmapFileHeaderSize + 4) return false;
  if (data[0] != 'B' || data[1] != 'M') return false;
  if (Read32(data + 2) != size) return false;

  const std::uint64_t fileSize = size;
  const std::uint64_t pixelOffset = Read32(data + 10);
  const std::uint32_t headerSize = Read32(data + kBitmapFileHeaderSize);
  const bool core = headerSize == kBitmapCoreHeaderSize;
  // Anything but the core header is read by the platform as at least the 40-byte long one.
  if (!core && headerSize < kBitmapInfoHeaderSize) return false;
  if (kBitmapFileHeaderSize + std::uint64_t{headerSize} > fileSize) return false;

  const std::uint8_t* header = data + kBitmapFileHeaderSize;
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t bitCount = 0;
  std::uint32_t compression = kBiRgb;
  std::uint64_t colours = 0;
  std::uint64_t imageSize = 0;
  if (core) {
    width = Read16(header + 4);
    height = Read16(header + 6);
    bitCount = Read16(header + 10);
  } else {
    width = static_cast<std::int32_t>(Read32(header + 4));
    height = static_cast<std::int32_t>(Read32(header + 8));
    bitCount = Read16(header + 14);
    compression = Read32(header + 16);
    imageSize = Read32(header + 20);
    colours = Read32(header + 32);
  }
  if (height < 0) height = -height;
  if (width <= 0 || height > INT32_MAX) return false;

  // The colour table that follows the header.
  std::uint64_t tableBytes = 0;
  switch (bitCount) {
    case 1:
    case 4:
    case 8:
      // A long header may name fewer colours than the depth allows; the platform reads as many.
      if (core || colours == 0) colours = 1u << bitCount;
      tableBytes = colours * (core ? 3 : 4);
      break;
    case 16:
    case 24:
    case 32:
      // Three masks follow a 40-byte header for bit fields; a longer header holds them itself.
      if (compression == kBiBitfields && headerSize == kBitmapInfoHeaderSize) tableBytes = 12;
      if (!core && compression != kBiRgb && compression != kBiBitfields) return false;
      tableBytes += colours * 4;
      break;
    default:
      return false;
  }
  if (kBitmapFileHeaderSize + headerSize + tableBytes > fileSize) return false;

  // The pixel data: whole rows of 32-bit units, or the stated size of compressed data.
  std::uint64_t pixelBytes = 0;
  if (compression == kBiRgb || compression == kBiBitfields) {
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
    pixelBytes = rowBytes * static_cast<std::uint64_t>(height);
  } else {
    if (imageSize == 0) return false;
    pixelBytes = imageSize;
  }
  if (pixelOffset > fileSize || pixelBytes > fileSize - pixelOffset) return false;

  picture.headerOffset = kBitmapFileHeaderSize;
  picture.pixelOffset = static_cast<std::size_t>(pixelOffset);
  picture.width = static_cast<std::int32_t>(width);
  picture.height = static_cast<std::int32_t>(height);
  return true;
}

}  // namespace kiv
