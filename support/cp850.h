// support/cp850.h — code page 850 texts.
//
// The print list, the data files and every message are code page 850. Source files are
// UTF-8; the literal operator below converts a UTF-8 literal to its code page 850 bytes at
// compile time:
//
//     const char *t = "Tragfähigkeit"_cp;      // "Tragf\x84higkeit"
//     const char *m = "╬\\w"_cp;               // CE 5C 77: subscript code of the print list
//
// A character without a code page 850 byte, or malformed UTF-8, does not compile.
// Such literals are not string literals any more, so the compiler cannot check a printf
// format spelled with them; CP850_CALL and CP850_CALL2 below have the UTF-8 spelling
// checked against the arguments, then pass the converted bytes.
//
// Traps of the print font: the cubic sign in "cm·" is 0xFA ('·'), not '³' (0xFC); the
// less-or-equal sign is '¾' (0xF3); the markup opener '╬' is 0xCE; 'º' is 0xA7, '°' 0xF8.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace cp850 {

// Unicode code points of the bytes 0x80 to 0xFF (bytes 0x00 to 0x7F are ASCII).
inline constexpr char32_t kHigh[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 0x80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  // 0x88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 0x90
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,  // 0x98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // 0xA0
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // 0xA8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,  // 0xB0
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,  // 0xB8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,  // 0xC0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,  // 0xC8
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE,  // 0xD0
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,  // 0xD8
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,  // 0xE0
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,  // 0xE8
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,  // 0xF0
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,  // 0xF8
};

// Not constexpr on purpose: reaching one of these during constant evaluation stops the
// compilation with the function's name in the diagnostic.
void error_malformed_utf8();
void error_no_cp850_byte();

// Decodes one UTF-8 sequence at s[i] (length n); advances i.
consteval char32_t decode(const char *s, std::size_t n, std::size_t &i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  int extra = 0;
  char32_t cp = 0;
  if (c < 0x80) { ++i; return c; }
  if ((c & 0xE0) == 0xC0) { extra = 1; cp = c & 0x1F; }
  else if ((c & 0xF0) == 0xE0) { extra = 2; cp = c & 0x0F; }
  else if ((c & 0xF8) == 0xF0) { extra = 3; cp = c & 0x07; }
  else error_malformed_utf8();
  for (int k = 1; k <= extra; ++k) {
    if (i + k >= n) error_malformed_utf8();
    unsigned char d = static_cast<unsigned char>(s[i + k]);
    if ((d & 0xC0) != 0x80) error_malformed_utf8();
    cp = (cp << 6) | (d & 0x3F);
  }
  // Overlong forms and surrogates are malformed.
  if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) ||
      (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
    error_malformed_utf8();
  i += extra + 1;
  return cp;
}

consteval unsigned char to_byte(char32_t cp) {
  if (cp < 0x80) return static_cast<unsigned char>(cp);
  for (int k = 0; k < 128; ++k)
    if (kHigh[k] == cp) return static_cast<unsigned char>(0x80 + k);
  error_no_cp850_byte();
  return 0;
}

// A UTF-8 string literal as a structural template argument (n bytes without the NUL).
template <std::size_t N>
struct Utf8 {
  char s[N]{};
  consteval Utf8(const char (&a)[N]) {
    for (std::size_t k = 0; k < N; ++k) s[k] = a[k];
  }
  static constexpr std::size_t n = N - 1;
};

template <Utf8 L>
consteval std::size_t converted_length() {
  std::size_t i = 0, len = 0;
  while (i < L.n) { to_byte(decode(L.s, L.n, i)); ++len; }
  return len;
}

template <Utf8 L>
consteval std::array<char, converted_length<L>() + 1> convert() {
  std::array<char, converted_length<L>() + 1> out{};
  std::size_t i = 0, o = 0;
  while (i < L.n) out[o++] = static_cast<char>(to_byte(decode(L.s, L.n, i)));
  out[o] = '\0';
  return out;
}

template <Utf8 L>
inline constexpr auto storage = convert<L>();

// Returns the converted format; the compiler checks the UTF-8 spelling against the
// arguments (format_arg), and takes the result as a checked format (so no
// "format not a string literal" warning for a format without arguments).
__attribute__((format_arg(1))) inline constexpr const char *checked_format(const char *, const char *converted) {
  return converted;
}

}  // namespace cp850

// "Tragfähigkeit"_cp: the code page 850 bytes of a UTF-8 literal, NUL-terminated, static.
template <cp850::Utf8 L>
constexpr const char *operator""_cp() {
  return cp850::storage<L>.data();
}

// Checked printf-like calls with a UTF-8 format: the format is checked against the
// arguments as printf would check it, then the converted bytes are passed on:
//     CP850_CALL(Oli_Printf, stream, "%sLänge = %.2f cm\n", pre, l);
//     CP850_CALL2(snprintf, buf, sizeof buf, "Höhe %d", h);
#define CP850_CALL(fn, a1, fmt, ...) \
  fn(a1, ::cp850::checked_format(fmt, fmt##_cp) __VA_OPT__(, ) __VA_ARGS__)
#define CP850_CALL2(fn, a1, a2, fmt, ...) \
  fn(a1, a2, ::cp850::checked_format(fmt, fmt##_cp) __VA_OPT__(, ) __VA_ARGS__)

// Runtime conversion for logs and test messages: code page 850 bytes to UTF-8.
std::string Cp850_To_Utf8(const std::string &bytes);
// A host message (code page 850, "^b" switching to bold) as plain UTF-8 for standard
// error: every "^b" dropped, every byte below 0x20 but the line end, and 0x7F, as a blank,
// the rest as Cp850_To_Utf8 gives it.
std::string Message_Text_Utf8(const std::string &text);
