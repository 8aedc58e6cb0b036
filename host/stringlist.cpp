// Sheet string lists: lists of coloured texts that the host shows in a list item of a
// property sheet. The program only appends entries; the harness reads them back.
#include <map>
#include <string>
#include <vector>

#include "host/host.h"
#define HOST_TEST_NO_GTEST
#include "host/host_test.h"

namespace {

struct StringListState {
  bool registered = false;
  std::map<int, std::vector<HOST_STRING_ENTRY>> lists;
};
StringListState g;

void _Reset() { g.lists.clear(); }

StringListState &_S() {
  if (!g.registered) {
    g.registered = true;
    Host_Register_Reset(&_Reset);
  }
  return g;
}

}  // namespace

void Fill_Stringlist_of_PS(int list, const char *text, int colour) {
  _S().lists[list].push_back({text ? text : "", colour});
}

std::vector<HOST_STRING_ENTRY> Host_Stringlist(int list) {
  auto it = _S().lists.find(list);
  return it == _S().lists.end() ? std::vector<HOST_STRING_ENTRY>{} : it->second;
}
