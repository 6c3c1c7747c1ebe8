// The shape of zqlog's code, which its tests cannot see by running it: no
// unit of tools/zqlog (a .cpp counted with its .h) includes one that includes
// it back, and no function is much longer than 60 lines.
#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kDir = ZQLOG_SOURCE_DIR;

std::vector<std::string> Sources()
{
    std::vector<std::string> names;
    DIR* dir = opendir(kDir.c_str());
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() > 2 && (name.substr(name.size() - 2) == ".h" || name.substr(name.size() - 4) == ".cpp"))
            names.push_back(name);
    }
    closedir(dir);
    return names;
}

std::string Unit(const std::string& name)
{
    return name.substr(0, name.rfind('.'));
}

std::vector<std::string> FileLines(const std::string& name)
{
    std::ifstream in(kDir + "/" + name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

TEST(ZqlogStructure, NoIncludeLoopAmongUnits)
{
    const std::vector<std::string> names = Sources();
    ASSERT_GT(names.size(), 10u);
    std::set<std::string> units;
    for (const std::string& name : names)
        units.insert(Unit(name));
    std::map<std::string, std::set<std::string>> edges;
    for (const std::string& name : names)
        for (const std::string& line : FileLines(name)) {
            const std::string head = "#include \"";
            if (line.compare(0, head.size(), head) != 0)
                continue;
            const std::string included = Unit(line.substr(head.size(), line.find('"', head.size()) - head.size()));
            if (units.count(included) && included != Unit(name))
                edges[Unit(name)].insert(included);
        }
    std::map<std::string, int> state; // 1 on the path, 2 done
    std::vector<std::string> path;
    std::function<bool(const std::string&)> loops = [&](const std::string& unit) {
        state[unit] = 1;
        path.push_back(unit);
        for (const std::string& next : edges[unit]) {
            if (state[next] == 1)
                return path.push_back(next), true;
            if (state[next] == 0 && loops(next))
                return true;
        }
        path.pop_back();
        state[unit] = 2;
        return false;
    };
    for (const std::string& unit : units)
        if (state[unit] == 0 && loops(unit)) {
            std::ostringstream chain;
            for (const std::string& step : path)
                chain << step << " ";
            ADD_FAILURE() << "an include loop: " << chain.str();
            return;
        }
}

// A function's body runs from a "{" in the first column to the "}" there.
TEST(ZqlogStructure, NoFunctionMuchOverSixtyLines)
{
    for (const std::string& name : Sources()) {
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
}
