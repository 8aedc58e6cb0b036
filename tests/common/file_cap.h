// tests/common/file_cap.h — a full disk for the writers' failure paths: while a FileSizeCap
// lives, this process cannot write a file beyond the cap (RLIMIT_FSIZE, with SIGXFSZ
// ignored so that the write fails with EFBIG instead of ending the process).
#pragma once

#include <signal.h>
#include <sys/resource.h>

#include <fstream>
#include <iterator>
#include <string>

namespace test_files {

struct FileSizeCap {
  rlimit old{};
  void (*old_handler)(int);
  explicit FileSizeCap(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old);
    old_handler = signal(SIGXFSZ, SIG_IGN);
    rlimit cap{bytes, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &cap);
  }
  ~FileSizeCap() {
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, old_handler);
  }
  FileSizeCap(const FileSizeCap &) = delete;
  FileSizeCap &operator=(const FileSizeCap &) = delete;
};

// The bytes of a file ("" when it cannot be read).
inline std::string Slurp(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Writes bytes to path, replacing what was there.
inline void Put(const std::string &path, const std::string &bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace test_files
