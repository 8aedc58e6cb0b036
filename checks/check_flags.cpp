// checks/check_flags.cpp — the check-flag word of a section: which checks the
// cross-section check runs, from the material kind, the check data and the option words.
#include <cstdint>

#include "checks/checks.h"
#include "querschnitt/querschnitt.h"
#include "sections/sections.h"

namespace {

// Check-flag bits (the cross-section check's own names).
constexpr uint32_t kInteraction = 0x1, kSigma = 0x4, kTau = 0x8, kSigmaV = 0x10;
constexpr uint32_t kEl747 = 0x20, kEl749 = 0x40, kEl750 = 0x80, kDinExtra = 0x100 | 0x200, kFire = 0x400;
constexpr uint32_t kCt = 0x1000, kBuckleIn = 0x10000, kBuckleOut = 0x20000, kBuckleThird = 0x40000;
constexpr uint32_t kPlated = 0x100000, kUnscaled = 0x200000, kLimitStrain = 0x400000, kLineSection = 0x1000000;

bool _Plated_Code(uint32_t state) {
  const uint32_t code = state & 0xF;
  return code == 1 || code == 2 || code == 3 || code == 14 || code == 15;
}

// The profile name of a name record (marker byte, three blanks, then the name).
const char *_Name_Of(const char *record) {
  if (!record) return "";
  int i = 0;
  while (i < 4 && record[i]) ++i;
  return record + i;
}

}  // namespace

uint32_t Get_Check_Flags(const uint32_t *kind_words, const QS_CHECK_VIEW *view, uint32_t spatial) {
  if (!view) return 0;
  const uint32_t w1 = kind_words ? kind_words[0] : 0, w2 = kind_words ? kind_words[1] : 0;
  const uint32_t kind = w1 & 0xFFFF;
  const int32_t type = view->header.type;
  const int32_t catalogue = type == QS_TYPE_IMPORTED ? 0 : view->header.catalogue;
  const CHECK_OPTIONS o = Decode_Check_Options(view->values.options, kind);
  const uint32_t d = static_cast<uint32_t>(o.d), c = static_cast<uint32_t>(o.c);
  const uint32_t E = kind == 1 ? 0x10 : 0x3FC;
  const uint32_t state = view->values.slot.state;
  const bool prepared = (state & 0x1000000u) != 0;
  uint32_t flags = 0;
  if (type < 0) {  // a section given by its values only
    flags = (w1 & 0x20000) ? 0 : ((c & 0x1) || (c & 0x4)) ? kSigma : 0;
    // In fire its elastic check takes the reduced yield strength k_y,theta f_y like every
    // other section; without the bit it would be judged with f_y at normal temperature.
    if (flags && (d & 0x2000) && (w2 & 0x10000)) flags |= kFire;
    if (!spatial) return flags;
  } else if (!(w1 & 0x20000)) {
    switch (o.a) {
      case 1: flags = kInteraction; break;
      case 3: flags = kPlated; break;
      case 4: flags = kLimitStrain; break;
      case 5: flags = kLineSection; break;
      default: break;
    }
    if (o.b) flags |= kCt;
    if (c & 0x1) flags |= kSigma;
    if (c & 0x2) flags |= kTau;
    if (c & 0x4) flags |= kSigmaV;
    if (d & 0x1) flags |= kEl747;
    if (d & 0x2) flags |= kEl749;
    if (d & 0x4) flags |= kEl750;
    if ((d & 0x2000) && (w2 & 0x10000)) flags |= kFire;
    // Each method needs its data; without it the elastic checks E stand in.
    const uint32_t unscaled = (d & 0x1000) ? kUnscaled : 0;
    if (flags & kInteraction) {
      const int32_t shape = view->header.interaction;
      if (shape >= 1 && shape <= 5 && !spatial) flags &= ~(E | kPlated);
      else flags = (flags & ~kInteraction) | E;
    }
    if (flags & kPlated) {
      if (prepared && _Plated_Code(state)) flags = (flags & ~E) | unscaled;
      else flags = (flags & ~kPlated) | E;
    }
    if (flags & (kLimitStrain | kLineSection)) {
      if (prepared) flags = (flags & ~E) | unscaled;
      else flags = (flags & ~(kLimitStrain | kLineSection)) | E;
    }
    // The DIN element checks bring the stress checks with them.
    if (flags & (kEl747 | kEl749 | kEl750)) flags |= kSigma | kTau | kSigmaV | kDinExtra;
    const int32_t shape_type = catalogue ? Get_Profil_Typ(_Name_Of(view->name)) : type;
    if (!(catalogue && shape_type == 1)) flags &= ~kEl750;
    if (shape_type == 11 || shape_type == 12) flags &= ~kCt;
  }
  if (kind == 1 && !(w1 & 0x40000)) {
    if ((d & 0x200) && !(spatial && (w1 & 0x10000))) flags |= kBuckleOut;
    if ((d & 0x100) && !(w1 & 0x10000)) flags |= kBuckleIn;
    if (d & 0x400) flags |= kBuckleThird;
  }
  return flags;
}
