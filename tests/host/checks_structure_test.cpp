// The shape of the checks pack's code and the world's library, which their
// tests cannot see by running them: no function much longer than 60 lines
// (a table of data is no function), and the pack's pure parts, which the
// host tests hold, free of platform calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "source_shape.h"

namespace {

const std::string kRoot = ZQ_SOURCE_DIR;
const char* const kFolders[] = { "tools/checks", "tools/world" };

std::vector<std::string> Sources(const std::string& folder)
{
    std::vector<std::string> names;
    for (const std::string& name : SourceNames(kRoot + "/" + folder))
        names.push_back(folder + "/" + name);
    return names;
}

} // namespace

TEST(ChecksStructure, NoFunctionMuchOverSixtyLines)
{
    int files = 0;
    for (const char* folder : kFolders)
        for (const std::string& name : Sources(folder)) {
            ++files;
            for (size_t open : LongFunctions(FileLines(kRoot + "/" + name), 62))
                ADD_FAILURE() << name << ": the function before line " << open << " is over 62 lines";
        }
    EXPECT_GT(files, 30);
}

// The journal's format, the restore's rules and the options are built in
// the host tree for their tests: no Windows header, so no platform call.
TEST(ChecksStructure, ThePurePartsCallNoPlatform)
{
    const char* const pure[] = { "journal_format", "restore_rules", "restore_outcome", "zqcheck_options" };
    for (const char* unit : pure)
        for (const char* ext : { ".h", ".cpp" }) {
            const std::string name = std::string("tools/checks/") + unit + ext;
            const std::vector<std::string> lines = FileLines(kRoot + "/" + name);
            EXPECT_FALSE(lines.empty()) << name << " is gone: mend the list";
            for (const std::string& line : lines)
                EXPECT_EQ(std::string::npos, line.find("#include <windows.h>")) << name;
        }
}
