#include "code_pages.h"

#include <stdio.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace {

const unsigned kKnown[]
    = { 437, 850, 852, 866, 874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 1361 };

int IsJapaneseLead(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
int IsChineseOrKoreanLead(unsigned char b)
{
    return b >= 0x81 && b <= 0xFE;
}
int IsJohabLead(unsigned char b)
{
    return (b >= 0x84 && b <= 0xD3) || (b >= 0xD8 && b <= 0xDE) || (b >= 0xE0 && b <= 0xF9);
}

bool IsAscii(const std::string& text)
{
    for (char c : text)
        if ((unsigned char)c >= 0x80)
            return false;
    return true;
}

} // namespace

bool IsKnownCodePage(unsigned codePage)
{
    for (unsigned known : kKnown)
        if (known == codePage)
            return true;
    return false;
}

const char* KnownCodePages()
{
    static std::string list;
    if (list.empty())
        for (unsigned known : kKnown)
            list += (list.empty() ? "" : ", ") + std::to_string(known);
    return list.c_str();
}

LeadByteTest LeadByteTestOf(unsigned codePage)
{
    switch (codePage) {
    case 932:
        return IsJapaneseLead;
    case 936:
    case 949:
    case 950:
        return IsChineseOrKoreanLead;
    case 1361:
        return IsJohabLead;
    default:
        return nullptr;
    }
}

std::string ToUtf8(const std::string& text, unsigned codePage)
{
    if (IsAscii(text))
        return text;
    if (codePage == 0)
        codePage = 1252;
#ifdef _WIN32
    int n = MultiByteToWideChar(codePage, 0, text.data(), (int)text.size(), NULL, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), (int)text.size(), &wide[0], n);
    int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, NULL, 0, NULL, NULL);
    std::string out(m, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, &out[0], m, NULL, NULL);
    return out;
#else
    char name[16];
    snprintf(name, sizeof name, "CP%u", codePage);
    iconv_t cd = iconv_open("UTF-8", name);
    if (cd == (iconv_t)-1)
        return text;
    std::string out;
    char buffer[1024];
    char* in = const_cast<char*>(text.data());
    size_t left = text.size();
    while (left > 0) {
        char* put = buffer;
        size_t room = sizeof buffer;
        if (iconv(cd, &in, &left, &put, &room) == (size_t)-1 && put == buffer && left > 0) {
            out += "\xEF\xBF\xBD"; // a byte the code page cannot read
            ++in, --left;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
        out.append(buffer, put - buffer);
    }
    iconv_close(cd);
    return out;
#endif
}
