#include "reg_file.h"

#include <algorithm>
#include <unordered_set>

#include <iconv.h>
#include <locale.h>
#include <wctype.h>

namespace {

const char* const kHeaders[] = { "REGEDIT4", "Windows Registry Editor Version 5.00" };
const char kRoot[] = "hkey_local_machine\\";
const char kPrinterEnd[] = "install\\printer";
// The demo hands the keys to the runs in the environment, which holds 32767
// characters.
const size_t kMostKeyBytes = 32000;

// text from one encoding to another; false when it is not text of `from`.
// skipBad drops the bytes `from` has no character for instead.
bool Convert(const char* to, const char* from, const std::string& text, std::string& out, bool skipBad)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == (iconv_t)-1)
        return false;
    out.clear();
    char buffer[4096];
    char* in = const_cast<char*>(text.data());
    size_t left = text.size();
    bool good = true;
    while (left > 0 && good) {
        char* put = buffer;
        size_t room = sizeof buffer;
        if (iconv(cd, &in, &left, &put, &room) == (size_t)-1 && put == buffer) {
            good = skipBad && left > 0;
            ++in, --left;
        }
        out.append(buffer, put - buffer);
    }
    iconv_close(cd);
    return good;
}

// Key names compare as the registry compares them: without case.
std::wstring Folded(const std::string& utf8)
{
    static locale_t utf8Locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", (locale_t)0);
    std::string wide;
    if (!Convert("WCHAR_T", "UTF-8", utf8, wide, true))
        wide.clear();
    std::wstring folded(reinterpret_cast<const wchar_t*>(wide.data()), wide.size() / sizeof(wchar_t));
    for (wchar_t& c : folded)
        c = utf8Locale ? towlower_l(c, utf8Locale) : (wchar_t)towlower(c);
    return folded;
}

bool EndsWith(const std::wstring& text, const std::wstring& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The key a line names below HKEY_LOCAL_MACHINE ("[HKEY_LOCAL_MACHINE\PATH]",
// blanks around it), or false.
bool KeyOfLine(const std::string& line, std::string& key)
{
    size_t first = 0, last = line.size();
    while (first < last && IsBlank(line[first]))
        ++first;
    while (last > first && IsBlank(line[last - 1]))
        --last;
    const size_t rootSize = sizeof kRoot - 1;
    if (last - first < rootSize + 2 || line[first] != '[' || line[last - 1] != ']')
        return false;
    static const std::wstring root = Folded(kRoot);
    if (Folded(line.substr(first + 1, rootSize)) != root)
        return false;
    key = line.substr(first + 1 + rootSize, last - 1 - (first + 1 + rootSize));
    return true;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = text.find('\n', start)) != std::string::npos) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

} // namespace

RegKeys ReadRegKeys(const std::string& bytes, const std::string& name, bool keyGiven, const std::string& key)
{
    RegKeys result;
    std::string text;
    if (bytes.compare(0, 2, "\xff\xfe") == 0) {
        if (!Convert("UTF-8", "UTF-16LE", bytes.substr(2), text, false))
            return result.refusal = name + ": not UTF-16LE text", result;
    } else if (!Convert("UTF-8", "CP1252", bytes, text, true)) { // 8-bit text in the prefix's code page
        return result.refusal = "cannot read " + name + " as code page 1252", result;
    }

    std::vector<std::string> lines = Lines(text);
    std::string header = lines.empty() ? "" : lines[0];
    header.erase(std::remove(header.begin(), header.end(), '\r'), header.end());
    if (std::find(std::begin(kHeaders), std::end(kHeaders), header) == std::end(kHeaders))
        return result.refusal = name + " has no registry header (REGEDIT4 or Windows Registry Editor Version 5.00)",
               result;

    std::vector<std::wstring> folded; // the keys' names, in the keys' order
    std::unordered_set<std::wstring> seen;
    size_t keyBytes = 0;
    for (const std::string& line : lines) {
        std::string found;
        if (!KeyOfLine(line, found))
            continue;
        std::wstring f = Folded(found);
        if (!seen.insert(f).second)
            continue;
        folded.push_back(f);
        keyBytes += found.size() + (result.keys.empty() ? 0 : 1);
        result.keys.push_back(found);
    }

    if (!keyGiven) {
        std::vector<std::string> printers;
        const std::wstring printerEnd = Folded(kPrinterEnd);
        for (size_t i = 0; i < folded.size(); ++i)
            if (EndsWith(folded[i], printerEnd))
                printers.push_back(result.keys[i]);
        if (printers.empty())
            return result.refusal = name + " has no key ending in Install\\Printer; name the key path with --key",
                   result;
        if (printers.size() > 1) {
            std::string list;
            for (const std::string& printer : printers)
                list += (list.empty() ? "" : ", ") + printer;
            return result.refusal
                   = name + " has several keys ending in Install\\Printer: " + list + "; name one with --key",
                   result;
        }
        result.key = printers[0];
    } else {
        result.key = key;
        if (key.size() >= 2 && key.front() == '"' && key.back() == '"')
            result.notices.push_back("the whole tail is the key path, so its quotes are part of it; pass it bare");
        if (!seen.count(Folded(key)))
            result.notices.push_back("the key path " + key + " is not a key of " + name);
    }
    if (keyBytes >= kMostKeyBytes)
        result.refusal = name + " names more keys than the demo can check (32000 bytes of key paths)";
    return result;
}
