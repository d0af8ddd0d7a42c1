#include "common/image_header.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorbel {
namespace {

// Files are built as strings (the byte values as chars) and judged as bytes.
using File = std::string;
using Bytes = std::vector<uint8_t>;

void Be16(File& out, uint32_t v) {
  out += static_cast<char>(v >> 8);
  out += static_cast<char>(v);
}
void Be32(File& out, uint32_t v) {
  Be16(out, v >> 16);
  Be16(out, v & 0xFFFF);
}
void Le16(File& out, uint32_t v) {
  out += static_cast<char>(v);
  out += static_cast<char>(v >> 8);
}
void Le32(File& out, uint32_t v) {
  Le16(out, v & 0xFFFF);
  Le16(out, v >> 16);
}

File Png(uint32_t width, uint32_t height) {
  File png = "\x89PNG\r\n\x1a\n";
  Be32(png, 13);
  png += "IHDR";
  Be32(png, width);
  Be32(png, height);
  png.append("\x08\x06\0\0\0", 5);
  return png;
}

// Start of image, an EXIF segment of `exif_bytes`, a quantisation table, then
// a progressive frame header.
File Jpeg(uint32_t width, uint32_t height, uint32_t exif_bytes = 16) {
  File jpeg = "\xFF\xD8\xFF\xE1";
  Be16(jpeg, exif_bytes + 2);
  jpeg.append(exif_bytes, '\xFF');  // marker-like bytes inside a segment are data
  jpeg += "\xFF\xFF\xDB";          // a fill byte before the marker
  Be16(jpeg, 67);
  jpeg.append(65, '\x01');
  jpeg += "\xFF\xC2";
  Be16(jpeg, 17);
  jpeg += '\x08';
  Be16(jpeg, height);
  Be16(jpeg, width);
  jpeg.append(10, '\0');
  return jpeg;
}

File Bmp(uint32_t header_size, int32_t width, int32_t height) {
  File bmp = "BM";
  bmp.append(12, '\0');
  Le32(bmp, header_size);
  if (header_size == 12) {
    Le16(bmp, static_cast<uint32_t>(width));
    Le16(bmp, static_cast<uint32_t>(height));
  } else {
    Le32(bmp, static_cast<uint32_t>(width));
    Le32(bmp, static_cast<uint32_t>(height));
  }
  bmp.resize(14 + header_size, '\0');
  return bmp;
}

// A logical screen with a table of 4 colours, a comment, then one frame.
File Gif(uint32_t screen_w, uint32_t screen_h, uint32_t left, uint32_t top, uint32_t w, uint32_t h) {
  File gif = "GIF89a";
  Le16(gif, screen_w);
  Le16(gif, screen_h);
  gif += "\x81";
  gif.append(14, '\0');
  gif.append("\x21\xFE\x03" "a,b" "\x02\x2C\x2C" "\0", 10);  // the comment holds image separators
  gif += '\x2C';
  for (uint32_t v : {left, top, w, h}) Le16(gif, v);
  gif.append("\0\x02\x02\x44\x01\0\x3B", 7);
  return gif;
}

ImageJudgement Judge(std::string_view file) {
  const Bytes bytes(file.begin(), file.end());
  return JudgeImageHead(bytes);
}

// The format named is what a decoder is then told to use, and no other.
::testing::AssertionResult FitsAs(const File& head, PixelSize size, ImageFormat format) {
  const ImageJudgement judged = Judge(head);
  if (judged.verdict == ImageVerdict::Fits && judged.size == size && judged.format == format) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "verdict " << static_cast<int>(judged.verdict) << ", "
                                       << judged.size.width << " x " << judged.size.height
                                       << ", format " << static_cast<int>(judged.format);
}

bool Refused(std::string_view head) { return Judge(head).verdict == ImageVerdict::Refused; }

TEST(ImageHeaderTest, TheBudgetIsFourMebipixelsWhateverTheShape) {
  EXPECT_TRUE(FitsPixelBudget({2048, 2048}));
  EXPECT_TRUE(FitsPixelBudget({2560, 1600}));
  EXPECT_TRUE(FitsPixelBudget({4 << 20, 1}));
  EXPECT_FALSE(FitsPixelBudget({2049, 2048}));
  EXPECT_FALSE(FitsPixelBudget({(4 << 20) + 1, 1}));
  EXPECT_FALSE(FitsPixelBudget({65536, 65536})) << "a product beyond 32 bits";
  EXPECT_FALSE(FitsPixelBudget({0, 10}));
}

TEST(ImageHeaderTest, EachFormatGivesTheSizeItsDecoderMakes) {
  EXPECT_TRUE(FitsAs(Png(450, 140), {450, 140}, ImageFormat::Png));
  EXPECT_TRUE(FitsAs(Jpeg(2048, 2048), {2048, 2048}, ImageFormat::Jpeg));
  EXPECT_TRUE(FitsAs(Jpeg(640, 480, 60000), {640, 480}, ImageFormat::Jpeg)) << "after a large EXIF segment";
  EXPECT_TRUE(FitsAs(Bmp(40, 49, 49), {49, 49}, ImageFormat::Bmp));
  EXPECT_TRUE(FitsAs(Bmp(124, 49, -30), {49, 30}, ImageFormat::Bmp)) << "rows stored top-down";
  EXPECT_TRUE(FitsAs(Bmp(12, 300, 200), {300, 200}, ImageFormat::Bmp));
  EXPECT_TRUE(FitsAs(Gif(49, 49, 0, 0, 10, 10), {49, 49}, ImageFormat::Gif));
  EXPECT_TRUE(FitsAs(Gif(10, 10, 5, 8, 100, 20), {105, 28}, ImageFormat::Gif)) << "a frame beyond the screen";
}

TEST(ImageHeaderTest, APictureOverTheBudgetIsRefusedWhateverItsFormat) {
  EXPECT_TRUE(Refused(Png(8000, 8000)));
  EXPECT_TRUE(Refused(Png(2049, 2048)));
  EXPECT_TRUE(Refused(Png(0x7FFFFFFF, 0x7FFFFFFF)));
  EXPECT_TRUE(Refused(Png(0x80000000, 1))) << "beyond what PNG allows";
  EXPECT_TRUE(Refused(Jpeg(65535, 65535)));
  EXPECT_TRUE(Refused(Bmp(40, 100000, 100000)));
  EXPECT_TRUE(Refused(Bmp(40, 1000, static_cast<int32_t>(0x80000000)))) << "no positive height";
  EXPECT_TRUE(Refused(Gif(10, 10, 0, 0, 65535, 65535)));
  EXPECT_TRUE(Refused(Gif(65535, 65535, 0, 0, 1, 1)));
}

TEST(ImageHeaderTest, AHeaderWithoutASizeIsRefused) {
  EXPECT_TRUE(Refused(Png(0, 10)));
  EXPECT_TRUE(Refused(Jpeg(10, 0))) << "height left to a later marker";
  EXPECT_TRUE(Refused(Bmp(40, -5, 10)));
  // Each cut short anywhere from its signature to the last byte of its size.
  const File jpeg = Jpeg(10, 10);
  const File gif = Gif(10, 10, 0, 0, 10, 10);
  const struct {
    File whole;
    std::size_t signature_end, size_end;
  } wholes[] = {{Png(10, 10), 8, 24}, {jpeg, 3, jpeg.size() - 10}, {Bmp(40, 10, 10), 2, 26}, {gif, 6, gif.size() - 7}};
  for (const auto& [whole, signature, size_end] : wholes) {
    for (std::size_t cut = signature; cut < size_end; ++cut) {
      EXPECT_TRUE(Refused(std::string_view(whole).substr(0, cut))) << "cut at " << cut << " of " << whole.size();
    }
    EXPECT_EQ(Judge(std::string_view(whole).substr(0, size_end)).verdict, ImageVerdict::Fits);
  }
  EXPECT_TRUE(Refused(std::string_view("\xFF\xD8\xFF\xDA\0\x08", 6))) << "image data before a frame header";
  File gif_without_frame = Gif(10, 10, 0, 0, 10, 10);
  gif_without_frame.resize(13 + 12 + 10);
  gif_without_frame += '\x3B';
  EXPECT_TRUE(Refused(gif_without_frame));
}

TEST(ImageHeaderTest, OtherFormatsAreLeftToThePlatform) {
  for (const std::string_view head : {std::string_view("II*\0\x08\0\0\0", 8), std::string_view("RIFF\0\0\0\0WEBP"),
                                      std::string_view("P6\n10 10\n255\n"), std::string_view()}) {
    EXPECT_EQ(Judge(head).verdict, ImageVerdict::Unknown) << head;
  }
}

TEST(ImageHeaderTest, TheCornerToKeepIsWhatThePlaceShows) {
  EXPECT_EQ(CornerToKeep({8000, 8000}, {49, 49}), (PixelSize{49, 49}));
  EXPECT_EQ(CornerToKeep({30, 100}, {49, 49}), (PixelSize{30, 49}));
  EXPECT_EQ(CornerToKeep({450, 140}, {450, 140}), (PixelSize{450, 140}));
}

}  // namespace
}  // namespace quorbel
