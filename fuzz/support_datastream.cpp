// Fuzz target of the value-stream reader: the first bytes choose the reads (versions,
// values of each type, pops, position probes), the rest is the stream itself.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "host/host.h"
#include "support/shell.h"
#include "support/support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static bool once = [] {
    Set_Refresh_Mode(1);  // no message boxes on stderr for every newer block
    return true;
  }();
  (void)once;
  std::size_t plan = size < 16 ? size : 16;
  if (Open_Data_Reader_Memory(data + plan, size - plan) != 0) return 0;
  for (int round = 0; round < 8; ++round) {
    for (std::size_t k = 0; k < plan; ++k) {
      uint8_t op = data[k];
      double version = (op >> 3) * 0.25;
      switch (op & 7) {
        case 0: Read_Struct_Version(version); break;
        case 1: End_Struct_Version(); break;
        case 2: {
          double d = 0;
          const double def = 1.5;
          if (Read_Data_Value(&d, 'd', version, &def) == 0 && d != d) __builtin_trap();  // never NaN
          break;
        }
        case 3: {
          int i = 0;
          Read_Data_Value(&i, 'i', version, nullptr);
          break;
        }
        case 4: {
          char t[256];
          std::memset(t, 'X', sizeof t);
          Read_Data_Value(t, 't', version, "leer");
          if (std::memchr(t, '\0', sizeof t) == nullptr) __builtin_trap();  // always terminated
          break;
        }
        case 5: {
          long p = Tell_Data_Position();
          if (p < 0 || static_cast<std::size_t>(p) > size - plan) __builtin_trap();
          Seek_Data_Position(p / 2);
          break;
        }
        case 6: Seek_Data_Position(static_cast<long>(op) * 3); break;
        default: {
          double d = 0;
          Read_Data_Value(&d, 'd', 0, nullptr);
          break;
        }
      }
    }
  }
  Close_Data_Reader();
  Host_Clear_Messages();
  return 0;
}
