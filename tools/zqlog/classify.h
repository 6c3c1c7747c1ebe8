// The classifier: sorts a line by its text alone, before its place in the
// order is looked at. A system text and its empty line, and which launch a
// command line is, are told by place (log_reader.cpp).
#ifndef ZQLOG_CLASSIFY_H
#define ZQLOG_CLASSIFY_H

#include <stddef.h>

#include <string>

#include "line_source.h"
#include "grammar.h"

enum LineKind {
    LINE_OWN, // one of the program's fixed texts, whole (row)
    LINE_WARNING, // the unknown-error warning
    LINE_COMMAND, // shaped like one of the program's command lines
    LINE_EMPTY, // an empty line: what ends a system text
    LINE_CUT_JOINED, // the start of a fixed text cut short, then a fixed text whole (row, at)
    LINE_GLUED, // another program's text without its line end, then a fixed text whole (row, at)
    LINE_CUT, // the start of a fixed text, and no more (cut; its place decides)
    LINE_OTHER, // another program's line, or a system text (its place decides)
    LINE_DAMAGE, // longer than the cap: shown cut
};

struct Sorted {
    LineKind kind;
    const GrammarRow* row; // the fixed text, for own, cut-joined and glued lines
    size_t at; // where the fixed text begins in the line
};

Sorted Classify(const Line& line);

const GrammarRow* OwnRow(const std::string& text);
bool IsUnknownErrorLine(const std::string& text);
std::string CutFrom(const std::string& line); // the fixed texts line is the start of, quoted; "" for none
const GrammarRow* JoinedText(const std::string& text); // the fixed text a longer line ends with
bool IsCommandShape(const std::string& text);
bool IsCutFront(const std::string& text); // the end of a line of the program's, its front cut
// The end of a key path as the package names it (...\Printer, ...\Fax): an
// add-printer command line's tail, where the next line's place confirms it.
bool IsKeyTail(const std::string& text);

#endif
