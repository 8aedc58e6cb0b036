// sections/tools/make_profil_library.cpp — build-time tool: turns the profile library CSV
// into the binary library file "PROFIL" that Find_Profil_in_Database reads.
//
//     make_profil_library <library.csv> <PROFIL>
//
// A record is 160 bytes, little-endian: places 0..3 the name (NUL-padded, 16 bytes),
// place 4 the family index (int32), places 5..39 32-bit floats in cm units (see
// sections/sections.h for the places). Dimensions and area are stored as the CSV gives
// them; centroid, second moments, principal axes, plastic moduli, torsion and warping
// constants are computed here from the dimensions:
//   - plates as rectangles, rounded corners as their spandrel (area (1 − π/4)·ρ², centroid
//     0.22337·ρ from the corner point in both plate directions) counted as a point area;
//     tapered flanges (UPN, T) are taken with their mean thickness, as tabulated;
//   - plastic moduli about the axes that halve the area;
//   - I_T of I shapes by the fillet formula of the section tables (flange and web strips
//     plus 2·α1·D1⁴ − 0.42·t_f⁴), of other open shapes as Σ b·t³/3 over the centre-line
//     strips, of hollow sections by Bredt's formula on the centre line (CHS exact);
//   - I_w of I shapes t_f·b³·(h − t_f)²/24, of channels by the thin-walled channel
//     formula, 0 for the other families (small against their other values).
// Every row must give a record that the program's reader takes (the record rule of
// sections/profil_library_record.h), and more: the first line that is neither empty nor a
// comment ('#') is the column line "name,family,h,b,t_w,t_f,r,r_2,A"; a row has exactly
// these nine fields, a name of 1 to 16 printable ASCII bytes without blank, a family 0..4
// or 6, finite numbers, h, b (0 for a CHS), t_w, t_f and A above 0, radii not below 0,
// plates that can exist together (Profil_Library_Plates_Misfit), and a name that no earlier
// row has (compared upper-cased, as the reader looks names up: it would keep the first). A
// line holds at most 510 bytes besides its line end, and no NUL byte.
// Exit code 0 on success; 1 on a bad line (file:line, the cause and the line on stderr; a
// repeated name also names the line of its first row), a file without profile rows or an
// unreadable input (nothing is written then).
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "sections/profil_library_record.h"
#include "sections/sections.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kK = 1.0 - kPi / 4.0;
constexpr double kE = 0.22337;

struct Rect {
  double u0, u1, z0, z1;
};
struct Spot {
  double u, z, a;
};
struct Shape {
  std::vector<Rect> rects;
  std::vector<Spot> spots;
  void Plate(double u0, double u1, double z0, double z1) { rects.push_back({u0, u1, z0, z1}); }
  void Spandrel(double cu, double cz, double du, double dz, double rho, int sign) {
    if (rho > 0) spots.push_back({cu + du * kE * rho, cz + dz * kE * rho, sign * kK * rho * rho});
  }
};

struct Row {
  std::string name;
  int family;
  double h, b, tw, tf, r, r2, A;
};

// Area of the shape on the low side of the line coord = c (axis 0: u, axis 1: z).
double _Area_Below(const Shape &s, int axis, double c) {
  double a = 0;
  for (const Rect &r : s.rects) {
    const double lo = axis ? r.z0 : r.u0, hi = axis ? r.z1 : r.u1;
    const double w = axis ? r.u1 - r.u0 : r.z1 - r.z0;
    a += w * std::fmax(0.0, std::fmin(hi, c) - lo);
  }
  for (const Spot &p : s.spots)
    if ((axis ? p.z : p.u) < c) a += p.a;
  return a;
}

// First moment of |coord − c| over the shape.
double _Abs_Moment(const Shape &s, int axis, double c) {
  double m = 0;
  for (const Rect &r : s.rects) {
    const double lo = axis ? r.z0 : r.u0, hi = axis ? r.z1 : r.u1;
    const double w = axis ? r.u1 - r.u0 : r.z1 - r.z0;
    auto part = [&](double x0, double x1) {  // ∫ |x − c| over [x0, x1] on one side of c
      if (x1 <= x0) return 0.0;
      return std::fabs((x1 - c) * (x1 - c) - (x0 - c) * (x0 - c)) / 2;
    };
    m += w * (part(lo, std::fmin(hi, c)) + part(std::fmax(lo, c), hi));
  }
  for (const Spot &p : s.spots) m += p.a * std::fabs((axis ? p.z : p.u) - c);
  return m;
}

double _Plastic_Modulus(const Shape &s, int axis, double lo, double hi, double area) {
  for (int k = 0; k < 200; ++k) {
    const double mid = (lo + hi) / 2;
    if (_Area_Below(s, axis, mid) < area / 2) lo = mid; else hi = mid;
  }
  return _Abs_Moment(s, axis, (lo + hi) / 2);
}

// Values in cm units into places 5..39 of the record.
int _Compute(const Row &w, float *v) {
  const double h = w.h, b = w.b, tw = w.tw, tf = w.tf, r = w.r, r2 = w.r2;
  Shape s;
  double width = b;
  switch (w.family) {
    case 0:  // I and H: centred on the web, u from the left flange tip
      s.Plate(0, b, 0, tf);
      s.Plate(0, b, h - tf, h);
      s.Plate((b - tw) / 2, (b + tw) / 2, tf, h - tf);
      for (int side = -1; side <= 1; side += 2) {
        const double cu = b / 2 + side * tw / 2;
        s.Spandrel(cu, tf, side, +1, r, +1);
        s.Spandrel(cu, h - tf, side, -1, r, +1);
      }
      break;
    case 1: {  // hollow rectangle; r outer, r2 inner corner radius
      s.Plate(0, b, 0, tf);
      s.Plate(0, b, h - tf, h);
      s.Plate(0, tw, tf, h - tf);
      s.Plate(b - tw, b, tf, h - tf);
      s.Spandrel(0, 0, +1, +1, r, -1);
      s.Spandrel(b, 0, -1, +1, r, -1);
      s.Spandrel(0, h, +1, -1, r, -1);
      s.Spandrel(b, h, -1, -1, r, -1);
      s.Spandrel(tw, tf, +1, +1, r2, +1);
      s.Spandrel(b - tw, tf, -1, +1, r2, +1);
      s.Spandrel(tw, h - tf, +1, -1, r2, +1);
      s.Spandrel(b - tw, h - tf, -1, -1, r2, +1);
      break;
    }
    case 2:  // channel, web at the reference edge u = 0
      s.Plate(0, tw, tf, h - tf);
      s.Plate(0, b, 0, tf);
      s.Plate(0, b, h - tf, h);
      s.Spandrel(tw, tf, +1, +1, r, +1);
      s.Spandrel(tw, h - tf, +1, -1, r, +1);
      s.Spandrel(b, tf, -1, -1, r2, -1);
      s.Spandrel(b, h - tf, -1, +1, r2, -1);
      break;
    case 3:  // T: flange on top, web centred
      s.Plate(0, b, 0, tf);
      s.Plate((b - tw) / 2, (b + tw) / 2, tf, h);
      for (int side = -1; side <= 1; side += 2) {
        s.Spandrel(b / 2 + side * tw / 2, tf, side, +1, r, +1);
        s.Spandrel(b / 2 + side * tw / 2, h, -side, -1, r2, -1);  // rounded web toe
        s.Spandrel(side < 0 ? 0 : b, tf, -side, -1, r2, -1);      // rounded flange toes
      }
      break;
    case 4:  // angle: leg 1 (h) at the reference edge, leg 2 (b) at the bottom
      s.Plate(0, tw, 0, h - tf);
      s.Plate(0, b, h - tf, h);
      s.Spandrel(tw, h - tf, +1, -1, r, +1);
      s.Spandrel(tw, 0, -1, +1, r2, -1);
      s.Spandrel(b, h - tf, -1, +1, r2, -1);
      break;
    case 6:
      width = h;
      break;
    default:
      return 0;
  }
  double A = 0, Su = 0, Sz = 0, Iuu = 0, Izz = 0, Iuz = 0;
  if (w.family == 6) {
    const double d = h - 2 * tw;
    A = kPi * (h * h - d * d) / 4;
    Su = Sz = A * h / 2;
    Iuu = Izz = kPi * (std::pow(h, 4) - std::pow(d, 4)) / 64 + A * h * h / 4;
    Iuz = A * h * h / 4;
  } else {
    for (const Rect &q : s.rects) {
      const double a = (q.u1 - q.u0) * (q.z1 - q.z0), uc = (q.u0 + q.u1) / 2, zc = (q.z0 + q.z1) / 2;
      A += a;
      Su += a * uc;
      Sz += a * zc;
      Iuu += a * uc * uc + a * (q.u1 - q.u0) * (q.u1 - q.u0) / 12;
      Izz += a * zc * zc + a * (q.z1 - q.z0) * (q.z1 - q.z0) / 12;
      Iuz += a * uc * zc;
    }
    for (const Spot &p : s.spots) {
      A += p.a;
      Su += p.a * p.u;
      Sz += p.a * p.z;
      Iuu += p.a * p.u * p.u;
      Izz += p.a * p.z * p.z;
      Iuz += p.a * p.u * p.z;
    }
  }
  if (!(A > 0)) return 0;
  const double us = Su / A, zs = Sz / A;
  const double Iy = Izz - A * zs * zs, Iz = Iuu - A * us * us;
  const double Iyz = -(Iuz - A * us * zs);  // y = −u
  const double Im = (Iy + Iz) / 2, Id = std::sqrt((Iy - Iz) * (Iy - Iz) / 4 + Iyz * Iyz);
  // I_y = I_m + I_d·cos 2α, I_yz = −I_d·sin 2α
  const double alpha = std::fabs(Iyz) < 1e-9 * (Iy + Iz) ? 0.0 : std::atan2(-Iyz, (Iy - Iz) / 2) / 2;
  double Wy, Wz, IT = 0, Iw = 0;
  if (w.family == 6) {
    const double d = h - 2 * tw;
    Wy = Wz = (h * h * h - d * d * d) / 6;
    IT = 2 * (Iy);
  } else {
    Wy = _Plastic_Modulus(s, 1, 0, h, A);
    Wz = _Plastic_Modulus(s, 0, 0, width, A);
  }
  switch (w.family) {
    case 0: {
      const double D1 = ((tf + r) * (tf + r) + tw * (r + tw / 4)) / (2 * r + tf);
      const double a1 = -0.042 + 0.2204 * tw / tf + 0.1355 * r / tf - 0.0865 * r * tw / (tf * tf) -
                        0.0725 * tw * tw / (tf * tf);
      IT = 2.0 / 3 * b * std::pow(tf, 3) + (h - 2 * tf) * std::pow(tw, 3) / 3 + 2 * a1 * std::pow(D1, 4) -
           0.42 * std::pow(tf, 4);
      Iw = tf * b * b * b * (h - tf) * (h - tf) / 24;
      break;
    }
    case 1: {
      const double t = tw, hm = h - t, bm = b - t, rm = (r + r2) / 2;
      const double Am = hm * bm - (4 - kPi) * rm * rm, Um = 2 * (hm + bm) - (8 - 2 * kPi) * rm;
      IT = 4 * Am * Am * t / Um + t * t * t * Um / 3;
      break;
    }
    case 2: {
      const double bb = b - tw / 2, hh = h - tf;
      IT = (2 * bb * std::pow(tf, 3) + hh * std::pow(tw, 3)) / 3;
      Iw = tf * bb * bb * bb * hh * hh / 12 * (3 * bb * tf + 2 * hh * tw) / (6 * bb * tf + hh * tw);
      break;
    }
    case 3:
      IT = (b * std::pow(tf, 3) + (h - tf / 2) * std::pow(tw, 3)) / 3;
      break;
    case 4:
      IT = ((h - tf / 2) * std::pow(tw, 3) + (b - tw / 2) * std::pow(tf, 3)) / 3;
      break;
    default:
      break;
  }
  for (int k = 5; k < 40; ++k) v[k] = 0.0f;
  v[5] = static_cast<float>(h);
  v[6] = static_cast<float>(b);
  v[7] = static_cast<float>(tw);
  v[8] = static_cast<float>(tf);
  v[9] = static_cast<float>(w.A);
  v[11] = static_cast<float>(h - zs);
  v[12] = static_cast<float>(w.family == 6 ? h / 2 : us);
  v[13] = static_cast<float>(std::tan(alpha));
  v[14] = static_cast<float>(Iy);
  v[15] = static_cast<float>(Iz);
  v[18] = static_cast<float>(Im + Id);
  v[21] = static_cast<float>(Wy);
  v[23] = static_cast<float>(Im - Id);
  v[26] = static_cast<float>(Wz);
  v[28] = static_cast<float>(IT);
  v[29] = static_cast<float>(Iw);
  v[30] = static_cast<float>(r);
  v[31] = static_cast<float>(r2);
  return 1;
}

void _Put32(unsigned char *p, std::uint32_t x) {
  for (int k = 0; k < 4; ++k) p[k] = static_cast<unsigned char>(x >> (8 * k));
}

constexpr char kColumns[] = "name,family,h,b,t_w,t_f,r,r_2,A";

// One number field, whole and finite, as float (so that the file holds exactly the CSV's
// value); false otherwise.
bool _Number(const std::string &text, float *out) {
  if (text.empty()) return false;
  char *end = nullptr;
  errno = 0;
  const float f = std::strtof(text.c_str(), &end);
  if (*end != '\0' || errno == ERANGE || !std::isfinite(f)) return false;
  *out = f;
  return true;
}

// A row of the CSV into *row; null when it is good, else why not. The dimensions h, b, t_w,
// t_f and the area must be above 0 (b of a circular hollow section is 0), the radii not
// below 0.
const char *_Parse_Row(const std::string &line, Row *row) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == ',') fields.emplace_back();
    else fields.back() += c;
  }
  if (fields.size() != 9) return "not 9 columns";
  row->name = fields[0];
  if (row->name.empty() || row->name.size() > static_cast<std::size_t>(PROFIL_LIB_NAME_BYTES))
    return "the name is empty or longer than 16 bytes";
  for (unsigned char c : row->name)
    if (c < 0x21 || c > 0x7E) return "the name holds a blank or a byte that is not printable ASCII";
  char *end = nullptr;
  const long family = std::strtol(fields[1].c_str(), &end, 10);
  if (fields[1].empty() || *end != '\0' || family < PROFIL_FAMILY_I || family > PROFIL_FAMILY_CHS ||
      family == PROFIL_FAMILY_Z)
    return "the family is not 0, 1, 2, 3, 4 or 6";
  row->family = static_cast<int>(family);
  float f[7];
  for (int k = 0; k < 7; ++k)
    if (!_Number(fields[2 + k], &f[k])) return "a dimension is not a finite number";
  row->h = f[0], row->b = f[1], row->tw = f[2], row->tf = f[3], row->r = f[4], row->r2 = f[5], row->A = f[6];
  const bool chs = family == PROFIL_FAMILY_CHS;
  if (!(row->h > 0) || !(row->tw > 0) || !(row->tf > 0) || !(row->A > 0) || !(chs ? row->b == 0 : row->b > 0))
    return chs ? "h, t_w, t_f or A is not above 0, or b is not 0" : "h, b, t_w, t_f or A is not above 0";
  if (row->r < 0 || row->r2 < 0) return "a radius is below 0";
  return Profil_Library_Plates_Misfit(row->family, f[0], f[1], f[2], f[3]);
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s library.csv PROFIL\n", argv[0]);
    return 1;
  }
  FILE *in = std::fopen(argv[1], "r");
  if (!in) {
    std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
    return 1;
  }
  auto refuse = [&](int number, const char *why, const char *line) {
    std::fprintf(stderr, "%s:%d: %s: %s\n", argv[1], number, why, line);
    std::fclose(in);
    return 1;
  };
  std::vector<unsigned char> out;
  std::map<std::string, int> first_row;  // upper-cased name: line of its row
  std::string text;
  int number = 0, header_seen = 0;
  for (int c = 0; c != EOF;) {
    // One line without its end ("\n", "\r\n"): a NUL byte would cut it short unseen.
    text.clear();
    std::size_t n = 0;  // bytes of the line; the first 512 are kept
    bool nul = false;
    while ((c = std::fgetc(in)) != EOF && c != '\n') {
      nul = nul || c == '\0';
      if (n++ < 512) text += static_cast<char>(c);
    }
    if (c == EOF && n == 0) break;
    ++number;
    if (n > 0 && n <= 512 && text.back() == '\r') text.pop_back(), --n;
    if (nul) return refuse(number, "the line holds a NUL byte", "");
    if (n > 510) return refuse(number, "line longer than 510 bytes", "");
    const char *line = text.c_str();
    if (line[0] == '#' || line[0] == '\0') continue;
    if (!header_seen) {  // the column line comes first: without it the first profile would be lost
      if (std::strcmp(line, kColumns) != 0) return refuse(number, "the column line name,family,h,b,t_w,t_f,r,r_2,A is missing", line);
      header_seen = 1;
      continue;
    }
    Row row;
    float v[40] = {};
    if (const char *why = _Parse_Row(line, &row)) return refuse(number, why, line);
    std::string key = row.name;
    for (char &k : key) k = static_cast<char>(std::toupper(static_cast<unsigned char>(k)));
    const auto [seen, fresh] = first_row.emplace(key, number);
    if (!fresh) {
      const std::string why = "the name stands already in " + std::string(argv[1]) + ":" + std::to_string(seen->second);
      return refuse(number, why.c_str(), line);
    }
    if (!_Compute(row, v)) return refuse(number, "no section values", line);
    unsigned char rec[PROFIL_LIB_RECORD_BYTES] = {};
    std::memcpy(rec, row.name.data(), row.name.size());
    _Put32(rec + 16, static_cast<std::uint32_t>(row.family));
    for (int k = 5; k < 40; ++k) {
      std::uint32_t bits;
      std::memcpy(&bits, &v[k], 4);
      _Put32(rec + 4 * k, bits);
    }
    // The program's reader takes the file whole or not at all: the tool keeps to its rule.
    if (Check_Profil_Library_Record(rec) != PROFIL_LIB_RECORD_GOOD)
      return refuse(number, "the program's reader would refuse its record", line);
    if (out.size() + sizeof rec > PROFIL_LIB_MAX_BYTES) return refuse(number, "more rows than the reader takes", line);
    out.insert(out.end(), rec, rec + sizeof rec);
  }
  const bool read_error = std::ferror(in) != 0;
  std::fclose(in);
  if (read_error || out.empty()) {  // a library without profiles is refused by the reader
    std::fprintf(stderr, "%s: %s\n", argv[1], read_error ? "read error" : "no profile rows");
    return 1;
  }
  FILE *f = std::fopen(argv[2], "wb");
  if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size()) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
    if (f) std::fclose(f);
    return 1;
  }
  return std::fclose(f) == 0 ? 0 : 1;
}
