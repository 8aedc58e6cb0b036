// Bitmap files: reading uncompressed BMP, the cache, drawing parts of them with one transparent
// colour, tree-view images, and writing the canvas as BMP and PNG.
#include <png.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <unordered_map>

#define HOST_TEST_NO_GTEST
#include "host/host_test.h"
#include "host/screen_internal.h"
#include "support/support.h"

using namespace host_screen;

namespace {

std::string Lower(std::string s) {
  for (char &c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string Slashes(const char *name) {
  std::string s = name;
  std::replace(s.begin(), s.end(), '\\', '/');
  return s;
}

uint32_t U32(const std::vector<uint8_t> &d, size_t at) {
  return uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 | uint32_t(d[at + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t> &d, size_t at) { return uint16_t(d[at] | d[at + 1] << 8); }

// Reads an uncompressed 8-, 24- or 32-bit BMP; false for anything else or a short file.
bool Read_Bmp(const std::string &path, Bitmap &out) {
  std::string bytes;  // a regular file up to the input cap (a FIFO would block)
  if (Read_Whole_File(path.c_str(), &bytes, 0) != WHOLE_FILE_OK) return false;
  std::vector<uint8_t> d(bytes.begin(), bytes.end());
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return false;
  uint32_t offset = U32(d, 10), header = U32(d, 14);
  int32_t w = int32_t(U32(d, 18)), h = int32_t(U32(d, 22));
  int bpp = U16(d, 28);
  uint32_t compression = U32(d, 30);
  if (w <= 0 || h == 0 || w > 20000 || std::abs(h) > 20000) return false;
  if (compression != 0 && !(compression == 3 && bpp == 32)) return false;
  if (bpp != 8 && bpp != 24 && bpp != 32) return false;
  bool top_down = h < 0;
  int ah = std::abs(h);
  size_t stride = (size_t(w) * bpp / 8 + 3) & ~size_t(3);
  if (offset > d.size() || d.size() - offset < stride * ah) return false;
  size_t palette_at = 14 + header;
  uint32_t colours = bpp == 8 ? (U32(d, 46) ? U32(d, 46) : 256) : 0;
  if (bpp == 8 && (colours > 256 || palette_at + 4 * size_t(colours) > offset)) return false;
  out.w = w;
  out.h = ah;
  out.rgb.assign(size_t(w) * ah * 3, 0);
  for (int y = 0; y < ah; ++y) {
    const uint8_t *row = &d[offset + stride * size_t(top_down ? y : ah - 1 - y)];
    for (int x = 0; x < w; ++x) {
      uint8_t *px = &out.rgb[(size_t(y) * w + x) * 3];
      if (bpp == 8) {
        uint32_t i = row[x];
        if (i >= colours) continue;
        const uint8_t *p = &d[palette_at + 4 * i];
        px[0] = p[2], px[1] = p[1], px[2] = p[0];
      } else {
        const uint8_t *p = row + size_t(x) * (bpp / 8);
        px[0] = p[2], px[1] = p[1], px[2] = p[0];
      }
    }
  }
  return true;
}

// The file of a bitmap name in the bitmap folder, found without regard to case.
std::string Find_File(const std::string &dir, const std::string &name) {
  namespace fs = std::filesystem;
  fs::path exact = fs::path(dir) / name;
  std::error_code ec;
  if (fs::is_regular_file(exact, ec)) return exact.string();
  fs::path folder = exact.parent_path();
  std::string want = Lower(exact.filename().string());
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (Lower(it->path().filename().string()) == want) return it->path().string();
  return {};
}

const Bitmap *Load(const char *file) {
  ScreenState &s = S();
  std::string name = Slashes(file);
  std::string key = Lower(name);
  auto it = s.bitmaps.find(key);
  if (it != s.bitmaps.end()) return it->second.w > 0 ? &it->second : nullptr;
  Bitmap b;
  std::string path = Find_File(s.bitmap_dir, name);
  if (path.empty() || !Read_Bmp(path, b)) b = Bitmap{};
  auto &stored = s.bitmaps[key] = std::move(b);
  return stored.w > 0 ? &stored : nullptr;
}

void Put_Colour(int x, int y, int index) {
  ScreenState &s = S();
  int keep = s.fg;
  s.fg = index;
  Put(x, y);
  s.fg = keep;
}

void Placeholder(const char *file, int x1, int y1, int x2, int y2) {
  ScreenState &s = S();
  std::string name = file ? file : "";
  if (std::find(s.missing_bitmaps.begin(), s.missing_bitmaps.end(), name) == s.missing_bitmaps.end())
    s.missing_bitmaps.push_back(name);
  std::fprintf(stderr, "[host] bitmap \"%s\" not found in %s\n", name.c_str(), s.bitmap_dir.c_str());
  if (int64_t(x2) - x1 > 16384 || int64_t(y2) - y1 > 16384) return;  // no placeholder that large
  for (int x = x1; x <= x2; ++x) Put_Colour(x, y1, BLACK_CI), Put_Colour(x, y2, BLACK_CI);
  for (int y = y1; y <= y2; ++y) Put_Colour(x1, y, BLACK_CI), Put_Colour(x2, y, BLACK_CI);
  int n = std::max(x2 - x1, y2 - y1);
  for (int k = 0; k <= n && n > 0; ++k) {
    Put_Colour(x1 + (x2 - x1) * k / n, y1 + (y2 - y1) * k / n, BLACK_CI);
    Put_Colour(x2 - (x2 - x1) * k / n, y1 + (y2 - y1) * k / n, BLACK_CI);
  }
}

int Draw_Part(const char *file, int sx1, int sy1, int sx2, int sy2, bool whole, int x1, int y1, int x2,
              int y2, int r, int g_, int b) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  const Bitmap *bm = file ? Load(file) : nullptr;
  if (!bm) {
    Placeholder(file, x1, y1, x2, y2);
    return 1;
  }
  if (int64_t(x2) - x1 >= (1 << 24) || int64_t(y2) - y1 >= (1 << 24)) return 0;  // no such screen
  int tw = x2 - x1 + 1, th = y2 - y1 + 1;
  int sw, sh;
  if (whole) {
    sx1 = sy1 = 0;
    sw = bm->w;
    sh = bm->h;
  } else if (sx2 == -1 && sy2 == -1) {
    sw = tw;
    sh = th;
  } else {
    sw = sx2 - sx1 + 1;
    sh = sy2 - sy1 + 1;
  }
  if (sw <= 0 || sh <= 0) return 0;
  bool keyed = r >= 0 && g_ >= 0 && b >= 0;
  std::unordered_map<uint32_t, int> index_of;
  // only the target pixels inside the clip rectangle are looked at
  const ScreenState &s = S();
  int ty0 = int(std::clamp<int64_t>(int64_t(s.clip[1]) - y1, 0, th)), ty1 = int(std::clamp<int64_t>(int64_t(s.clip[3]) - y1, -1, th - 1));
  int tx0 = int(std::clamp<int64_t>(int64_t(s.clip[0]) - x1, 0, tw)), tx1 = int(std::clamp<int64_t>(int64_t(s.clip[2]) - x1, -1, tw - 1));
  for (int ty = ty0; ty <= ty1; ++ty) {
    int py = sy1 + int(int64_t(ty) * sh / th);
    if (py < 0 || py >= bm->h) continue;
    for (int tx = tx0; tx <= tx1; ++tx) {
      int px = sx1 + int(int64_t(tx) * sw / tw);
      if (px < 0 || px >= bm->w) continue;
      const uint8_t *p = &bm->rgb[(size_t(py) * bm->w + px) * 3];
      if (keyed && p[0] == r && p[1] == g_ && p[2] == b) continue;
      uint32_t key = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
      auto it = index_of.find(key);
      int idx = it != index_of.end() ? it->second : (index_of[key] = Nearest_RGB_Color(p[0], p[1], p[2]));
      Put_Colour(x1 + tx, y1 + ty, idx);
    }
  }
  return 0;
}

}  // namespace

int pxDrawPartialTransparentDIB(const char *file, int sx1, int sy1, int sx2, int sy2, int x1, int y1,
                                int x2, int y2, int mode, int extra, int r, int g_, int b) {
  S();
  Trace("pxDrawPartialTransparentDIB", "\"%s\",%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d", file ? file : "",
        sx1, sy1, sx2, sy2, x1, y1, x2, y2, mode, extra, r, g_, b);
  return Draw_Part(file, sx1, sy1, sx2, sy2, false, x1, y1, x2, y2, r, g_, b);
}

int pxDrawTransparentDIB(const char *file, int x1, int y1, int x2, int y2, int mode, int extra, int r,
                         int g_, int b) {
  S();
  Trace("pxDrawTransparentDIB", "\"%s\",%d,%d,%d,%d,%d,%d,%d,%d,%d", file ? file : "", x1, y1, x2, y2, mode,
        extra, r, g_, b);
  return Draw_Part(file, 0, 0, 0, 0, true, x1, y1, x2, y2, r, g_, b);
}

void Draw_TreeViewImage(const TREEVIEW_IMAGE *image, int x, int y, int colour) {
  S();
  Trace("Draw_TreeViewImage", "%d,%d,%d", x, y, colour);
  if (!image || !image->slots || image->width <= 0 || image->height <= 0 || !Near(x, y)) return;
  int x0 = x - image->width / 2, y0 = y - image->height / 2;
  for (int r = 0; r < image->height; ++r)
    for (int c = 0; c < image->width; ++c) {
      int slot = image->slots[r * image->width + c];
      int idx = -1;
      if (slot == 255)
        idx = colour;
      else if (slot >= 1 && slot <= image->colour_count && image->colours)
        idx = image->colours[slot - 1];
      if (idx >= 0) Put_Colour(x0 + c, y0 + r, idx);
    }
}

// ---------------------------------------------------------------- files of the canvas

void Host_Set_Bitmap_Dir(const char *dir) {
  ScreenState &s = S();
  s.bitmap_dir = dir ? dir : PF_DATA_DIR;
  s.bitmaps.clear();
}

const std::vector<std::string> &Host_Missing_Bitmaps() { return S().missing_bitmaps; }

// RGB rows of the canvas rectangle (inclusive, cut to the screen).
static std::vector<uint8_t> Canvas_RGB(int x1, int y1, int x2, int y2) {
  ScreenState &s = S();
  std::vector<uint8_t> rgb;
  rgb.reserve(size_t(x2 - x1 + 1) * (y2 - y1 + 1) * 3);
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x) {
      int i = Get_Index(x, y);
      const uint8_t *p = s.palette[i < 0 ? 0 : i];
      rgb.insert(rgb.end(), p, p + 3);
    }
  return rgb;
}

int Host_Save_Bitmap(const char *path, int x1, int y1, int x2, int y2) {
  ScreenState &s = S();
  x1 = std::max(x1, 0), y1 = std::max(y1, 0);
  x2 = std::min(x2, s.w - 1), y2 = std::min(y2, s.h - 1);
  if (!path || x2 < x1 || y2 < y1) return 1;
  int w = x2 - x1 + 1, h = y2 - y1 + 1;
  std::vector<uint8_t> rgb = Canvas_RGB(x1, y1, x2, y2);
  size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
  uint32_t data = uint32_t(stride * h), size = 54 + data;
  uint8_t head[54] = {'B', 'M'};
  auto put32 = [&](int at, uint32_t v) {
    for (int k = 0; k < 4; ++k) head[at + k] = uint8_t(v >> (8 * k));
  };
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(w));
  put32(22, uint32_t(h));
  head[26] = 1;
  head[28] = 24;
  put32(34, data);
  put32(38, 2835);
  put32(42, 2835);
  std::string bytes(reinterpret_cast<const char *>(head), 54);
  bytes.reserve(54 + size_t(data));
  std::vector<uint8_t> row(stride, 0);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const uint8_t *p = &rgb[(size_t(y) * w + x) * 3];
      row[x * 3] = p[2], row[x * 3 + 1] = p[1], row[x * 3 + 2] = p[0];
    }
    bytes.append(reinterpret_cast<const char *>(row.data()), stride);
  }
  // Through a temporary file: a full disk or a killed run leaves the old picture whole.
  return Replace_File_Text(path, bytes);
}

int Host_Write_Png_RGB(const char *path, int w, int h, const uint8_t *rgb) {
  if (!path || !rgb || w < 1 || h < 1 || w > 65535 || h > 65535) return 1;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = uint32_t(w);
  image.height = uint32_t(h);
  image.format = PNG_FORMAT_RGB;
  // Encoded in memory, then written through a temporary file: a full disk or a killed run
  // leaves the old picture whole.
  png_alloc_size_t size = 0;
  std::string bytes;
  int ok = png_image_write_get_memory_size(image, size, 0, rgb, 0, nullptr);
  if (ok) {
    bytes.resize(size);
    ok = png_image_write_to_memory(&image, bytes.data(), &size, 0, rgb, 0, nullptr);
    bytes.resize(size);
  }
  png_image_free(&image);
  return ok ? Replace_File_Text(path, bytes) : 1;
}

int Host_Write_Png(const char *path) {
  ScreenState &s = S();
  if (!path) return 1;
  std::vector<uint8_t> rgb = Canvas_RGB(0, 0, s.w - 1, s.h - 1);
  return Host_Write_Png_RGB(path, s.w, s.h, rgb.data());
}
