// tests/materials/capture.h — a print list in a temporary file, read back as text lines.
#pragma once

#include <cstddef>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "print/print.h"

// Everything written into a temporary file.
inline std::string File_Text(FILE *f) {
  std::fflush(f);
  std::rewind(f);
  std::string out;
  for (int c; (c = std::fgetc(f)) != EOF;) out.push_back(static_cast<char>(c));
  return out;
}

// Opens a temporary stream; Lines() returns the text lines written so far without the
// print list's directive lines ("#..."), colours switched off so that marks are words.
class PrintCapture {
 public:
  PrintCapture() {
    Reset_Print_For_Tests();
    Oli_Set_Colors(0);
    f_ = std::tmpfile();
  }
  ~PrintCapture() {
    if (f_) std::fclose(f_);
    Reset_Print_For_Tests();
  }
  FILE *stream() { return f_; }
  std::string Raw() {
    const long pos = std::ftell(f_);
    std::string out = File_Text(f_);
    std::fseek(f_, pos, SEEK_SET);
    return out;
  }
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    std::istringstream in(Raw());
    for (std::string line; std::getline(in, line);) {
      std::erase(line, '\r');
      if (!line.empty() && line[0] != '#') lines.push_back(line);
    }
    return lines;
  }

 private:
  FILE *f_ = nullptr;
};

// Expected lines as strings. (Expected texts stand in plain arrays: clang 14 crashes on
// "..."_cp literals in the braced initialiser of a std::vector<std::string>.)
template <std::size_t N>
std::vector<std::string> Lines_Of(const char *const (&lines)[N]) {
  return std::vector<std::string>(lines, lines + N);
}

// A temporary data file holding text, positioned at its start.
inline FILE *Data_File(const std::string &text) {
  FILE *f = std::tmpfile();
  std::fputs(text.c_str(), f);
  std::rewind(f);
  return f;
}
