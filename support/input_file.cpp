// Opening and reading input files: only regular files, never more than a cap, and an open
// that never waits (a FIFO without a writer would block it for ever). The host layer's
// primitives do the work; this file gives them support's names and messages.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "host/host.h"
#include "support/support.h"

// The host's road for input files, under support's names (the codes and the cap are the
// host's).
static_assert(INPUT_FILE_MAX_BYTES == HOST_FILE_MAX_BYTES);
static_assert(int{WHOLE_FILE_OK} == int{HOST_FILE_OK} && int{WHOLE_FILE_NOT_OPENED} == int{HOST_FILE_NOT_OPENED} &&
              int{WHOLE_FILE_READ_ERROR} == int{HOST_FILE_READ_ERROR} &&
              int{WHOLE_FILE_TOO_BIG} == int{HOST_FILE_TOO_BIG} &&
              int{WHOLE_FILE_NOT_REGULAR} == int{HOST_FILE_NOT_REGULAR});

FILE *Open_Input_File(const char *path, std::size_t max_bytes, int *why) {
  int dummy;
  if (!why) why = &dummy;
  const int fd = Host_Open_Regular_File(path, max_bytes, why);
  if (fd < 0) return nullptr;
  FILE *f = fdopen(fd, "rb");
  if (!f) {
    const int e = errno;
    close(fd);
    errno = e;
    *why = WHOLE_FILE_NOT_OPENED;
  }
  return f;
}

int Read_Whole_File(const char *path, std::string *bytes, std::size_t max_bytes) {
  return Host_Read_Regular_File(path, bytes, max_bytes);
}

std::string Input_File_Problem(int code, std::size_t max_bytes, int error_number) {
  if (max_bytes == 0) max_bytes = INPUT_FILE_MAX_BYTES;
  switch (code) {
    case WHOLE_FILE_OK: return std::string();
    case WHOLE_FILE_NOT_OPENED: return std::strerror(error_number);
    case WHOLE_FILE_NOT_REGULAR: return "not a regular file";
    case WHOLE_FILE_TOO_BIG: {
      const std::size_t mib = max_bytes >> 20;
      return mib << 20 == max_bytes ? "larger than " + std::to_string(mib) + " MiB"
                                    : "larger than " + std::to_string(max_bytes) + " bytes";
    }
    default: return "read error";
  }
}
