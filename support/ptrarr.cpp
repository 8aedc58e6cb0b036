// Growable pointer arrays.
#include <cstdlib>
#include <cstring>

#include "support/support.h"

namespace {
constexpr int kGrowStep = 10;

// Raises the capacity to hold index; false when memory is short (nothing changed).
bool _Grow_To(PTRARR *array, int index) {
  if (index < array->capacity) return true;
  long wanted = static_cast<long>(array->capacity) + kGrowStep;
  if (wanted < static_cast<long>(index) + 1) wanted = static_cast<long>(index) + 1;
  if (wanted > 0x7FFFFFFFL) return false;
  void **items = static_cast<void **>(std::realloc(array->items, static_cast<std::size_t>(wanted) * sizeof(void *)));
  if (!items) return false;
  for (long k = array->capacity; k < wanted; ++k) items[k] = nullptr;
  array->items = items;
  array->capacity = static_cast<int>(wanted);
  return true;
}
}  // namespace

PTRARR *PtrArr_Create(int n) {
  PTRARR *array = static_cast<PTRARR *>(std::calloc(1, sizeof(PTRARR)));
  if (!array) return nullptr;
  if (n > 0) {
    array->items = static_cast<void **>(std::calloc(static_cast<std::size_t>(n), sizeof(void *)));
    if (!array->items) {
      std::free(array);
      return nullptr;
    }
    array->capacity = n;
  }
  return array;
}

void PtrArr_Destroy(PTRARR *array) {
  if (!array) return;
  std::free(array->items);
  std::free(array);
}

int PtrArr_Count(const PTRARR *array) { return array ? array->count : 0; }

void *PtrArr_Get(const PTRARR *array, int index) {
  if (!array || index < 0 || index >= array->count) return nullptr;
  return array->items[index];
}

void *PtrArr_Set(PTRARR *array, int index, void *item) {
  if (!array || index < 0 || !_Grow_To(array, index)) return nullptr;
  void *old = array->items[index];
  array->items[index] = item;
  if (index >= array->count) array->count = index + 1;
  return old;
}

void *PtrArr_Remove(PTRARR *array, int index) {
  if (!array || index < 0 || index >= array->count) return nullptr;
  void *old = array->items[index];
  std::memmove(array->items + index, array->items + index + 1,
               static_cast<std::size_t>(array->count - index - 1) * sizeof(void *));
  array->items[--array->count] = nullptr;
  return old;
}

void *PtrArr_Find(const PTRARR *array, const void *key, int (*match)(const void *item, const void *key),
                  int *index) {
  int count = PtrArr_Count(array);
  if (array && match)
    for (int k = 0; k < count; ++k)
      if (match(array->items[k], key)) {
        if (index) *index = k;
        return array->items[k];
      }
  if (index) *index = count;
  return nullptr;
}
