// Bitmap files: the icon strip drawn by make_bitmaps, transparency, scaling, names, bad files,
// tree-view images and the PNG dump.
#include <fcntl.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "common/file_cap.h"
#include "host/host_test.h"

namespace {

namespace fs = std::filesystem;

struct HostBitmaps : HostScreenTest {
  // a scratch folder of bitmaps made with the canvas
  fs::path dir = fs::temp_directory_path() / ("host_bitmaps_" + std::to_string(::getpid()));
  void SetUp() override {
    HostScreenTest::SetUp();
    fs::create_directories(dir / "sub");
  }
  void TearDown() override {
    HostScreenTest::TearDown();
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  // A 4 × 3 picture: column c, row r in the colour (40 c, 50 r, 200); (0, 0) is 192, 192, 192.
  void Make_Grid(const fs::path &file) {
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 4; ++c) {
        pxFgc(r == 0 && c == 0 ? Nearest_RGB_Color(192, 192, 192) : Nearest_RGB_Color(40 * c, 50 * r, 200));
        pxDot(c, r);
      }
    ASSERT_EQ(Host_Save_Bitmap(file.string().c_str(), 0, 0, 3, 2), 0);
    pxFgc(WHITE_CI);
    pxRect(0, 0, 10, 10);
  }
};

void Expect_RGB(int x, int y, int r, int g, int b) {
  int pr, pg, pb;
  Host_Pixel_RGB(x, y, &pr, &pg, &pb);
  EXPECT_EQ(pr, r) << x << "," << y;
  EXPECT_EQ(pg, g) << x << "," << y;
  EXPECT_EQ(pb, b) << x << "," << y;
}

// The strip's own pixels, read by drawing it unscaled without a transparent colour.
std::vector<int> Strip_RGB(int x1, int y1, int x2, int y2) {
  Host_Test_Reset();
  pxDrawPartialTransparentDIB("Buttons.bmp", x1, y1, x2, y2, 0, 0, x2 - x1, y2 - y1, 201, -1, -1, -1, -1);
  std::vector<int> rgb;
  for (int y = 0; y <= y2 - y1; ++y)
    for (int x = 0; x <= x2 - x1; ++x) {
      int r, g, b;
      Host_Pixel_RGB(x, y, &r, &g, &b);
      rgb.push_back(r << 16 | g << 8 | b);
    }
  Host_Test_Reset();
  return rgb;
}

TEST_F(HostBitmaps, IconImageLeavesThePixelsUnderItsTransparentColour) {
  std::vector<int> src = Strip_RGB(173, 51, 214, 87);  // "Ende", normal image
  int transparent = 0, drawn = 0;
  for (int v : src) (v == (192 << 16 | 192 << 8 | 192) ? transparent : drawn)++;
  ASSERT_GT(transparent, 100);
  ASSERT_GT(drawn, 100);
  int under = Nearest_RGB_Color(0, 120, 60);
  pxFgc(under);
  pxRect(560, 0, 620, 60);
  EXPECT_EQ(pxDrawPartialTransparentDIB("Buttons.bmp", 173, 51, 214, 87, 570, 9, 611, 45, 201, -1, 192, 192, 192), 0);
  for (int y = 0; y <= 36; ++y)
    for (int x = 0; x <= 41; ++x) {
      int v = src[size_t(y) * 42 + x];
      if (v == (192 << 16 | 192 << 8 | 192))
        EXPECT_EQ(Host_Pixel(570 + x, 9 + y), under);
      else
        Expect_RGB(570 + x, 9 + y, v >> 16, v >> 8 & 255, v & 255);
    }
  EXPECT_TRUE(Host_Missing_Bitmaps().empty());
}

TEST_F(HostBitmaps, SourceCornersMinusOneCopyTheTargetSizeUnscaled) {
  std::vector<int> src = Strip_RGB(0, 0, 551, 47);
  pxDrawPartialTransparentDIB("Buttons.bmp", 0, 0, -1, -1, 6, 7, 557, 54, 201, -1, 219, 213, 203);
  int copied = 0;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 552; ++x) {
      int v = src[size_t(y) * 552 + x];
      if (v == (219 << 16 | 213 << 8 | 203)) {
        EXPECT_EQ(Host_Pixel(6 + x, 7 + y), WHITE_CI);
        continue;
      }
      int r, g, b;
      Host_Pixel_RGB(6 + x, 7 + y, &r, &g, &b);
      copied += (r << 16 | g << 8 | b) == v;
    }
  int keyed = int(std::count(src.begin(), src.end(), 219 << 16 | 213 << 8 | 203));
  EXPECT_EQ(copied + keyed, 552 * 48);
  EXPECT_GT(copied, 552 * 30);
}

TEST_F(HostBitmaps, NearestNeighbourScalingTruncatesTheSourceOffset) {
  Make_Grid(dir / "grid.bmp");
  Host_Set_Bitmap_Dir(dir.string().c_str());
  // 4 × 3 into 10 × 6: source column = target column × 4 / 10, row = target row × 3 / 6
  pxDrawTransparentDIB("grid.bmp", 100, 100, 109, 105, 201, -1, -1, -1, -1);
  for (int ty = 0; ty < 6; ++ty)
    for (int tx = 0; tx < 10; ++tx) {
      int c = tx * 4 / 10, r = ty * 3 / 6;
      if (c == 0 && r == 0)
        Expect_RGB(100 + tx, 100 + ty, 192, 192, 192);
      else
        Expect_RGB(100 + tx, 100 + ty, 40 * c, 50 * r, 200);
    }
  // part (1, 1)-(3, 2) shrunk into 2 × 1, the transparent colour skipped
  pxDrawPartialTransparentDIB("grid.bmp", 1, 1, 3, 2, 200, 200, 201, 200, 201, -1, 192, 192, 192);
  Expect_RGB(200, 200, 40, 50, 200);
  Expect_RGB(201, 200, 80, 50, 200);  // 1 + 1 × 3 / 2
  // source pixels outside the file are skipped
  pxDrawPartialTransparentDIB("grid.bmp", 2, 0, 5, 0, 300, 300, 303, 300, 201, -1, 192, 192, 192);
  Expect_RGB(300, 300, 80, 0, 200);
  Expect_RGB(301, 300, 120, 0, 200);
  Expect_RGB(302, 300, 255, 255, 255);
  Expect_RGB(303, 300, 255, 255, 255);
}

TEST_F(HostBitmaps, NamesIgnoreCaseAndBackslashesAndTheCacheKeepsAFile) {
  Make_Grid(dir / "sub" / "TextButtonBg.bmp");
  Host_Set_Bitmap_Dir(dir.string().c_str());
  EXPECT_EQ(pxDrawTransparentDIB("sub\\textbuttonbg.bmp", 0, 0, 3, 2, 201, -1, -1, -1, -1), 0);
  Expect_RGB(3, 2, 120, 100, 200);
  fs::remove(dir / "sub" / "TextButtonBg.bmp");  // cached: still drawn
  EXPECT_EQ(pxDrawTransparentDIB("SUB/TEXTBUTTONBG.BMP", 10, 0, 13, 2, 201, -1, -1, -1, -1), 0);
  Expect_RGB(13, 2, 120, 100, 200);
  EXPECT_TRUE(Host_Missing_Bitmaps().empty());
}

TEST_F(HostBitmaps, MissingBadAndTruncatedFilesDrawAPlaceholderAndAreRecorded) {
  Make_Grid(dir / "good.bmp");
  std::ifstream in(dir / "good.bmp", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::ofstream(dir / "short.bmp", std::ios::binary) << bytes.substr(0, bytes.size() - 5);
  std::string rle = bytes;
  rle[30] = 1;  // compressed
  std::ofstream(dir / "rle.bmp", std::ios::binary) << rle;
  std::ofstream(dir / "text.bmp") << "not a bitmap";
  Host_Set_Bitmap_Dir(dir.string().c_str());
  const char *bad[] = {"short.bmp", "rle.bmp", "text.bmp", "nowhere.bmp"};
  int x = 0;
  for (const char *name : bad) {
    EXPECT_EQ(pxDrawPartialTransparentDIB(name, 0, 0, -1, -1, x, 0, x + 20, 20, 201, -1, 1, 2, 3), 1) << name;
    EXPECT_EQ(Host_Pixel(x, 0), BLACK_CI) << name;  // the placeholder's frame
    EXPECT_EQ(Host_Pixel(x + 10, 10), BLACK_CI) << name;  // and its cross
    x += 30;
  }
  ASSERT_EQ(Host_Missing_Bitmaps().size(), 4u);
  EXPECT_EQ(Host_Missing_Bitmaps()[3], "nowhere.bmp");
  EXPECT_EQ(pxDrawTransparentDIB("good.bmp", 200, 0, 203, 2, 201, -1, -1, -1, -1), 0);
}

TEST_F(HostBitmaps, EightBitFilesUseTheirPalette) {
  // 2 × 2, 8 bits, two palette entries, rows bottom-up and padded to 4 bytes
  std::vector<uint8_t> f(54 + 8 + 8, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) f[at + k] = uint8_t(v >> (8 * k));
  };
  f[0] = 'B', f[1] = 'M';
  put32(2, uint32_t(f.size()));
  put32(10, 62);
  put32(14, 40);
  put32(18, 2);
  put32(22, 2);
  f[26] = 1, f[28] = 8;
  put32(46, 2);
  const uint8_t pal[8] = {255, 0, 0, 0, 0, 0, 255, 0};  // blue, red (B, G, R, 0)
  std::memcpy(&f[54], pal, 8);
  f[62] = 0, f[63] = 1;  // bottom row: blue, red
  f[66] = 1, f[67] = 0;  // top row: red, blue
  std::ofstream(dir / "pal.bmp", std::ios::binary).write(reinterpret_cast<const char *>(f.data()), long(f.size()));
  Host_Set_Bitmap_Dir(dir.string().c_str());
  EXPECT_EQ(pxDrawTransparentDIB("pal.bmp", 0, 0, 1, 1, 201, -1, -1, -1, -1), 0);
  Expect_RGB(0, 0, 255, 0, 0);
  Expect_RGB(1, 0, 0, 0, 255);
  Expect_RGB(0, 1, 0, 0, 255);
  Expect_RGB(1, 1, 255, 0, 0);
}

TEST_F(HostBitmaps, TreeViewImagesAreCentredWithTransparentSlotZero) {
  const unsigned char slots[3 * 3] = {0, 1, 0, 2, 255, 2, 0, 1, 0};
  const int colours[2] = {Nearest_RGB_Color(255, 0, 0), Nearest_RGB_Color(0, 0, 255)};
  TREEVIEW_IMAGE image{3, 3, slots, colours, 2};
  Draw_TreeViewImage(&image, 50, 50, BLACK_CI);
  EXPECT_EQ(std::vector<int>({Host_Pixel(49, 49), Host_Pixel(50, 49), Host_Pixel(49, 50)}),
            std::vector<int>({WHITE_CI, colours[0], colours[1]}));
  EXPECT_EQ(Host_Pixel(50, 50), BLACK_CI);  // the caller's colour
  Draw_TreeViewImage(&image, 80, 80, -1);
  EXPECT_EQ(Host_Pixel(80, 80), WHITE_CI);
}

TEST_F(HostBitmaps, PngReadBackEqualsTheCanvas) {
  pxFgc(Nearest_RGB_Color(12, 34, 56));
  pxRect(10, 10, 300, 200);
  pxFgc(BLACK_CI);
  pxText(20, 40, "Feuerwiderstand R 90", -1);
  std::string path = (dir / "canvas.png").string();
  ASSERT_EQ(Host_Write_Png(path.c_str()), 0);
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
  image.format = PNG_FORMAT_RGB;
  ASSERT_EQ(int(image.width), NPIXEL_X);
  ASSERT_EQ(int(image.height), NPIXEL_Y);
  std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
  int wrong = 0;
  for (int y = 0; y < NPIXEL_Y; ++y)
    for (int x = 0; x < NPIXEL_X; ++x) {
      int r, g, b;
      Host_Pixel_RGB(x, y, &r, &g, &b);
      const uint8_t *p = &rgb[(size_t(y) * NPIXEL_X + x) * 3];
      wrong += p[0] != r || p[1] != g || p[2] != b;
    }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(Host_Write_Png((dir / "no-such-folder" / "x.png").string().c_str()), 1);
  EXPECT_EQ(Host_Save_Bitmap((dir / "no-such-folder" / "x.bmp").string().c_str(), 0, 0, 9, 9), 1);
  EXPECT_EQ(Host_Save_Bitmap((dir / "off.bmp").string().c_str(), 2000, 0, 2100, 9), 1);  // off the screen
  // A FIFO in the picture's place is refused and stays a FIFO (its reader's end is open, so
  // that a write into it could not wait); a write that fails part way (a size cap below the
  // 90 bytes of a 4 × 3 bitmap) fails the save.
  const fs::path fifo = dir / "fifo.bmp";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  EXPECT_EQ(Host_Save_Bitmap(fifo.c_str(), 0, 0, 3, 2), 1);
  ::close(reader);
  EXPECT_TRUE(fs::is_fifo(fifo));
  test_files::FileSizeCap cap(60);
  EXPECT_EQ(Host_Save_Bitmap((dir / "small.bmp").c_str(), 0, 0, 3, 2), 1);
}

// A full disk while a picture is written: the PNG and the bitmap keep their old bytes and
// no temporary file is left; the next write with room replaces them.
TEST_F(HostBitmaps, FullDiskKeepsTheOldPictures) {
  const std::string png = (dir / "canvas.png").string(), bmp = (dir / "grid.bmp").string();
  pxFgc(Nearest_RGB_Color(200, 10, 10));
  pxRect(0, 0, 40, 30);
  ASSERT_EQ(Host_Save_Bitmap(bmp.c_str(), 0, 0, 3, 2) + Host_Write_Png_RGB(png.c_str(), 1, 1, std::vector<uint8_t>(3, 7).data()), 0);
  const std::string old_png = test_files::Slurp(png), old_bmp = test_files::Slurp(bmp);
  // Larger pictures than the cap lets through: the whole canvas, a bitmap of 100 × 100.
  {
    test_files::FileSizeCap cap(200);
    EXPECT_EQ(Host_Write_Png(png.c_str()), 1);
    EXPECT_EQ(Host_Save_Bitmap(bmp.c_str(), 0, 0, 99, 99), 1);
  }
  EXPECT_EQ(test_files::Slurp(png), old_png);
  EXPECT_EQ(test_files::Slurp(bmp), old_bmp);
  int entries = 0;
  for (const auto &e : fs::directory_iterator(dir)) entries += e.is_regular_file();
  EXPECT_EQ(entries, 2);
  EXPECT_EQ(Host_Write_Png(png.c_str()) + Host_Save_Bitmap(bmp.c_str(), 0, 0, 99, 99), 0);
  EXPECT_NE(test_files::Slurp(png), old_png);
  EXPECT_EQ(test_files::Slurp(bmp).size(), 54u + 100 * 300);
}

}  // namespace
