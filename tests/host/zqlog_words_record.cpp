// After each test of zqlog_test, the words it looked up, by id name, in a file
// of that test's name; zqlog_words_test reads them all once every test ran.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "words.h"
#include "zqlog/word_names.h"

namespace {

class WordsRecord : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo& info) override
    {
        const std::vector<std::string> names = WordNames();
        std::ofstream out(std::string(ZQLOG_WORDS_SAID_DIR) + "/" + info.test_suite_name() + "." + info.name());
        for (size_t id = 0; id < names.size() && id < WORD_COUNT; ++id)
            if (WordUses((WordId)id))
                out << names[id] << "\n";
    }
};

const bool kRecording = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new WordsRecord);
    return true;
}();

} // namespace
