#include "line_source.h"

#include <string.h>

namespace {

const size_t kSniff = 4096; // bytes held to find the conversion
const size_t kBinarySniff = 512;

bool IsControl(unsigned char c)
{
    return c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != 0 && c != 0x1a && c != 0x1b;
}

// Another program's image or archive, or bytes no text holds.
bool LooksBinary(const std::string& bytes)
{
    const size_t n = bytes.size() < kBinarySniff ? bytes.size() : kBinarySniff;
    unsigned controls = 0, zeros = 0;
    for (size_t i = 0; i < n; ++i) {
        controls += IsControl((unsigned char)bytes[i]);
        zeros += bytes[i] == 0;
    }
    const bool magic = bytes.compare(0, 2, "MZ") == 0
        || bytes.compare(0, 4,
               "\x7f"
               "ELF")
            == 0
        || bytes.compare(0, 4, "PK\x03\x04") == 0;
    return controls >= 2 || (magic && controls + zeros > 0);
}

// Bytes above 127 that all form UTF-8 sequences, at least one of them.
bool LooksUtf8(const std::string& bytes)
{
    unsigned sequences = 0;
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char c = (unsigned char)bytes[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        const size_t more = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
        if (more == 0)
            return false;
        size_t k = 1;
        for (; k <= more && i + k < bytes.size(); ++k)
            if (((unsigned char)bytes[i + k] & 0xC0) != 0x80)
                return false;
        if (k <= more) // cut by the end of what was held
            break;
        ++sequences;
        i += more + 1;
    }
    return sequences > 0;
}

void PutUtf8(std::string& out, unsigned code)
{
    if (code < 0x80)
        out += (char)code;
    else if (code < 0x800)
        out += (char)(0xC0 | code >> 6), out += (char)(0x80 | (code & 0x3F));
    else if (code < 0x10000)
        out += (char)(0xE0 | code >> 12), out += (char)(0x80 | ((code >> 6) & 0x3F)),
            out += (char)(0x80 | (code & 0x3F));
    else
        out += (char)(0xF0 | code >> 18), out += (char)(0x80 | ((code >> 12) & 0x3F)),
            out += (char)(0x80 | ((code >> 6) & 0x3F)), out += (char)(0x80 | (code & 0x3F));
}

} // namespace

const char* ConversionId(Conversion conversion)
{
    static const char* const kIds[] = { nullptr, "lf", "crcrlf", "utf8-bom", "utf8", "utf16le", "utf16be" };
    return kIds[conversion];
}

LineSource::LineSource(LineSink& sink, size_t lineCap)
    : sink_(sink)
    , lineCap_(lineCap)
{
}

void LineSource::Feed(const char* bytes, size_t size)
{
    bytes_ += size;
    for (size_t i = 0; onlyZeros_ && i < size; ++i)
        onlyZeros_ = bytes[i] == 0;
    Take(bytes, size);
}

void LineSource::Take(const char* bytes, size_t size)
{
    if (binary_)
        return;
    if (!decided_) {
        held_.append(bytes, size);
        if (held_.size() >= kSniff)
            Decide();
        return;
    }
    if (conversion_ == CONV_UTF16LE || conversion_ == CONV_UTF16BE)
        FromUtf16(bytes, size);
    else
        Decoded(bytes, size);
}

void LineSource::Decide()
{
    decided_ = true;
    std::string bytes;
    bytes.swap(held_);
    size_t skip = 0;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        conversion_ = CONV_UTF8_BOM, skip = 3;
    else if (bytes.compare(0, 2, "\xFF\xFE") == 0)
        conversion_ = CONV_UTF16LE, skip = 2;
    else if (bytes.compare(0, 2, "\xFE\xFF") == 0)
        conversion_ = CONV_UTF16BE, skip = 2;
    else if (LooksBinary(bytes)) {
        binary_ = true;
        return;
    } else if (LooksUtf8(bytes))
        conversion_ = CONV_UTF8;
    Take(bytes.data() + skip, bytes.size() - skip);
}

void LineSource::FromUtf16(const char* bytes, size_t size)
{
    std::string in = odd_;
    in.append(bytes, size);
    std::string out;
    size_t i = 0;
    const bool le = conversion_ == CONV_UTF16LE;
    auto unit = [&](size_t at) {
        const unsigned a = (unsigned char)in[at], b = (unsigned char)in[at + 1];
        return le ? a | b << 8 : a << 8 | b;
    };
    for (; i + 1 < in.size(); i += 2) {
        unsigned code = unit(i);
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (i + 3 >= in.size())
                break; // its pair comes with the next chunk
            const unsigned low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            } else
                code = 0xFFFD;
        } else if (code >= 0xDC00 && code <= 0xDFFF)
            code = 0xFFFD;
        PutUtf8(out, code);
    }
    odd_ = in.substr(i);
    Decoded(out.data(), out.size());
}

void LineSource::Decoded(const char* bytes, size_t size)
{
    if (endsDecided_) {
        Split(bytes, size);
        return;
    }
    heldDecoded_.append(bytes, size);
    if (heldDecoded_.size() >= kSniff)
        DecideEnds();
}

// The program ends every line with CR LF: a log with none, but LF or CR CR
// LF, was converted on its way.
void LineSource::DecideEnds()
{
    endsDecided_ = true;
    long crlf = 0, crcrlf = 0, lf = 0;
    for (size_t i = 0; i < heldDecoded_.size(); ++i)
        if (heldDecoded_[i] == '\n') {
            if (i >= 2 && heldDecoded_[i - 1] == '\r' && heldDecoded_[i - 2] == '\r')
                ++crcrlf;
            else if (i >= 1 && heldDecoded_[i - 1] == '\r')
                ++crlf;
            else
                ++lf;
        }
    if (crlf == 0 && crcrlf > 0)
        lineEnds_ = CONV_CRCRLF;
    else if (crlf == 0 && lf > 0)
        lineEnds_ = CONV_LF;
    if (conversion_ == CONV_NONE)
        conversion_ = lineEnds_;
    std::string held;
    held.swap(heldDecoded_);
    Split(held.data(), held.size());
}

void LineSource::Split(const char* bytes, size_t size)
{
    while (size > 0) {
        const char* end = (const char*)memchr(bytes, '\n', size);
        const size_t n = end ? (size_t)(end - bytes) : size;
        Append(bytes, n);
        if (!end)
            return;
        Push(true);
        bytes += n + 1;
        size -= n + 1;
    }
}

void LineSource::Append(const char* bytes, size_t size)
{
    while (size > 0) {
        const char* zero = (const char*)memchr(bytes, 0, size);
        const size_t n = zero ? (size_t)(zero - bytes) : size;
        if (line_.text.size() < lineCap_)
            line_.text.append(bytes, n < lineCap_ - line_.text.size() ? n : lineCap_ - line_.text.size());
        line_.length += n;
        if (n >= 2)
            tail_[0] = bytes[n - 2], tail_[1] = bytes[n - 1];
        else if (n == 1)
            tail_[0] = tail_[1], tail_[1] = bytes[0];
        if (!zero)
            return;
        size_t z = n;
        while (z < size && bytes[z] == 0)
            ++z;
        line_.zeros += (unsigned)(z - n);
        zeros_ += (long)(z - n);
        bytes += z;
        size -= z;
    }
}

void LineSource::Push(bool ended)
{
    Line& line = line_;
    line.ended = ended;
    line.crlf = false;
    ++line.number;
    // The line end the program writes, or the one a conversion made of it.
    unsigned crs = lineEnds_ == CONV_CRCRLF ? 2 : 1;
    // A CR past the cut was not kept, but it ended the line all the same.
    for (; ended && crs > 0 && line.length > 0 && tail_[1] == '\r'; --crs) {
        if (line.length == line.text.size())
            line.text.pop_back();
        --line.length;
        line.crlf = true;
        tail_[1] = tail_[0], tail_[0] = 0;
    }
    if (ended && lineEnds_ != CONV_NONE)
        line.crlf = true;
    sink_.TakeLine(line);
    line.text.clear();
    line.length = 0;
    line.zeros = 0;
    tail_[0] = tail_[1] = 0;
}

void LineSource::Finish()
{
    if (!decided_)
        Decide();
    if (binary_)
        return;
    if (!odd_.empty()) // half a UTF-16 unit, or a high surrogate alone
        Decoded("\xEF\xBF\xBD", 3);
    if (!endsDecided_)
        DecideEnds();
    if (line_.length > 0 || line_.zeros > 0)
        Push(false);
}
