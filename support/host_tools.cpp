// Timeouts on the host clock, the host's tool lookup, the stdio table and the reset of
// the whole support module.
#include <string>

#include <unistd.h>

#include "host/host.h"
#include "support/support.h"
#include "support/support_internal.h"

namespace {
struct ToolsState {
  double deadline_s = 0.0;
} g_tools;

double _Clock_Seconds() { return Host_Clock_Ms() * 0.001; }

const STDIO_FCT_TABLE kStdioTable = {
    18,      std::fopen, std::fclose, std::fread,  std::fwrite, std::ferror, std::fscanf,
    std::fprintf, std::fseek, std::ftell, std::fsetpos, std::fgetpos, std::fgets, std::fgetc,
    std::fputs, std::fputc, std::ungetc, std::sscanf, std::sprintf,
};
}  // namespace

double Set_Timeout(double seconds) {
  Register_Support_Reset();
  double now = _Clock_Seconds();
  g_tools.deadline_s = now + seconds;
  return now;
}

int Timeout_Reached() { return _Clock_Seconds() >= g_tools.deadline_s; }

int SniSelct_Available() {
  const char *exec = YRMGetEnv("EXEC");
  if (!exec || !*exec) return 0;
  std::string path = exec;
  if (path.back() != '/') path += '/';
  path += "SniSelct.exe";
  return access(path.c_str(), X_OK) == 0;
}

void Set_YRM_Stdio_Table() { YRMSetStdioFctPtr(&kStdioTable); }

const STDIO_FCT_TABLE *Get_YRM_Stdio_Table() { return &kStdioTable; }

void Register_Support_Reset() { Host_Register_Reset(Reset_Support_For_Tests); }

void Reset_Timeout_State() { g_tools = ToolsState{}; }

void Reset_Support_For_Tests() {
  Reset_Timeout_State();
  Reset_Datastream_State();
  Reset_Shell_For_Tests();
}
