// What the reader found of the whole file, as plain data: how it was
// converted, its size, its lines and the code page its bytes suggest. The
// printers take the file from here.
#ifndef ZQLOG_FILE_FACTS_H
#define ZQLOG_FILE_FACTS_H

enum Conversion { CONV_NONE, CONV_LF, CONV_CRCRLF, CONV_UTF8_BOM, CONV_UTF8, CONV_UTF16LE, CONV_UTF16BE };
const char* ConversionId(Conversion conversion); // "lf", ...; null for none (line_source.cpp)

struct FileFacts {
    Conversion found = CONV_NONE; // known after the first line
    Conversion lineEnds = CONV_NONE; // CONV_NONE, CONV_LF or CONV_CRCRLF
    long long bytes = 0;
    long lines = 0, otherLines = 0;
    int runs = 0;
    bool binary = false, onlyZeros = false, sawZero = false;
    unsigned likelyCodePage = 0; // a double-byte code page the high bytes read as; 0 for none
};

#endif
