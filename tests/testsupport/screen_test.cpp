// Screen-test helpers: golden pictures, scripted input and the call trace.
#include "tests/testsupport/screen_test.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

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

// Splits "name(a,b,\"t,x\",c)" into its arguments; commas inside quotes stay.
std::vector<std::string> _Split_Args(const std::string &call) {
  std::vector<std::string> args;
  std::size_t open = call.find('(');
  if (open == std::string::npos || call.back() != ')') return args;
  std::string inner = call.substr(open + 1, call.size() - open - 2), current;
  bool quoted = false;
  for (char c : inner) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted) {
      args.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!inner.empty()) args.push_back(current);
  return args;
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

void Script(const std::string &steps) {
  std::istringstream in(steps);
  std::string s;
  while (in >> s) {
    const char *a = s.c_str() + 1;
    int x = 0, y = 0;
    switch (s[0]) {
      case 'm':
      case 'c':
        if (std::sscanf(a, "%d,%d", &x, &y) != 2) throw std::invalid_argument("script step " + s);
        (s[0] == 'm' ? Host_Script_Move : Host_Script_Click)(x, y);
        break;
      case 'p': Host_Script_Press(std::atoi(a)); break;
      case 'r': Host_Script_Release(std::atoi(a)); break;
      case 'w': Host_Script_Wait(std::atoi(a)); break;
      case 'k': Host_Script_Key(std::atoi(a)); break;
      case 'W': Host_Script_Wheel(std::atoi(a)); break;
      case 'A': Host_Script_Abort(); break;
      case 't':
        for (const char *c = a; *c; ++c) Host_Script_Key(*c == '_' ? ' ' : static_cast<unsigned char>(*c));
        break;
      default: throw std::invalid_argument("script step " + s);
    }
  }
}

std::vector<std::vector<int>> Calls_Args(const char *name) {
  std::vector<std::vector<int>> out;
  std::string prefix = std::string(name) + "(";
  for (const std::string &call : Host_Calls()) {
    if (call.compare(0, prefix.size(), prefix) != 0) continue;
    std::vector<int> args;
    for (const std::string &part : _Split_Args(call.substr(0, call.find(')') + 1))) {
      try {
        args.push_back(std::stoi(part, nullptr, 0));
      } catch (...) {
        args.push_back(-99999);  // a text argument
      }
    }
    out.push_back(args);
  }
  return out;
}

std::vector<std::string> Host_Call_Args(const char *name, int n) {
  std::string prefix = std::string(name) + "(";
  for (const std::string &call : Host_Calls())
    if (call.compare(0, prefix.size(), prefix) == 0 && n-- == 0) return _Split_Args(call);
  return {};
}

int Call_Index(const std::string &prefix, int from) {
  const std::vector<std::string> &calls = Host_Calls();
  for (int i = std::max(from, 0); i < static_cast<int>(calls.size()); ++i)
    if (calls[i].compare(0, prefix.size(), prefix) == 0) return i;
  return -1;
}
