// Replacing a user file through a temporary file in the same folder, so that a failed
// write (full disk, quota, a removed medium) never leaves a half file under the real name;
// and the removal of temporary files that a killed run left behind.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "support/support.h"

namespace {

constexpr int kMaxLinks = 40;           // links followed before giving up (as the kernel does)
constexpr std::size_t kMaxStem = 200;   // bytes of the target's name kept in the temporary name

// The folder part of a path with its trailing '/', or "" for a bare name.
std::string _Folder(const std::string &path) {
  const std::size_t cut = path.rfind('/');
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// The path that is really replaced: a chain of symbolic links is followed to its end, also
// when that end does not exist yet, so that every link stays. An empty string when the
// chain cannot be read or loops.
std::string _Resolve_Target(const char *path) {
  std::string p = path;
  for (int hop = 0; hop <= kMaxLinks; ++hop) {
    struct stat st;
    if (lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
    char buf[PATH_MAX];
    const ssize_t n = readlink(p.c_str(), buf, sizeof buf - 1);
    if (n < 0) return std::string();
    buf[n] = '\0';
    p = buf[0] == '/' ? std::string(buf) : _Folder(p) + buf;
  }
  errno = ELOOP;
  return std::string();
}

// The temporary name beside the target: its name (cut so that the folder entry stays
// short) and a unique tail for mkstemp.
std::string _Temp_Pattern(const std::string &target) {
  const std::string folder = _Folder(target);
  const std::string name = target.substr(folder.size());
  return folder + name.substr(0, kMaxStem) + ".tmpXXXXXX";
}

// Makes a rename just done lasting: the folder entry is synced too (best effort: the file
// is in place whatever this says).
void _Sync_Folder(const std::string &target) {
  std::string folder = _Folder(target);
  if (folder.empty()) folder = ".";
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// Keeps errno through the clean-up after a failure, so that the caller can say why.
struct Keep_Errno {
  int saved = errno;
  ~Keep_Errno() { errno = saved; }
};

void _Clear(FILE_REPLACE *r) {
  r->stream = nullptr;
  r->target[0] = '\0';
  r->temp[0] = '\0';
}

}  // namespace

FILE *Begin_File_Replace(FILE_REPLACE *r, const char *path) {
  if (!r) return nullptr;
  _Clear(r);
  if (!path || !*path) {
    errno = ENOENT;
    return nullptr;
  }
  const std::string target = _Resolve_Target(path);
  if (target.empty()) return nullptr;
  struct stat st;
  const bool exists = stat(target.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) {  // a folder or a device is never replaced
    errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    return nullptr;
  }
  // A file its user may not write stays as it is, as it would when written in place.
  if (exists && access(target.c_str(), W_OK) != 0) return nullptr;
  std::string temp = _Temp_Pattern(target);
  if (target.size() + 1 > sizeof r->target || temp.size() + 1 > sizeof r->temp) {
    errno = ENAMETOOLONG;
    return nullptr;
  }
  const int fd = mkstemp(temp.data());
  if (fd < 0) return nullptr;
  mode_t mode;
  if (exists) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  FILE *f = (fchmod(fd, mode) == 0) ? fdopen(fd, "wb") : nullptr;
  if (!f) {
    const Keep_Errno keep;
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
  // err: the cause of the first failure, given back in errno. A write error that the stream
  // only remembers left its cause in errno when it happened (EIO when that was lost).
  int err = 0;
  if (std::fflush(f) != 0) err = errno;
  else if (std::ferror(f)) err = errno ? errno : EIO;
  if (!err && fsync(fileno(f)) != 0) err = errno;
  if (std::fclose(f) != 0 && !err) err = errno;
  if (!err && std::rename(r->temp, r->target) != 0) err = errno;
  if (!err) _Sync_Folder(r->target);
  else unlink(r->temp);
  _Clear(r);
  if (err) errno = err;
  return err ? 1 : 0;
}

void Abort_File_Replace(FILE_REPLACE *r) {
  if (!r || !r->stream) return;
  const Keep_Errno keep;  // the writer's cause of the abort
  std::fclose(r->stream);
  unlink(r->temp);
  _Clear(r);
}

int Replace_File(const char *path, int (*write)(FILE *stream, void *context), void *context) {
  if (!write) {
    errno = EINVAL;
    return 1;
  }
  FILE_REPLACE r;
  if (!Begin_File_Replace(&r, path)) return 1;
  errno = 0;
  if (write(r.stream, context) != 0) {
    if (errno == 0) errno = EINVAL;  // the writer refused its record
    Abort_File_Replace(&r);
    return 1;
  }
  return Commit_File_Replace(&r);
}

namespace {
int _Put_Text(FILE *f, void *context) {
  const std::string &text = *static_cast<const std::string *>(context);
  return std::fwrite(text.data(), 1, text.size(), f) == text.size() ? 0 : 1;
}
}  // namespace

int Replace_File_Text(const char *path, const std::string &text) {
  return Replace_File(path, _Put_Text, const_cast<std::string *>(&text));
}

int Remove_Stale_Replace_Temps(const char *path, double max_age_s) {
  if (!path || !*path) return 0;
  const std::string target = _Resolve_Target(path);
  if (target.empty()) return 0;
  // The temporary names of this target: the pattern with its six characters of mkstemp.
  const std::string pattern = _Temp_Pattern(target);
  const std::string folder = _Folder(target);
  const std::string head = pattern.substr(folder.size(), pattern.size() - folder.size() - 6);
  DIR *d = opendir(folder.empty() ? "." : folder.c_str());
  if (!d) return 0;
  const time_t now = time(nullptr);
  int removed = 0;
  while (const dirent *e = readdir(d)) {
    const std::string name = e->d_name;
    if (name.size() != head.size() + 6 || name.compare(0, head.size(), head) != 0) continue;
    bool tail_ok = true;  // mkstemp's characters: letters and digits
    for (std::size_t k = head.size(); k < name.size(); ++k)
      if (!std::isalnum(static_cast<unsigned char>(name[k]))) tail_ok = false;
    if (!tail_ok) continue;
    const std::string full = folder + name;
    struct stat st;
    if (lstat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (std::difftime(now, st.st_mtime) <= max_age_s) continue;  // perhaps a replacement running now
    if (unlink(full.c_str()) == 0) ++removed;
  }
  closedir(d);
  return removed;
}
