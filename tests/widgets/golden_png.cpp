// Golden pictures of the widget tests: canvas regions, PNG files and their comparison.
#include "tests/widgets/golden_png.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "tests/widgets/widgets_fixture.h"

GoldenImage Canvas_Image(int x1, int y1, int x2, int y2) {
  GoldenImage img;
  img.w = x2 - x1 + 1;
  img.h = y2 - y1 + 1;
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x) {
      RGB c = Pixel_RGB(x, y);
      img.rgb.push_back(static_cast<unsigned char>(c.r));
      img.rgb.push_back(static_cast<unsigned char>(c.g));
      img.rgb.push_back(static_cast<unsigned char>(c.b));
    }
  return img;
}

bool Write_Golden_Png(const std::string &path, const GoldenImage &img) {
  FILE *f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, static_cast<png_uint_32>(img.w), static_cast<png_uint_32>(img.h), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < img.h; ++y)
    png_write_row(png, const_cast<png_bytep>(&img.rgb[static_cast<std::size_t>(y) * img.w * 3]));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
  return true;
}

bool Read_Golden_Png(const std::string &path, GoldenImage *img) {
  FILE *f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_read_info(png, info);
  png_set_strip_16(png);
  png_set_strip_alpha(png);
  png_set_palette_to_rgb(png);
  png_set_gray_to_rgb(png);
  png_read_update_info(png, info);
  img->w = static_cast<int>(png_get_image_width(png, info));
  img->h = static_cast<int>(png_get_image_height(png, info));
  img->rgb.assign(static_cast<std::size_t>(img->w) * static_cast<std::size_t>(img->h) * 3, 0);
  for (int y = 0; y < img->h; ++y) png_read_row(png, &img->rgb[static_cast<std::size_t>(y) * img->w * 3], nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(f);
  return true;
}

void Expect_Golden(const char *name, const GoldenImage &now, int x0, int y0) {
  namespace fs = std::filesystem;
  const fs::path golden = fs::path(PF_SOURCE_DIR) / "tests/widgets/golden" / name;
  const char *update = std::getenv("PF_UPDATE_GOLDEN");
  if (update && *update == '1') {
    fs::create_directories(golden.parent_path());
    ASSERT_TRUE(Write_Golden_Png(golden.string(), now));
    return;
  }
  GoldenImage expected;
  ASSERT_TRUE(Read_Golden_Png(golden.string(), &expected)) << golden << " missing: run with PF_UPDATE_GOLDEN=1";
  ASSERT_EQ(expected.w, now.w);
  ASSERT_EQ(expected.h, now.h);
  ASSERT_EQ(expected.rgb.size(), now.rgb.size());
  int differ = 0, first = -1;
  for (std::size_t i = 0; i < now.rgb.size(); i += 3)
    if (now.rgb[i] != expected.rgb[i] || now.rgb[i + 1] != expected.rgb[i + 1] ||
        now.rgb[i + 2] != expected.rgb[i + 2]) {
      if (first < 0) first = static_cast<int>(i / 3);
      ++differ;
    }
  EXPECT_EQ(differ, 0) << name << ": first difference at (" << x0 + first % now.w << ", " << y0 + first / now.w
                       << ")";
}
