#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <string>

#include "check_rows.h"

namespace {

// How many rows run on a machine of that version, code page 1252, its
// spooler's state journaled on NT, and no zqdrvtl.exe the shell would find.
std::pair<unsigned, unsigned> RunAndSkip(const char* name)
{
    CheckMachine machine = {};
    machine.name = name;
    machine.spoolerNoted = VersionIsNt(name);
    machine.codePage = 1252;
    unsigned ran = 0;
    char why[256];
    for (unsigned i = 0; i < kCheckRowCount; ++i)
        ran += RowRunsOn(&kCheckRows[i], &machine, why, sizeof why) ? 1 : 0;
    return { ran, kCheckRowCount - ran };
}

} // namespace

// docs/checks.md's table of runs and skips per Windows version is the one
// the Wine test of the pack expects too: it must be the rule's own.
TEST(RowRule, DocumentedCountsAreTheRules)
{
    const std::map<std::string, const char*> names = { { "95", "win95" }, { "98", "win98" }, { "Me", "winme" },
        { "NT 3.51", "nt351" }, { "NT 4.0", "nt40" }, { "2000", "win2k" }, { "XP", "winxp" }, { "Vista", "vista" },
        { "7", "win7" }, { "8", "win8" }, { "8.1", "win81" }, { "10", "win10" },
        // 11 says it is 10.0 to a program without a manifest of its own.
        { "11", "win10" }, { "Server 2003", "win2003" } };
    std::ifstream doc(ZQ_SOURCE_DIR "/docs/checks.md");
    const std::regex row(R"(^\| ([^|]+) \| (\d+) \| (\d+) \|$)"), total(R"(\((\d+) rows\):$)");
    int versions = 0;
    std::smatch m;
    for (std::string line; std::getline(doc, line);) {
        if (std::regex_search(line, m, total))
            EXPECT_EQ(std::to_string(kCheckRowCount), m[1].str()) << line;
        if (!std::regex_match(line, m, row))
            continue;
        // "10 (and 8, 8.1, Vista)": each version named in the cell.
        const std::string cell = std::regex_replace(
            std::regex_replace(m[1].str(), std::regex(R"(\s*\(and\s*)"), ", "), std::regex(R"(\))"), "");
        const std::pair<unsigned, unsigned> said = { std::stoul(m[2].str()), std::stoul(m[3].str()) };
        std::sregex_token_iterator end;
        const std::regex split(R"(\s*,\s*)");
        for (std::sregex_token_iterator v(cell.begin(), cell.end(), split, -1); v != end; ++v) {
            const std::string version = v->str();
            if (version.empty())
                continue;
            ASSERT_TRUE(names.count(version)) << "a version the test does not know: '" << version << "'";
            EXPECT_EQ(said, RunAndSkip(names.at(version))) << version;
            ++versions;
        }
    }
    EXPECT_EQ(14, versions) << "every version in the table once";
}

// The Wine scenario tests run every row but those of another code page.
TEST(RowRule, WineEmulationRunsEveryRow)
{
    CheckMachine wine = {};
    wine.name = "win10";
    wine.emulated = 1;
    wine.wineDlls = 1;
    wine.spoolerNoted = 1;
    wine.codePage = 1252;
    char why[256];
    for (unsigned i = 0; i < kCheckRowCount; ++i)
        EXPECT_EQ(kCheckRows[i].codePage != 932, RowRunsOn(&kCheckRows[i], &wine, why, sizeof why))
            << kCheckRows[i].id << ": " << why;
}

// Reasons that keep a machine's rows from running, each with its words.
TEST(RowRule, Reasons)
{
    struct Case {
        const char* id;
        const char* name;
        int spoolerNoted;
        const char* shellTool;
        const char* reason; // empty when it runs
    };
    const Case cases[] = {
        { "spooler-stopped", "win10", 1, nullptr, "" },
        { "spooler-stopped", "win10", 0, nullptr, "stops the spooler, whose state could not be read to be put back" },
        { "spooler-stopped", "win10", 1, "C:\\WINDOWS\\zqdrvtl.exe",
            "the shell would start the zqdrvtl.exe at C:\\WINDOWS\\zqdrvtl.exe, which is not the double" },
        { "spooler-stopped", "win98", 0, nullptr, "for NT 4.0 and later; this is win98" },
        { "old-win98", "win98", 0, nullptr, "" },
        { "old-win98", "winme", 0, nullptr, "for win98 only (the Wine tests emulate it); this is winme" },
        { "old-win98", "nt40", 1, nullptr, "for 9x and NT 3.51; this is nt40" },
        { "no-shell32", "win10", 1, nullptr,
            "keeps a system DLL from the program, which only Wine's DLL overrides do (the Wine tests run it)" },
        { "cp932-cut", "win10", 1, nullptr, "written for code page 932; this machine's is 1252" },
    };
    for (const Case& c : cases) {
        const CheckRow* row = nullptr;
        for (unsigned i = 0; i < kCheckRowCount; ++i)
            if (std::string(kCheckRows[i].id) == c.id)
                row = &kCheckRows[i];
        ASSERT_TRUE(row) << c.id;
        CheckMachine machine = {};
        machine.name = c.name;
        machine.spoolerNoted = c.spoolerNoted;
        machine.codePage = 1252;
        machine.shellTool = c.shellTool;
        char why[256];
        EXPECT_EQ(!*c.reason, RowRunsOn(row, &machine, why, sizeof why) != 0) << c.id << " on " << c.name;
        EXPECT_EQ(std::string(c.reason), why) << c.id << " on " << c.name;
    }
}
