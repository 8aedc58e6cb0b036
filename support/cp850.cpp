// Runtime conversion of code page 850 texts to UTF-8, for logs and test messages.
#include <string>

#include "support/cp850.h"

std::string Cp850_To_Utf8(const std::string &bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    char32_t cp = c < 0x80 ? c : cp850::kHigh[c - 0x80];
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

std::string Message_Text_Utf8(const std::string &text) {
  std::string plain;
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] == '^' && k + 1 < text.size() && text[k + 1] == 'b') {
      ++k;
      continue;
    }
    // A name from a file may hold control bytes: on a terminal they would run as an escape
    // sequence (a window title, a cleared screen).
    const unsigned char c = static_cast<unsigned char>(text[k]);
    plain += (c < 0x20 && c != '\n') || c == 0x7F ? ' ' : text[k];
  }
  return Cp850_To_Utf8(plain);
}
