// The texts every section of the demo's page writes.
#ifndef ZQ_DEMO_REPORT_TEXT_H
#define ZQ_DEMO_REPORT_TEXT_H

#include <string>

// Text for an element or an attribute. Control bytes are shown as \xNN, as
// a log with stray bytes must still be readable.
std::string Escaped(const std::string& text);

// A time in milliseconds, as the page gives it: "120 ms".
std::string Ms(long ms);

#endif
