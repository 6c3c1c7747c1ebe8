// The host side of scripts/demo that reads the package's registry file, so
// that a file it cannot use is refused before any Wine or guest starts.
//   demo_keys FILE [--key KEYPATH]
// Prints the key path the program gets as its tail on the first line, then
// every key the file names below HKEY_LOCAL_MACHINE, one a line. A refusal is
// one line "demo: ..." on stderr and status 2; notices go to stderr too.
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "reg_file.h"

int main(int argc, char** argv)
{
    if (!(argc == 2 || (argc == 4 && strcmp(argv[2], "--key") == 0))) {
        fprintf(stderr, "demo_keys: usage: demo_keys FILE [--key KEYPATH]\n");
        return 2;
    }
    const std::string name = argv[1];
    struct stat info;
    const bool regular = stat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    std::ifstream file(name, std::ios::binary);
    std::string bytes;
    if (regular && file)
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (!regular || !file || file.bad()) {
        fprintf(stderr, "demo: cannot read %s\n", name.c_str());
        return 2;
    }
    RegKeys read = ReadRegKeys(bytes, name, argc == 4, argc == 4 ? argv[3] : "");
    if (!read.refusal.empty()) {
        fprintf(stderr, "demo: %s\n", read.refusal.c_str());
        return 2;
    }
    for (const std::string& notice : read.notices)
        fprintf(stderr, "demo: notice: %s\n", notice.c_str());
    printf("%s\n", read.key.c_str());
    for (const std::string& key : read.keys)
        printf("%s\n", key.c_str());
    return fflush(stdout) == 0 && !ferror(stdout) ? 0 : 2;
}
