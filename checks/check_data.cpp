// checks/check_data.cpp — the check-data record of a check object.
#include <cstddef>

#include "checks/checks.h"
#include "support/support.h"

namespace {
// The records are allocated under this source name, as every block of the check data.
constexpr const char *kSource = "nchwdata";
}  // namespace

CHECK_DATA *New_Check_Data(int type, int n, int m, CHECK_TEMPLATE_FN template_fn) {
  if (n < 0) n = 0;
  if (m < 0) m = 0;
  const CHECK_TEMPLATE *tmpl = template_fn ? template_fn(type) : nullptr;
  const int extra = (tmpl && tmpl->extra_ints > 0) ? tmpl->extra_ints : 0;
  CHECK_DATA *d = static_cast<CHECK_DATA *>(Mem_Calloc(kSource, __LINE__, "null", 1, sizeof(CHECK_DATA)));
  if (!d) return nullptr;
  const std::size_t bytes = static_cast<std::size_t>(n) * sizeof(double) +
                            (static_cast<std::size_t>(m) + static_cast<std::size_t>(extra)) * sizeof(int32_t);
  // One block: the doubles first (aligned for them), then the integers.
  d->block = static_cast<double *>(Mem_Calloc(kSource, __LINE__, "null", 1, bytes ? bytes : 1));
  if (!d->block) {
    Mem_Free(kSource, __LINE__, "null", d);
    return nullptr;
  }
  d->type = type;
  d->n_doubles = n;
  d->n_ints = m;
  d->ints = reinterpret_cast<int32_t *>(d->block + n);
  d->template_ints = d->ints + m;
  d->tmpl = tmpl;
  d->reserved = 0;
  return d;
}

void Free_Check_Data(CHECK_DATA *data) {
  if (!data) return;
  Mem_Free(kSource, __LINE__, "null", data->block);
  Mem_Free(kSource, __LINE__, "null", data);
}

CHECK_DATA *Get_Check_Data(const CHECK_OBJECT *object) { return object ? object->data : nullptr; }

const CHECK_TEMPLATE *Get_Check_Data_Template(const CHECK_OBJECT *object) {
  return (object && object->data) ? object->data->tmpl : nullptr;
}

int Get_Check_Data_Type(const CHECK_OBJECT *object) { return (object && object->data) ? object->data->type : 0; }
