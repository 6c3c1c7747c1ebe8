#include "report_text.h"

#include <stdio.h>

std::string Escaped(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"')
            out += "&quot;";
        else if (c < 0x20 && c != '\t') {
            char shown[8];
            snprintf(shown, sizeof shown, "\\x%02X", c);
            out += shown;
        } else
            out += (char)c;
    }
    return out;
}

std::string Ms(long ms)
{
    return std::to_string(ms) + " ms";
}
