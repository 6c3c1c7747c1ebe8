#include "check.h"

#include <stdio.h>

static int g_passed, g_failed;

bool Check(bool condition, const std::string& what)
{
    if (condition) {
        ++g_passed;
    } else {
        ++g_failed;
        printf("FAIL: %s\n", what.c_str());
        fflush(stdout);
    }
    return condition;
}

std::string ShowBytes(const std::string& bytes)
{
    std::string shown;
    for (unsigned char c : bytes) {
        char escaped[8];
        if (c == '\n')
            shown += "\\n\n    ";
        else if (c == '\r')
            shown += "\\r";
        else if (c < 32 || c >= 127) {
            sprintf(escaped, "\\x%02X", c);
            shown += escaped;
        } else
            shown += (char)c;
    }
    return shown;
}

bool CheckBytes(const std::string& expected, const std::string& actual, const std::string& what)
{
    return Check(expected == actual,
        what + "\n  expected:\n    " + ShowBytes(expected) + "\n  actual:\n    " + ShowBytes(actual));
}

int Finish(void)
{
    printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed ? 1 : 0;
}

std::string ReadFileBytes(const std::string& path)
{
    std::string bytes(1 << 20, '\0');
    bytes.resize(ReadFileInto(path.c_str(), &bytes[0], (DWORD)bytes.size(), NULL));
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    WriteFileFrom(path.c_str(), bytes.data(), (DWORD)bytes.size());
}

std::string LogFilePath(void)
{
    char path[MAX_PATH];
    LogFilePath(path);
    return path;
}

std::string OwnFolder(void)
{
    char folder[MAX_PATH];
    OwnFolder(folder);
    return folder;
}

std::string DoublePath(const char* name)
{
    char path[MAX_PATH];
    DoublePath(name, path);
    return path;
}

std::string DriverDirectory(const char* environment)
{
    char directory[MAX_PATH];
    DriverDirectory(environment, directory);
    return directory;
}

std::vector<std::string> LaunchTexts(const RunResult& result)
{
    std::vector<std::string> texts;
    for (int i = 0; i < result.launchCount; ++i) {
        char text[LAUNCH_TEXT_SIZE];
        LaunchText(&result.launches[i], text);
        texts.push_back(text);
    }
    return texts;
}
