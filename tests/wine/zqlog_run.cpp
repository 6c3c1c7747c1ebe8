// zqlog.exe under Wine, on the two-run log: its account, redirected to a
// file, is the log's bytes and zqlog's words unchanged (no CR added), and
// it exits with 0.
#include <windows.h>

#include "check.h"
#include "zqlog/two_runs.h"

int main(void)
{
    const std::string log = OwnFolder() + "\\two_runs.log", out = OwnFolder() + "\\two_runs.out";
    WriteFileBytes(log, kTwoRunsLog);
    HANDLE output = CreateOutputFile(out.c_str());
    if (!Check(output != INVALID_HANDLE_VALUE, "the output file is made"))
        return Finish();
    DWORD exitCode = RunAndWait(NULL, "\"" + OwnFolder() + "\\zqlog.exe\" \"" + log + "\"", 60000, NULL, output);
    CloseHandle(output);
    Check(exitCode == 0, "zqlog.exe exits with 0 on a log");
    CheckBytes(kTwoRunsAccount, ReadFileBytes(out), "zqlog.exe's account of the two-run log");
    DeleteFileA(log.c_str());
    DeleteFileA(out.c_str());
    return Finish();
}
