// The shape of the checks pack's code and the world's library, which their
// tests cannot see by running them: no function much longer than 60 lines
// (a table of data is no function), and the pack's pure parts, which the
// host tests hold, free of platform calls.
#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

const std::string kRoot = ZQ_SOURCE_DIR;
const char* const kFolders[] = { "tools/checks", "tools/world" };

std::vector<std::string> Sources(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = opendir((kRoot + "/" + folder).c_str());
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        const size_t dot = name.rfind('.');
        const std::string ext = dot == std::string::npos ? "" : name.substr(dot);
        if (ext == ".c" || ext == ".cpp" || ext == ".h")
            names.push_back(folder + "/" + name);
    }
    closedir(dir);
    return names;
}

std::vector<std::string> FileLines(const std::string& path)
{
    std::ifstream in(kRoot + "/" + path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

// A function's body runs from a "{" in the first column to the "}" there;
// a table's "= {" is no function's.
TEST(ChecksStructure, NoFunctionMuchOverSixtyLines)
{
    int files = 0;
    for (const char* folder : kFolders)
        for (const std::string& name : Sources(folder)) {
            ++files;
            const std::vector<std::string> lines = FileLines(name);
            size_t open = 0;
            for (size_t i = 0; i < lines.size(); ++i) {
                if (lines[i] == "{")
                    open = i + 1;
                else if (lines[i] == "}" && open) {
                    EXPECT_LE(i + 1 - open, 62u) << name << ": the function before line " << open;
                    open = 0;
                }
            }
        }
    EXPECT_GT(files, 30);
}

// The journal's format, the restore's rules and the options are built in
// the host tree for their tests: no Windows header, so no platform call.
TEST(ChecksStructure, ThePurePartsCallNoPlatform)
{
    const char* const pure[] = { "journal_format", "restore_rules", "zqcheck_options" };
    for (const char* unit : pure)
        for (const char* ext : { ".h", ".cpp" }) {
            const std::string name = std::string("tools/checks/") + unit + ext;
            const std::vector<std::string> lines = FileLines(name);
            EXPECT_FALSE(lines.empty()) << name << " is gone: mend the list";
            for (const std::string& line : lines)
                EXPECT_EQ(std::string::npos, line.find("#include <windows.h>")) << name;
        }
}
