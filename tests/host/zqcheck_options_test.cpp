// zqcheck's command tail: what it runs, and the one line it refuses with.
#include <gtest/gtest.h>

#include <string>

#include "zqcheck_options.h"

TEST(ZqcheckOptions, EachTailRunsOrIsRefusedInOneLine)
{
    const std::string longest(63, 'x'), tooLong(64, 'x');
    const struct {
        std::string tail;
        OptionsRead read;
        int throwaway, restoreOnly;
        std::string said; // the name, or the refusal; empty for none
    } cases[] = {
        { "", OPTIONS_RUN, 0, 0, "" },
        { "--throwaway", OPTIONS_RUN, 1, 0, "" },
        { "--restore", OPTIONS_RUN, 0, 1, "" },
        { "--throwaway\t --name lab-7.b_2  ", OPTIONS_RUN, 1, 0, "lab-7.b_2" },
        { "--name x --name y", OPTIONS_RUN, 0, 0, "y" },
        { "--help", OPTIONS_HELP, 0, 0, "" },
        { "--throwaway --restore --help", OPTIONS_HELP, 1, 1, "" },
        { "--bogus --help", OPTIONS_BAD, 0, 0, "zqcheck: unknown option --bogus (see --help)" },
        { "/throwaway", OPTIONS_BAD, 0, 0, "zqcheck: unknown option /throwaway (see --help)" },
        { "--throwaway --restore", OPTIONS_BAD, 1, 1, "zqcheck: --throwaway and --restore go one at a time" },
        { "--throwaway --name", OPTIONS_BAD, 1, 0, "zqcheck: --name needs a word after it (see --help)" },
        { "--name --throwaway", OPTIONS_BAD, 0, 0,
            "zqcheck: --name takes a word, not the option --throwaway (see --help)" },
        { "--throwaway --name --restore", OPTIONS_BAD, 1, 0,
            "zqcheck: --name takes a word, not the option --restore (see --help)" },
        { "--name --help", OPTIONS_BAD, 0, 0, "zqcheck: --name takes a word, not the option --help (see --help)" },
        { "--name --lab", OPTIONS_BAD, 0, 0, "zqcheck: --name takes a word, not the option --lab (see --help)" },
        { "--name --" + longest.substr(2), OPTIONS_BAD, 0, 0, // the longest refusal fits
            "zqcheck: --name takes a word, not the option --" + longest.substr(2) + " (see --help)" },
        { "--name -lab- --throwaway", OPTIONS_RUN, 1, 0, "-lab-" },
        { "--name -", OPTIONS_RUN, 0, 0, "-" },
        { "--name lab/7", OPTIONS_BAD, 0, 0, "zqcheck: --name takes one word of letters, digits, '-', '_' and '.'" },
        { "--name \xc3\xa9t\xc3\xa9", OPTIONS_BAD, 0, 0,
            "zqcheck: --name takes one word of letters, digits, '-', '_' and '.'" },
        { longest, OPTIONS_BAD, 0, 0, "zqcheck: unknown option " + longest + " (see --help)" },
        { tooLong, OPTIONS_BAD, 0, 0, "zqcheck: an option that long is none of its own (see --help)" },
        { "--name " + tooLong, OPTIONS_BAD, 0, 0, "zqcheck: an option that long is none of its own (see --help)" },
    };
    for (const auto& c : cases) {
        ZqcheckOptions options;
        char refusal[OPTIONS_REFUSAL_SIZE];
        const OptionsRead read = ReadOptions(c.tail.c_str(), &options, refusal);
        EXPECT_EQ(c.read, read) << c.tail;
        EXPECT_EQ(c.throwaway, options.throwaway) << c.tail;
        EXPECT_EQ(c.restoreOnly, options.restoreOnly) << c.tail;
        if (read == OPTIONS_BAD)
            EXPECT_EQ(c.said, refusal) << c.tail;
        else if (!c.said.empty())
            EXPECT_STREQ(c.said.c_str(), options.name) << c.tail;
        else
            EXPECT_EQ(nullptr, options.name) << c.tail;
    }
}
