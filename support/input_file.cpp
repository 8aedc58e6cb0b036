// Opening and reading input files: only regular files, never more than a cap, and an open
// that never waits (a FIFO without a writer would block it for ever).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "support/support.h"

FILE *Open_Input_File(const char *path, std::size_t max_bytes, int *why) {
  int dummy;
  if (!why) why = &dummy;
  *why = WHOLE_FILE_NOT_OPENED;
  if (!path || !*path) {
    errno = ENOENT;
    return nullptr;
  }
  if (max_bytes == 0) max_bytes = INPUT_FILE_MAX_BYTES;
  // O_NONBLOCK: the open of a FIFO returns at once; the file is then judged by what it is.
  const int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st;
  int code = WHOLE_FILE_OK;
  if (fstat(fd, &st) != 0) code = WHOLE_FILE_NOT_OPENED;
  else if (!S_ISREG(st.st_mode)) code = WHOLE_FILE_NOT_REGULAR;
  else if (static_cast<unsigned long long>(st.st_size) > max_bytes) code = WHOLE_FILE_TOO_BIG;
  FILE *f = nullptr;
  if (code == WHOLE_FILE_OK) {
    const int flags = fcntl(fd, F_GETFL);
    if (flags == -1 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1 || !(f = fdopen(fd, "rb")))
      code = WHOLE_FILE_NOT_OPENED;
  }
  if (!f) {
    const int e = errno;
    close(fd);
    errno = e;
  }
  *why = code;
  return f;
}

int Read_Whole_File(const char *path, std::string *bytes, std::size_t max_bytes) {
  bytes->clear();
  if (max_bytes == 0) max_bytes = INPUT_FILE_MAX_BYTES;
  int answer;
  FILE *f = Open_Input_File(path, max_bytes, &answer);
  if (!f) return answer;
  char buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
    if (bytes->size() + n > max_bytes) {  // grown since it was opened
      answer = WHOLE_FILE_TOO_BIG;
      break;
    }
    bytes->append(buf, n);
  }
  if (std::ferror(f)) answer = WHOLE_FILE_READ_ERROR;
  std::fclose(f);
  return answer;
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
