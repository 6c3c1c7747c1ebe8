#include "classify.h"

#include <string.h>

#include "support/log_texts.h"
#include "words.h"

namespace {

bool EndsWith(const std::string& text, const char* end, size_t n)
{
    return text.size() >= n && text.compare(text.size() - n, n, end, n) == 0;
}

bool BeginsWith(const std::string& text, const char* start)
{
    return text.compare(0, strlen(start), start) == 0;
}

// The fixed texts with their sizes and last bytes, for quick tests, and
// chained by size, as every line is looked up among them.
struct Texts {
    static constexpr size_t kSizes = 256; // a longer text is a row's by the long chain
    const GrammarRow* rows;
    unsigned count;
    size_t sizes[32];
    char last[32];
    bool lastByte[256] = {};
    int firstOfSize[kSizes + 1]; // kSizes: the long ones
    int nextOfSize[32];
    Texts()
    {
        rows = FixedTexts(&count);
        for (int& first : firstOfSize)
            first = -1;
        for (unsigned i = count; i-- > 0;) {
            sizes[i] = strlen(rows[i].text);
            last[i] = rows[i].text[sizes[i] - 1];
            lastByte[(unsigned char)last[i]] = true;
            int& first = firstOfSize[sizes[i] < kSizes ? sizes[i] : kSizes];
            nextOfSize[i] = first;
            first = (int)i;
        }
    }
};

const Texts& AllTexts()
{
    static const Texts texts;
    return texts;
}

} // namespace

const GrammarRow* OwnRow(const std::string& text)
{
    const Texts& t = AllTexts();
    if (text.empty())
        return nullptr;
    for (int i = t.firstOfSize[text.size() < Texts::kSizes ? text.size() : Texts::kSizes]; i >= 0; i = t.nextOfSize[i])
        if (t.sizes[i] == text.size() && t.last[i] == text.back()
            && memcmp(t.rows[i].text, text.data(), text.size()) == 0)
            return &t.rows[i];
    return nullptr;
}

// Warning! Unknown error code <signed decimal> reported while executing command:
bool IsUnknownErrorLine(const std::string& text)
{
    if (text.empty() || text[0] != LOG_UNKNOWN_ERROR_BEFORE[0])
        return false;
    size_t before = strlen(LOG_UNKNOWN_ERROR_BEFORE), after = strlen(LOG_UNKNOWN_ERROR_AFTER);
    if (text.size() <= before + after || !BeginsWith(text, LOG_UNKNOWN_ERROR_BEFORE)
        || !EndsWith(text, LOG_UNKNOWN_ERROR_AFTER, after))
        return false;
    std::string code = text.substr(before, text.size() - before - after);
    size_t digits = code[0] == '-' ? 1 : 0;
    if (digits == code.size() || code.size() > 11)
        return false;
    for (; digits < code.size(); ++digits)
        if (code[digits] < '0' || code[digits] > '9')
            return false;
    return true;
}

std::string CutFrom(const std::string& line)
{
    std::string texts;
    const Texts& t = AllTexts();
    for (unsigned i = 0; line.size() >= 4 && i < t.count; ++i)
        if (line.size() <= t.sizes[i] && line.compare(0, line.size(), t.rows[i].text, line.size()) == 0)
            texts += Say(texts.empty() ? W_QUOTED : W_OR_QUOTED, { t.rows[i].text });
    return texts;
}

const GrammarRow* JoinedText(const std::string& text)
{
    const Texts& t = AllTexts();
    if (text.empty() || !t.lastByte[(unsigned char)text.back()])
        return nullptr;
    for (unsigned i = 0; i < t.count; ++i)
        if (text.size() > t.sizes[i] && t.last[i] == text.back() && text[text.size() - t.sizes[i]] == t.rows[i].text[0]
            && EndsWith(text, t.rows[i].text, t.sizes[i]))
            return &t.rows[i];
    return nullptr;
}

// "<dir>\zqntadd.exe" <key path>, or <dir>\zqdrvtl.exe /n:<name>.
bool IsCommandShape(const std::string& text)
{
    return (text.size() > 1 && text[0] == '"' && text.find(LOG_ADD_PRINTER_TOOL) != std::string::npos)
        || text.find(LOG_DRIVER_TOOL LOG_DRIVER_TOOL_NAME) != std::string::npos;
}

Sorted Classify(const Line& line)
{
    const std::string& text = line.text;
    if (line.length != text.size())
        return { LINE_DAMAGE, nullptr, 0 };
    if (text.empty())
        return { LINE_EMPTY, nullptr, 0 };
    if (const GrammarRow* row = OwnRow(text))
        return { LINE_OWN, row, 0 };
    if (IsUnknownErrorLine(text))
        return { LINE_WARNING, nullptr, 0 };
    if (const GrammarRow* row = JoinedText(text)) {
        const size_t at = text.size() - strlen(row->text);
        const std::string before = text.substr(0, at);
        if (IsCommandShape(before))
            return { LINE_COMMAND, row, at }; // a command line cut short, a fixed text after it
        return { CutFrom(before).empty() ? LINE_GLUED : LINE_CUT_JOINED, row, at };
    }
    if (IsCommandShape(text))
        return { LINE_COMMAND, nullptr, 0 };
    if (text.size() >= 4 && !CutFrom(text).empty())
        return { LINE_CUT, nullptr, 0 };
    return { LINE_OTHER, nullptr, 0 };
}

// The end of a line of the program's whose front was cut (the log rotated or
// pasted from the middle): the tail of a fixed text, or of a command line
// without its path's start.
bool IsCutFront(const std::string& text)
{
    const Texts& t = AllTexts();
    for (unsigned i = 0; text.size() >= 6 && i < t.count; ++i)
        if (text.size() < t.sizes[i] && EndsWith(t.rows[i].text, text.c_str(), text.size()))
            return true;
    const std::string addPrinter = LOG_ADD_PRINTER_TOOL, driverTool = LOG_DRIVER_TOOL LOG_DRIVER_TOOL_NAME;
    const size_t exe = text.find(".exe\" ");
    if (exe != std::string::npos && text[0] != '"'
        && (text.find(addPrinter) != std::string::npos || EndsWith(addPrinter, text.c_str(), exe + 6)))
        return true;
    const size_t name = text.find(" /n:");
    const bool drive = text.size() > 2 && text[1] == ':' && text[2] == '\\';
    return name != std::string::npos && !drive && text.compare(0, 2, "\\\\") != 0
        && (text.find(driverTool) != std::string::npos || EndsWith(driverTool, text.c_str(), name + 4));
}

bool IsKeyTail(const std::string& text)
{
    std::string key = text;
    if (!key.empty() && key.back() == '"') // a key path passed in double quotes
        key.pop_back();
    if (key.empty() || key[0] == '"' || key.find('\\') == std::string::npos
        || key.find_first_of(":/") != std::string::npos || key.find(".exe") != std::string::npos)
        return false;
    const size_t slash = key.rfind('\\');
    const std::string name = key.substr(slash + 1);
    return name == "Printer" || name == "Fax";
}
