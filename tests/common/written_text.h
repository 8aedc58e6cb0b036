// tests/common/written_text.h — the bytes a writer puts on a stream, for the round trips of
// the file formats in tests and fuzz targets.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

// Runs write(f) on a memory stream and returns what it wrote; write's answer goes to *rc
// when rc is given. Aborts when no memory stream can be opened.
template <class Writer>
std::string Written_Text(Writer &&write, int *rc = nullptr) {
  char *buf = nullptr;
  std::size_t len = 0;
  FILE *f = open_memstream(&buf, &len);
  if (!f) std::abort();
  const int r = write(f);
  std::fclose(f);
  if (rc) *rc = r;
  std::string s(buf, len);
  std::free(buf);
  return s;
}
