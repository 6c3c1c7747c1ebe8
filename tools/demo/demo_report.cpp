#include "demo_report.h"

#include "report_lines.h"
#include "report_summary.h"
#include "report_text.h"
#include "report_timeline.h"

// The page's styles, for every section's classes: inline, as the page opens
// from disk with nothing from elsewhere.
static const char kStyle[] = "body{font:14px/1.4 sans-serif;margin:1.5em;color:#222;max-width:1000px}"
                             "h2{margin-top:2em;border-bottom:1px solid #ccc}h3{margin:1.2em 0 0}"
                             "table{border-collapse:collapse}td,th{padding:2px 10px;text-align:left;vertical-align:top}"
                             "table.summary td,table.summary th{border:1px solid #ccc}"
                             "table.log td{border-top:1px solid #eee}table.log td.n{color:#888;text-align:right}"
                             "table.log code{white-space:pre-wrap}.w{white-space:nowrap}"
                             "tr.other td{color:#777;font-style:italic}"
                             "pre{background:#f4f4f4;padding:6px;white-space:pre-wrap}"
                             ".stopped{color:#b22}svg{display:block;margin:.3em 0}svg text{font:12px sans-serif}";

// The demo's own command lines, in the order they ran.
static std::string Commands(const Report& report)
{
    std::string html = "<h2>The demo's commands</h2>\n<pre>";
    for (const std::string& command : report.commands)
        html += Escaped(command) + "\n";
    return html + "</pre>\n";
}

// The summary first; the timelines together, so that versions compare at a
// glance; the logs after them.
std::string ReportPage(const Report& report)
{
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>zqrunadd.exe under Wine: what each version ran</title>\n<style>"
        + std::string(kStyle) + "</style>\n</head>\n<body>\n<h1>zqrunadd.exe under Wine: what each version ran</h1>\n"
        + SummarySection(report);
    html += TimelineSection(report);
    html += LinesSection(report);
    html += Commands(report);
    return html + "</body>\n</html>\n";
}
