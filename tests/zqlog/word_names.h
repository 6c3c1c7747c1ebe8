// The words table's id names in their order, read from word_ids.h.
#ifndef ZQLOG_TEST_WORD_NAMES_H
#define ZQLOG_TEST_WORD_NAMES_H

#include <fstream>
#include <string>
#include <vector>

inline std::vector<std::string> WordNames()
{
    std::ifstream in(std::string(ZQLOG_SOURCE_DIR) + "/word_ids.h");
    std::vector<std::string> names;
    for (std::string line; std::getline(in, line);)
        if (line.compare(0, 6, "    W_") == 0)
            names.push_back(line.substr(4, line.find(',') - 4));
    return names;
}

#endif
