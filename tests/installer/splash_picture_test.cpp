#include "installer/splash_picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace kiv {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

// A whole file with a long header: rows padded to 32 bits, a full colour table at 8 bits or less.
Bytes LongBitmap(std::int32_t width, std::int32_t height, std::uint32_t bitCount) {
  const std::uint32_t table = bitCount <= 8 ? (1u << bitCount) * 4 : 0;
  const std::uint32_t rows = static_cast<std::uint32_t>(height < 0 ? -height : height);
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * bitCount + 31) / 32 * 4;
  const std::uint32_t offset = 14 + 40 + table;
  Bytes b(offset + rowBytes * rows, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<std::uint32_t>(b.size()));
  Put32(b, 10, offset);
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<std::uint32_t>(width));
  Put32(b, 22, static_cast<std::uint32_t>(height));
  Put16(b, 26, 1);
  Put16(b, 28, bitCount);
  return b;
}

Bytes CoreBitmap(std::uint16_t width, std::uint16_t height) {
  const std::uint32_t rowBytes = (width * 24u + 31) / 32 * 4;
  const std::uint32_t offset = 14 + 12;
  Bytes b(offset + rowBytes * height, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<std::uint32_t>(b.size()));
  Put32(b, 10, offset);
  Put32(b, 14, 12);
  Put16(b, 18, width);
  Put16(b, 20, height);
  Put16(b, 22, 1);
  Put16(b, 24, 24);
  return b;
}

// Cuts the file and keeps its size field truthful, so only the deeper checks can refuse it.
Bytes Truncated(Bytes b, std::size_t size) {
  b.resize(size);
  if (size >= 6) Put32(b, 2, static_cast<std::uint32_t>(size));
  return b;
}

TEST(SplashPictureTest, AcceptedFilesGiveTheirPlacesAndSize) {
  const struct {
    const char* what;
    Bytes file;
    std::size_t pixelOffset;
    std::int32_t width, height;
  } cases[] = {
      {"24-bit long header", LongBitmap(5, 3, 24), 54, 5, 3},
      {"8-bit with colour table", LongBitmap(7, 2, 8), 54 + 1024, 7, 2},
      {"top-down picture: the absolute height", LongBitmap(4, -6, 24), 54, 4, 6},
      {"core header: 16-bit width and height", CoreBitmap(300, 2), 26, 300, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SplashPicture picture;
    ASSERT_TRUE(ParseSplashPicture(c.file.data(), c.file.size(), picture));
    EXPECT_EQ(picture.headerOffset, 14u);
    EXPECT_EQ(picture.pixelOffset, c.pixelOffset);
    EXPECT_EQ(picture.width, c.width);
    EXPECT_EQ(picture.height, c.height);
  }
}

TEST(SplashPictureTest, RefusedFiles) {
  const Bytes good = LongBitmap(5, 3, 24);
  Bytes sizeOneOff = good;
  Put32(sizeOneOff, 2, static_cast<std::uint32_t>(good.size() + 1));
  Bytes badMagic = good;
  badMagic[1] = 'A';
  Bytes pixelsBeyondEnd = good;
  Put32(pixelsBeyondEnd, 10, static_cast<std::uint32_t>(good.size() + 10));
  Bytes pixelOffsetHuge = good;
  Put32(pixelOffsetHuge, 10, 0xFFFFFFF0u);
  Bytes headerBeyondEnd = good;
  Put32(headerBeyondEnd, 14, 0x7FFFFFFFu);
  Bytes shortHeader = good;
  Put32(shortHeader, 14, 20);
  Bytes noWidth = good;
  Put32(noWidth, 18, 0);
  Bytes lowestHeight = good;
  Put32(lowestHeight, 22, 0x80000000u);
  Bytes hugeWidth = good;
  Put32(hugeWidth, 18, 0x7FFFFFFFu);
  Bytes badDepth = good;
  Put16(badDepth, 28, 7);
  Bytes rleWithoutSize = LongBitmap(4, 4, 8);
  Put32(rleWithoutSize, 30, 1);
  Bytes rleBeyondEnd = LongBitmap(4, 4, 8);
  Put32(rleBeyondEnd, 30, 1);
  Put32(rleBeyondEnd, 34, 4096);

  const struct {
    const char* what;
    Bytes file;
  } cases[] = {
      {"empty", {}},
      {"shorter than the headers' first fields", Truncated(good, 17)},
      {"size field one byte off", sizeOneOff},
      {"not BM", badMagic},
      {"pixel offset beyond the end", pixelsBeyondEnd},
      {"pixel offset near 4 GiB", pixelOffsetHuge},
      {"header longer than the file", headerBeyondEnd},
      {"header cut off", Truncated(good, 30)},
      {"header neither core nor long", shortHeader},
      {"last pixel rows missing", Truncated(good, good.size() - 1)},
      {"colour table cut off", Truncated(LongBitmap(2, 2, 8), 14 + 40 + 100)},
      {"core header cut off", Truncated(CoreBitmap(2, 2), 20)},
      {"zero width", noWidth},
      {"height without an absolute value", lowestHeight},
      {"pixel rows far larger than the file", hugeWidth},
      {"no such depth", badDepth},
      {"compressed without its size", rleWithoutSize},
      {"compressed data beyond the end", rleBeyondEnd},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SplashPicture picture;
    EXPECT_FALSE(ParseSplashPicture(c.file.data(), c.file.size(), picture));
  }
}

}  // namespace
}  // namespace kiv
