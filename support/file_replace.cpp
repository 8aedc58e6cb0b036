// Replacing a user file through a temporary file in the same folder, so that a failed
// write (full disk, quota, a removed medium) never leaves a half file under the real name;
// and the removal of temporary files that a killed run left behind. The target's links, the
// temporary file and the final rename are the host layer's (its pictures take the same road).
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "host/host.h"
#include "support/support.h"

namespace {

// The folder part of a path with its trailing '/', or "" for a bare name.
std::string _Folder(const std::string &path) {
  const std::size_t cut = path.rfind('/');
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
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

FILE *Begin_File_Replace(FILE_REPLACE *r, const char *path, int flags) {
  if (!r) return nullptr;
  _Clear(r);
  // The target (after its links unless told not to follow them), its checks and the
  // temporary file: the host's road.
  std::string target, temp;
  const int fd = Host_Open_Replace_Temp(path, &target, &temp, !(flags & FILE_REPLACE_NO_FOLLOW));
  if (fd < 0) return nullptr;
  FILE *f = nullptr;
  if (target.size() + 1 > sizeof r->target || temp.size() + 1 > sizeof r->temp) errno = ENAMETOOLONG;
  else f = fdopen(fd, "wb");
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
  if (!err && Host_Sync_Replace_File(fileno(f)) != 0) err = errno;
  if (std::fclose(f) != 0 && !err) err = errno;
  // The rename over the target (or the removal of the temporary file on a failure).
  const int failed = Host_Finish_Replace(r->temp, r->target, err);
  _Clear(r);
  return failed;
}

void Abort_File_Replace(FILE_REPLACE *r) {
  if (!r || !r->stream) return;
  const Keep_Errno keep;  // the writer's cause of the abort
  std::fclose(r->stream);
  unlink(r->temp);
  _Clear(r);
}

int Replace_File(const char *path, int (*write)(FILE *stream, void *context), void *context, int flags) {
  if (!write) {
    errno = EINVAL;
    return 1;
  }
  FILE_REPLACE r;
  if (!Begin_File_Replace(&r, path, flags)) return 1;
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

int Replace_File_Text(const char *path, const std::string &text, int flags) {
  return Replace_File(path, _Put_Text, const_cast<std::string *>(&text), flags);
}

int Remove_Stale_Replace_Temps(const char *path, double max_age_s, int flags) {
  if (!path || !*path) return 0;
  const std::string target = flags & FILE_REPLACE_NO_FOLLOW ? std::string(path) : Host_Replace_Target(path);
  if (target.empty()) return 0;
  // The temporary names of this target: the pattern with its six characters of mkstemp.
  const std::string pattern = Host_Replace_Temp_Pattern(target);
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
