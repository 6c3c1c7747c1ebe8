// Logs built line by line for zqlog's tests: the program's texts, a command
// line of each launch, and the CR LF the program ends each line with.
#ifndef ZQ_TEST_ZQLOG_LOG_LINES_H
#define ZQ_TEST_ZQLOG_LOG_LINES_H

#include <string>
#include <vector>

inline std::string Lines(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

inline constexpr char kFax[] = "Calling ntAdd for Fax -->";
inline constexpr char kPrinter[] = "Calling ntAdd for Printer Driver -->";
inline constexpr char kFaxTool[] = "Calling zqsetdrv(zqdrvtl) for fax driver from RunNTAdd -->";
inline constexpr char kPrinterTool[] = "Calling zqsetdrv(zqdrvtl) for printer driver from RunNTAdd -->";
inline constexpr char kFaxLine[] = "\"C:\\zqtest\\prog\\zqntadd.exe\" SOFTWARE\\ZqTest\\Install\\Fax";
inline constexpr char kPrinterLine[] = "\"C:\\zqtest\\prog\\zqntadd.exe\" SOFTWARE\\ZqTest\\Install\\Printer";
inline constexpr char kDriverDir[] = "C:\\windows\\system32\\spool\\drivers\\w32x86\\zqdrvtl.exe /n:";

inline std::vector<std::string> Tools(const std::string& fax, const std::string& printer)
{
    return { kFaxTool, kDriverDir + fax, kPrinterTool, kDriverDir + printer };
}

inline std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

#endif
