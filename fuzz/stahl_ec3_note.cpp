// Fuzz target of the session note's reader: any bytes are read as the lock file's note. A
// note read is of version 1 or 2 with marks of its version, and its text written anew reads
// back as the same note (version 2 and its copy hashes aside for a version-1 note), so that
// no bytes that the reader takes can mean something else to a later holder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "stahl_ec3/program_internal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const char *text = reinterpret_cast<const char *>(data);
  STAHL_EC3_SESSION_NOTE note, again;
  if (!Parse_Session_Note(text, size, &note)) return 0;
  if (note.version != 1 && note.version != 2) std::abort();
  for (const char mark : note.start)
    if (!std::strchr(note.version == 2 ? "cun-" : "cn-", mark) || !mark) std::abort();
  if (note.member.present != 0 && note.member.present != 1) std::abort();
  if (note.member.size < 0) std::abort();
  if (data[size - 1] != '\n' || std::memchr(data, '\n', size) != data + size - 1) std::abort();
  const std::string written = Session_Note_Text(note);
  if (!Parse_Session_Note(written.data(), written.size(), &again)) std::abort();
  again.version = note.version;
  if (!(again == note)) std::abort();
  return 0;
}
