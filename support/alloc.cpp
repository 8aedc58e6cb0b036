// Allocation with a live-block count, guarded wrappers and the out-of-memory exit.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "host/host.h"
#include "support/support.h"

namespace {
struct AllocState {
  long live_blocks = 0;
} g_alloc;
}  // namespace

void *Tools_Alloc(void *block, std::size_t size, int zero) {
  // A size of 0 is a valid block: ask for one byte so that null always means failure.
  std::size_t n = size ? size : 1;
  void *p = block ? std::realloc(block, n) : std::malloc(n);
  if (!p) Exit_Memory_Exhausted();
  if (!block) ++g_alloc.live_blocks;
  if (zero) std::memset(p, 0, n);
  return p;
}

void Tools_Free_Block(void **pointer_variable) {
  if (!pointer_variable || !*pointer_variable) return;
  std::free(*pointer_variable);
  *pointer_variable = nullptr;
  --g_alloc.live_blocks;
}

long Tools_Live_Blocks() { return g_alloc.live_blocks; }

void Exit_Memory_Exhausted() {
  Init_Message();
  Fill_Message("%s", "Die Aktion erfordert eine Speicherkapazität, die"_cp);
  Fill_Message("%s", "vom Rechner zur Zeit nicht zur Verfügung gestellt"_cp);
  Fill_Message("%s", "wird. Die Sitzung muß leider abgebrochen werden."_cp);
  Draw_Message();
  std::exit(0);
}

void *Mem_Malloc(const char *, int, const char *, std::size_t size) { return std::malloc(size ? size : 1); }

void *Mem_Calloc(const char *, int, const char *, std::size_t count, std::size_t size) {
  if (size && count > SIZE_MAX / size) return nullptr;
  std::size_t n = count * size;
  return std::calloc(n ? n : 1, 1);
}

void *Mem_Realloc(const char *, int, const char *, void *block, std::size_t size) {
  return std::realloc(block, size ? size : 1);
}

char *Mem_Strdup(const char *, int, const char *, const char *text) {
  if (!text) return nullptr;
  std::size_t n = std::strlen(text) + 1;
  char *p = static_cast<char *>(std::malloc(n));
  if (p) std::memcpy(p, text, n);
  return p;
}

void Mem_Free(const char *, int, const char *, void *block) { std::free(block); }
