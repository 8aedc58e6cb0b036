// The file-system primitives of the host layer: reading a regular file whole under a cap,
// with an open that never waits, and replacing a file through a temporary sibling that is
// synced and renamed over it. The host's bitmap and settings readers and its picture
// writers use them; support builds its input files and file replacement on them.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/host.h"

namespace {

constexpr int kMaxLinks = 40;          // links followed before giving up (as the kernel does)
constexpr std::size_t kMaxStem = 200;  // bytes of the target's name kept in the temporary name

// The folder part of a path with its trailing '/', or "" for a bare name.
std::string _Folder(const std::string &path) {
  const std::size_t cut = path.rfind('/');
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// Makes a rename just done lasting: the folder entry is synced too (best effort: the file
// is in place whatever this says).
void _Sync_Folder(const std::string &target) {
  std::string folder = _Folder(target);
  if (folder.empty()) folder = ".";
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// Keeps errno through the clean-up after a failure, so that the caller can say why.
struct Keep_Errno {
  int saved = errno;
  ~Keep_Errno() { errno = saved; }
};

// The module state of the file primitives: the sync of a replacement's temporary file (null:
// fsync; a test puts its own in place).
struct FilesState {
  HOST_SYNC sync = nullptr;
} g_files;

}  // namespace

// ---------------------------------------------------------------- reading

int Host_Open_Regular_File(const char *path, std::size_t max_bytes, int *why) {
  int dummy;
  if (!why) why = &dummy;
  *why = HOST_FILE_NOT_OPENED;
  if (!path || !*path) {
    errno = ENOENT;
    return -1;
  }
  if (max_bytes == 0) max_bytes = HOST_FILE_MAX_BYTES;
  // O_NONBLOCK: the open of a FIFO returns at once; the file is then judged by what it is.
  const int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st;
  int code = HOST_FILE_OK;
  if (fstat(fd, &st) != 0) code = HOST_FILE_NOT_OPENED;
  else if (!S_ISREG(st.st_mode)) code = HOST_FILE_NOT_REGULAR;
  else if (static_cast<unsigned long long>(st.st_size) > max_bytes) code = HOST_FILE_TOO_BIG;
  if (code == HOST_FILE_OK) {  // reads of a regular file wait for the disk as usual
    const int flags = fcntl(fd, F_GETFL);
    if (flags == -1 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) code = HOST_FILE_NOT_OPENED;
  }
  *why = code;
  if (code != HOST_FILE_OK) {
    const Keep_Errno keep;
    close(fd);
    return -1;
  }
  return fd;
}

int Host_Read_Regular_File(const char *path, std::string *bytes, std::size_t max_bytes) {
  bytes->clear();
  if (max_bytes == 0) max_bytes = HOST_FILE_MAX_BYTES;
  int answer;
  const int fd = Host_Open_Regular_File(path, max_bytes, &answer);
  if (fd < 0) return answer;
  char buf[65536];
  for (;;) {
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      answer = HOST_FILE_READ_ERROR;
      break;
    }
    if (bytes->size() + std::size_t(n) > max_bytes) {  // grown since it was opened
      answer = HOST_FILE_TOO_BIG;
      break;
    }
    bytes->append(buf, std::size_t(n));
  }
  const Keep_Errno keep;
  close(fd);
  return answer;
}

// ---------------------------------------------------------------- replacing

std::string Host_Replace_Target(const char *path) {
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

std::string Host_Replace_Temp_Pattern(const std::string &target) {
  const std::string folder = _Folder(target);
  const std::string name = target.substr(folder.size());
  return folder + name.substr(0, kMaxStem) + HOST_REPLACE_TEMP_MARK + "XXXXXX";
}

int Host_Open_Replace_Temp(const char *path, std::string *target, std::string *temp, bool follow_links) {
  target->clear();
  temp->clear();
  if (!path || !*path) {
    errno = ENOENT;
    return -1;
  }
  const std::string t = follow_links ? Host_Replace_Target(path) : std::string(path);
  if (t.empty()) return -1;
  struct stat st;
  // Not following: a link in the target's place is a name like any new one.
  const bool exists = (follow_links ? stat(t.c_str(), &st) : lstat(t.c_str(), &st)) == 0 && !S_ISLNK(st.st_mode);
  if (exists && !S_ISREG(st.st_mode)) {  // a folder or a device is never replaced
    errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    return -1;
  }
  // A file its user may not write stays as it is, as it would when written in place. One
  // that another process removed since the stat (a shared work file) is simply written anew.
  if (exists && access(t.c_str(), W_OK) != 0 && errno != ENOENT) return -1;
  std::string name = Host_Replace_Temp_Pattern(t);
  const int fd = mkstemp(name.data());
  if (fd < 0) return -1;
  mode_t mode;
  if (exists) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  if (fchmod(fd, mode) != 0) {
    const Keep_Errno keep;
    close(fd);
    unlink(name.c_str());
    return -1;
  }
  *target = t;
  *temp = name;
  return fd;
}

int Host_Finish_Replace(const std::string &temp, const std::string &target, int err) {
  if (!err && std::rename(temp.c_str(), target.c_str()) != 0) err = errno;
  if (!err) _Sync_Folder(target);
  else unlink(temp.c_str());
  if (err) errno = err;
  return err ? 1 : 0;
}

int Host_Replace_File_Bytes(const char *path, const void *data, std::size_t size) {
  std::string target, temp;
  const int fd = Host_Open_Replace_Temp(path, &target, &temp);
  if (fd < 0) return 1;
  // err: the cause of the first failure (a full disk: ENOSPC, or EFBIG over a size limit).
  int err = 0;
  const char *p = static_cast<const char *>(data);
  for (std::size_t done = 0; done < size && !err;) {
    const ssize_t n = write(fd, p + done, size - done);
    if (n > 0) done += std::size_t(n);
    else if (n == 0) err = EIO;
    else if (errno != EINTR) err = errno;
  }
  if (!err && Host_Sync_Replace_File(fd) != 0) err = errno;
  if (close(fd) != 0 && !err) err = errno;
  return Host_Finish_Replace(temp, target, err);
}

int Host_Sync_Replace_File(int fd) { return g_files.sync ? g_files.sync(fd) : fsync(fd); }

HOST_SYNC Host_Set_Replace_Sync_For_Tests(HOST_SYNC sync) {
  const HOST_SYNC old = g_files.sync;
  g_files.sync = sync;
  return old;
}
