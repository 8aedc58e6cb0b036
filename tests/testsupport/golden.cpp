// Golden pictures: canvas regions against committed PNG files.
#include "tests/testsupport/golden.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "host/host_test.h"

namespace {

struct Image {
  int w = 0, h = 0;
  std::vector<unsigned char> rgb;  // rows top first, three bytes a pixel
};

bool _Write(const std::string &path, const Image &img) {
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
  png_set_IHDR(png, info, png_uint_32(img.w), png_uint_32(img.h), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < img.h; ++y) png_write_row(png, const_cast<png_bytep>(&img.rgb[size_t(y) * img.w * 3]));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}

bool _Read(const std::string &path, Image *img) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  img->w = int(image.width);
  img->h = int(image.height);
  img->rgb.assign(PNG_IMAGE_SIZE(image), 0);
  return png_image_finish_read(&image, nullptr, img->rgb.data(), 0, nullptr) != 0;
}

}  // namespace

std::string Golden_Mismatch(const char *folder, const char *name, int x1, int y1, int x2, int y2) {
  namespace fs = std::filesystem;
  Image now;
  now.w = x2 - x1 + 1;
  now.h = y2 - y1 + 1;
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x) {
      int r, g, b;
      Host_Pixel_RGB(x, y, &r, &g, &b);
      now.rgb.insert(now.rgb.end(), {(unsigned char)r, (unsigned char)g, (unsigned char)b});
    }
  const fs::path file = fs::path(PF_SOURCE_DIR) / folder / name;
  const char *update = std::getenv("PF_UPDATE_GOLDEN");
  if (update && *update == '1') {
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    return _Write(file.string(), now) ? "" : file.string() + ": cannot be written";
  }
  Image expected;
  if (!_Read(file.string(), &expected)) return file.string() + ": missing or unreadable (PF_UPDATE_GOLDEN=1 writes it)";
  if (expected.w != now.w || expected.h != now.h)
    return std::string(name) + ": " + std::to_string(expected.w) + " x " + std::to_string(expected.h) +
           " expected, " + std::to_string(now.w) + " x " + std::to_string(now.h) + " drawn";
  int differ = 0, first = -1;
  for (size_t i = 0; i < now.rgb.size(); i += 3)
    if (now.rgb[i] != expected.rgb[i] || now.rgb[i + 1] != expected.rgb[i + 1] || now.rgb[i + 2] != expected.rgb[i + 2]) {
      if (first < 0) first = int(i / 3);
      ++differ;
    }
  if (!differ) return "";
  return std::string(name) + ": " + std::to_string(differ) + " pixels differ, the first at (" +
         std::to_string(x1 + first % now.w) + ", " + std::to_string(y1 + first / now.w) + ")";
}
