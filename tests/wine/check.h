// What the Wine test programs share: checks that count, and std::string
// forms of the world's plain functions, for brevity in the tests.
#ifndef ZQ_CHECK_H
#define ZQ_CHECK_H

#include <string>
#include <vector>

#include "world/world.h"

// Counts a check; prints it when it fails. Returns the condition.
bool Check(bool condition, const std::string& what);
// Compares bytes and prints both, escaped, when they differ.
bool CheckBytes(const std::string& expected, const std::string& actual, const std::string& what);
// Prints "N passed, N failed" and gives the process's exit code.
int Finish(void);
std::string ShowBytes(const std::string& bytes);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string LogFilePath(void);
std::string OwnFolder(void);
std::string DoublePath(const char* name);
std::string DriverDirectory(const char* environment);
inline DWORD RunAndWait(const char* applicationName, const std::string& commandLine, DWORD timeoutMs,
    RunOutcome* outcome = NULL, HANDLE output = NULL)
{
    return RunAndWait(applicationName, commandLine.c_str(), timeoutMs, outcome, output);
}
// The launches a run read, as the scenario rows write them ("tool|show|command line").
std::vector<std::string> LaunchTexts(const RunResult& result);

#endif
