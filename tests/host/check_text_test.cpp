#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "check_rows.h"

namespace {

long FakeText(unsigned long code, char* out, unsigned long size)
{
    const std::string text = code == 2 ? "File not found.\r\n" : "";
    if (text.empty() || text.size() > size)
        return -1;
    text.copy(out, text.size());
    return (long)text.size();
}

CheckPlaces Machine(int nt4Road)
{
    CheckPlaces places = { "C:\\WINDOWS", "C:\\WINDOWS\\nt", "C:\\WINDOWS\\drv", "C:\\zqcheck", "SOFTWARE\\ZqCheck",
        nt4Road, 0, 'f', FakeText };
    return places;
}

std::string Expand(const char* text, const CheckPlaces& places, unsigned long size = 4096)
{
    std::string out(size, '\0');
    const long length = ExpandCheckText(text, &places, &out[0], size);
    return length < 0 ? "<none>" : out.substr(0, (size_t)length);
}

} // namespace

TEST(CheckText, Placeholders)
{
    struct Case {
        const char* text;
        int nt4Road;
        unsigned long size;
        std::string expanded;
    };
    const Case cases[] = {
        { "plain \xE9\x83", 1, 64, "plain \xE9\x83" },
        { "{win}|{nt}|{drv}|{dir}|{root}", 1, 256,
            "C:\\WINDOWS|C:\\WINDOWS\\nt|C:\\WINDOWS\\drv|C:\\zqcheck|SOFTWARE\\ZqCheck" },
        { "a{0}b{0}", 1, 64, std::string("a\0b\0", 4) },
        { "{3*x}{0*y}{2* }", 1, 64, "xxx  " },
        { "[{fit}]", 1, 64, "[fff]" },
        { "{text:2}\r\n", 1, 64, "File not found.\r\n\r\n" },
        { "{nt4:on {dir}\r\n}rest", 1, 64, "on C:\\zqcheck\r\nrest" },
        { "{nt4:on {dir}\r\n}rest", 0, 64, "rest" },
        // Exactly the size: no room for the terminator, which is not needed.
        { "{4*x}", 1, 4, "xxxx" },
        { "{5*x}", 1, 4, "<none>" },
        { "{text:2}", 1, 8, "<none>" },
        { "{text:5}", 1, 64, "<none>" }, // the system has no text for it
        { "{", 1, 64, "<none>" },
        { "a}", 1, 64, "<none>" },
        { "{windows}", 1, 64, "<none>" },
        { "{text:x}", 1, 64, "<none>" },
        { "{text:}", 1, 64, "<none>" },
        { "{x*y}", 1, 64, "<none>" },
        { "{nt4:{dir}", 1, 64, "<none>" },
    };
    for (const Case& c : cases) {
        CheckPlaces places = Machine(c.nt4Road);
        places.fitCount = 3;
        EXPECT_EQ(c.expanded, Expand(c.text, places, c.size)) << c.text;
    }
}

// Every text of every row fills in on both roads, and a row with a length to
// fit gets exactly that length, however long this machine's names are.
TEST(CheckText, EveryRowFillsIn)
{
    for (const char* folder : { "C:\\zqcheck", "D:\\a much longer folder of the checks" }) {
        for (int nt4Road = 0; nt4Road <= 1; ++nt4Road) {
            CheckPlaces places = Machine(nt4Road);
            places.folder = folder;
            for (unsigned i = 0; i < kCheckRowCount; ++i) {
                const CheckRow& row = kCheckRows[i];
                ASSERT_TRUE(FitCheckRow(&row, &places)) << row.name;
                if (row.fitMeasure)
                    EXPECT_EQ(row.fitLength, Expand(row.fitMeasure, places).size()) << row.name;
                for (const char* text : { row.tail, row.commandLine, row.alsoToolDir, row.logBefore, row.log,
                         row.launches, row.otherLog, row.otherLaunches })
                    if (text)
                        EXPECT_NE("<none>", Expand(text, places, 65536)) << row.name << ": " << text;
                for (const CheckValue* value = row.registry; value && value->key; ++value)
                    EXPECT_NE("<none>", Expand(value->data, places)) << row.name << ": " << value->data;
                EXPECT_TRUE(row.log && row.launches) << row.name;
                EXPECT_EQ(!row.otherOn, !row.otherLog) << row.name;
            }
        }
    }
}

// Results are compared by row id across pack versions: each id is short,
// lowercase, given once, and an id once released stays (row_ids.txt lists
// them; a new row adds its own line there).
TEST(CheckRows, IdsAreStable)
{
    std::set<std::string> ids;
    for (unsigned i = 0; i < kCheckRowCount; ++i) {
        const char* id = kCheckRows[i].id;
        ASSERT_TRUE(id) << kCheckRows[i].name;
        EXPECT_TRUE(ids.insert(id).second) << "given twice: " << id;
        EXPECT_TRUE(std::regex_match(id, std::regex("[a-z0-9][a-z0-9-]{0,23}"))) << id;
    }
    std::ifstream released(ZQ_SOURCE_DIR "/tools/checks/row_ids.txt");
    std::set<std::string> listed;
    for (std::string line; std::getline(released, line);)
        if (!line.empty() && line[0] != '#')
            listed.insert(line);
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(listed, ids);
}
