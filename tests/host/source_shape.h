// What the shape tests read of a source folder: its C and C++ files, their
// lines, and the functions in them that run too long.
#ifndef ZQ_TESTS_SOURCE_SHAPE_H
#define ZQ_TESTS_SOURCE_SHAPE_H

#include <dirent.h>

#include <fstream>
#include <string>
#include <vector>

// The names of the .c, .cpp and .h files in DIR, without the folder.
inline std::vector<std::string> SourceNames(const std::string& dirPath)
{
    std::vector<std::string> names;
    DIR* dir = opendir(dirPath.c_str());
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        const size_t dot = name.rfind('.');
        const std::string ext = dot == std::string::npos ? "" : name.substr(dot);
        if (ext == ".c" || ext == ".cpp" || ext == ".h")
            names.push_back(name);
    }
    closedir(dir);
    return names;
}

inline std::vector<std::string> FileLines(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A function's body runs from a "{" in the first column to the "}" there (a
// table's "= {" is no function's): the first lines of those over LIMIT lines.
inline std::vector<size_t> LongFunctions(const std::vector<std::string>& lines, size_t limit)
{
    std::vector<size_t> found;
    size_t open = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == "{")
            open = i + 1;
        else if (lines[i] == "}" && open) {
            if (i + 1 - open > limit)
                found.push_back(open);
            open = 0;
        }
    }
    return found;
}

#endif
