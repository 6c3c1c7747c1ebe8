// Every sentence of zqlog's words table is said by one of the host tests: a
// sentence no test reaches is dead or untested. zqlog_test records, test by
// test, the words it looked up; ctest runs this after all of them.
#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "words.h"
#include "zqlog/word_names.h"

namespace {

std::set<std::string> Said()
{
    std::set<std::string> said;
    const std::string dir = ZQLOG_WORDS_SAID_DIR;
    DIR* folder = opendir(dir.c_str());
    if (!folder)
        return said;
    while (const dirent* entry = readdir(folder)) {
        std::ifstream in(dir + "/" + entry->d_name);
        for (std::string name; std::getline(in, name);)
            said.insert(name);
    }
    closedir(folder);
    return said;
}

// The program's usage and its refusals of bad options: the host tests read
// logs through the core, not through the program, so these count as said
// where main.cpp names them.
std::set<std::string> NamedByTheProgram()
{
    std::ifstream in(std::string(ZQLOG_SOURCE_DIR) + "/main.cpp");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::set<std::string> named;
    for (const std::string& name : WordNames())
        if (text.find(name) != std::string::npos)
            named.insert(name);
    return named;
}

} // namespace

TEST(ZqlogWords, TableRowsStandInTheirIdsOrder)
{
    EXPECT_TRUE(WordsInOrder());
    EXPECT_EQ(WordNames().size(), (size_t)WORD_COUNT);
}

// Not yet said by any host test: a list that may only shrink (a word said
// now must leave it).
const std::set<std::string> kNotYetSaid = {};

TEST(ZqlogWords, EverySentenceIsSaidByATest)
{
    const std::set<std::string> said = Said();
    const std::set<std::string> program = NamedByTheProgram();
    ASSERT_FALSE(said.empty()) << "zqlog_test recorded no words: run it first";
    for (const std::string& name : WordNames()) {
        const bool saidHere = said.count(name) || program.count(name);
        if (kNotYetSaid.count(name))
            EXPECT_FALSE(saidHere) << name << " is said now: take it off the list";
        else
            EXPECT_TRUE(saidHere) << name << " is said by no host test";
    }
}

TEST(ZqlogWords, FillsTakenInOrder)
{
    EXPECT_EQ(Say(W_LINE_SAID, { "7", "opened" }), "line 7: opened");
    EXPECT_EQ(Say(W_SHOWN_CUT, { "900" }), " (900 bytes, shown cut at {})") << "a missing fill leaves its {}";
    EXPECT_EQ(Count(1, W_LINE, W_LINES), "1 line");
    EXPECT_EQ(Count(2, W_LINE, W_LINES), "2 lines");
}
