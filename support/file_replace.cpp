// Replacing a user file through a temporary file in the same folder, so that a failed
// write (full disk, quota, a removed medium) never leaves a half file under the real name.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/support.h"

namespace {

// The path that is really replaced: a symbolic link is resolved so that the link itself
// stays; anything else is taken as given.
std::string _Resolve_Target(const char *path) {
  struct stat st;
  if (lstat(path, &st) == 0 && S_ISLNK(st.st_mode)) {
    char buf[PATH_MAX];
    if (realpath(path, buf)) return buf;
  }
  return path;
}

void _Clear(FILE_REPLACE *r) {
  r->stream = nullptr;
  r->target[0] = '\0';
  r->temp[0] = '\0';
}

}  // namespace

FILE *Begin_File_Replace(FILE_REPLACE *r, const char *path) {
  if (!r) return nullptr;
  _Clear(r);
  if (!path || !*path) return nullptr;
  std::string target = _Resolve_Target(path);
  struct stat st;
  bool exists = stat(target.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) return nullptr;  // a folder or a device is never replaced
  std::string temp = target + ".tmpXXXXXX";
  if (target.size() + 1 > sizeof r->target || temp.size() + 1 > sizeof r->temp) return nullptr;
  int fd = mkstemp(temp.data());
  if (fd < 0) return nullptr;
  mode_t mode;
  if (exists) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  FILE *f = (fchmod(fd, mode) == 0) ? fdopen(fd, "wb") : nullptr;
  if (!f) {
    close(fd);
    unlink(temp.c_str());
    return nullptr;
  }
  std::memcpy(r->target, target.c_str(), target.size() + 1);
  std::memcpy(r->temp, temp.c_str(), temp.size() + 1);
  r->stream = f;
  return f;
}

int Commit_File_Replace(FILE_REPLACE *r) {
  if (!r || !r->stream) return 1;
  FILE *f = r->stream;
  r->stream = nullptr;
  bool ok = std::fflush(f) == 0 && !std::ferror(f);
  if (ok && fsync(fileno(f)) != 0) ok = false;
  if (std::fclose(f) != 0) ok = false;
  if (ok && std::rename(r->temp, r->target) != 0) ok = false;
  if (!ok) unlink(r->temp);
  _Clear(r);
  return ok ? 0 : 1;
}

void Abort_File_Replace(FILE_REPLACE *r) {
  if (!r || !r->stream) return;
  std::fclose(r->stream);
  unlink(r->temp);
  _Clear(r);
}

int Replace_File(const char *path, int (*write)(FILE *stream, void *context), void *context) {
  if (!write) return 1;
  FILE_REPLACE r;
  if (!Begin_File_Replace(&r, path)) return 1;
  if (write(r.stream, context) != 0) {
    Abort_File_Replace(&r);
    return 1;
  }
  return Commit_File_Replace(&r);
}
