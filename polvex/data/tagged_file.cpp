// Tagged data files: finding one `*`-tagged list of numbers in a text file and returning it as
// an array of int32 or float values from the tracked allocator.
#include "data/tagged_file.h"

#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>

#include "core/report.h"
#include "polvex/polvex.h"

namespace pv {

int FormatText(char *text, size_t size, const char *format, ...) {
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(text, size, format, args);
    va_end(args);
    return length;
}

FittedNames::FittedNames(const char *file, const char *tag, size_t fixedLength) {
    const size_t budget = fixedLength < kReportBufferSize - 1 ? kReportBufferSize - 1 - fixedLength : 0;
    const size_t fileLength = std::strlen(file);
    const size_t tagLength = std::strlen(tag);
    size_t tagRoom = tagLength < budget / 2 ? tagLength : budget / 2;
    size_t fileRoom = budget - tagRoom;
    if (fileRoom > fileLength) {
        fileRoom = fileLength;
        tagRoom = budget - fileLength;
    }
    auto isContinuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
    constexpr size_t kMark = 3;  // "..."

    file_[0] = '\0';
    if (fileLength <= fileRoom) {
        std::memcpy(file_, file, fileLength + 1);
    } else if (fileRoom >= kMark) {
        size_t start = fileLength - (fileRoom - kMark);
        while (start < fileLength && isContinuation(file[start])) ++start;
        std::memcpy(file_, "...", kMark);
        std::memcpy(file_ + kMark, file + start, fileLength - start + 1);
    }
    tag_[0] = '\0';
    if (tagLength <= tagRoom) {
        std::memcpy(tag_, tag, tagLength + 1);
    } else if (tagRoom >= kMark) {
        size_t end = tagRoom - kMark;
        while (end > 0 && isContinuation(tag[end])) --end;
        std::memcpy(tag_, tag, end);
        std::memcpy(tag_ + end, "...", kMark + 1);
    }
}

namespace {

constexpr char kOpenFailed[] = "ファイル'%s'がオープンできません。";
constexpr char kTagMissing[] = "ファイル'%s'にタグ'%s'が見つかりません。";
constexpr char kNoData[] = "ファイル'%s'のタグ'%s'のデータがありません。";
constexpr char kTooManyValues[] = "ファイル'%s'のタグ'%s'のデータが\n最大データ数 %d を越えています。";
constexpr char kTokenTooLong[] = "ファイル'%s'のタグ'%s'のデータに\n%d文字を越える語があります。";

constexpr int kNoChar = -2;  // nothing pushed back

// The file as a text-mode stream delivers it: a carriage return directly before a line end
// is dropped, every other byte comes through unchanged.
class TextStream {
public:
    explicit TextStream(std::FILE *file) : file_(file) {}

    int Get() {
        if (ahead_ != kNoChar) {
            const int c = ahead_;
            ahead_ = kNoChar;
            return c;
        }
        const int c = std::getc(file_);
        if (c != '\r') return c;
        const int next = std::getc(file_);
        if (next == '\n') return '\n';
        if (next != EOF) std::ungetc(next, file_);
        return c;
    }
    void Unget(int c) { ahead_ = c; }

private:
    std::FILE *file_;
    int ahead_ = kNoChar;
};

bool IsSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// One white-space separated token. Only its first kMaxTokenLength characters are kept;
// length counts them all, so a longer token is recognised as such instead of being split.
struct Token {
    char text[kMaxTokenLength + 1];
    size_t length;
    bool tooLong() const { return length > kMaxTokenLength; }
};

// Reads the next token; false at the end of the file. The white space that ends the token
// stays in the stream, because skipping the rest of the line starts with it.
bool ReadToken(TextStream &in, Token &token) {
    int c = in.Get();
    while (c != EOF && IsSpace(c)) c = in.Get();
    if (c == EOF) return false;
    token.length = 0;
    for (; c != EOF && !IsSpace(c); c = in.Get()) {
        if (token.length < kMaxTokenLength) token.text[token.length] = static_cast<char>(c);
        ++token.length;
    }
    token.text[token.tooLong() ? kMaxTokenLength : token.length] = '\0';
    if (c != EOF) in.Unget(c);
    return true;
}

// Skips at most kSkipChunk characters of the current line, the line end included when it
// comes within them; what follows a longer line is then read as if a new line began there.
void SkipLineChunk(TextStream &in) {
    for (int read = 0; read < kSkipChunk; ++read) {
        const int c = in.Get();
        if (c == EOF || c == '\n') return;
    }
}

// Skips to the real end of the line, however long: a comment among the data must never be
// read as values, whatever its length.
void SkipLine(TextStream &in) {
    int c = in.Get();
    while (c != EOF && c != '\n') c = in.Get();
}

bool IsMarker(const Token &token, const char *tag, size_t tagLength) {
    return !token.tooLong() && token.length == tagLength + 1 && token.text[0] == '*' &&
           std::memcmp(token.text + 1, tag, tagLength) == 0;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The longest leading decimal integer; 0 when there is none. Values beyond the int32 range
// saturate instead of wrapping.
int32_t ToInt(const char *text) {
    const char *p = text;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; IsDigit(*p); ++p) {
        value = value * 10 + (*p - '0');
        if (value > kLimit) value = kLimit;
    }
    if (negative) return static_cast<int32_t>(-value);
    return value >= kLimit ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(value);
}

// The longest leading decimal floating-point number, rounded to float; 0 when there is none.
// Only decimal notation counts: "inf", "nan" and hexadecimal forms read as 0, and the
// conversion does not depend on the host's locale.
float ToFloat(const char *text) {
    const char *p = text;
    if (*p == '-' || *p == '+') ++p;
    const char *digits = p;
    while (IsDigit(*p)) ++p;
    bool any = p != digits;
    if (*p == '.') {
        const char *fraction = ++p;
        while (IsDigit(*p)) ++p;
        any = any || p != fraction;
    }
    if (!any) return 0.0f;
    if (*p == 'e' || *p == 'E') {
        const char *exponent = p + 1;
        if (*exponent == '-' || *exponent == '+') ++exponent;
        if (IsDigit(*exponent)) {
            p = exponent;
            while (IsDigit(*p)) ++p;
        }
    }
    char number[kMaxTokenLength + 1];
    const size_t length = static_cast<size_t>(p - text);
    std::memcpy(number, text, length);
    number[length] = '\0';
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
    if (cLocale == static_cast<locale_t>(0)) return std::strtof(number, nullptr);
    return strtof_l(number, nullptr, cLocale);
}

void Convert(const char *text, int32_t &out) { out = ToInt(text); }
void Convert(const char *text, float &out) { out = ToFloat(text); }

// Collects the values after the marker into work; the count, or 0 after reporting.
template <typename Value>
int32_t CollectValues(TextStream &in, Value *work, const char *fileName, const char *tagName) {
    int32_t count = 0;
    Token token;
    while (ReadToken(in, token)) {
        if (token.text[0] == '*') break;
        if (token.text[0] == ';') {
            SkipLine(in);
            continue;
        }
        if (token.tooLong()) {
            ReportNamed(kTokenTooLong, fileName, tagName, kMaxTokenLength);
            return 0;
        }
        if (count == kMaxTagValues) {
            ReportNamed(kTooManyValues, fileName, tagName, kMaxTagValues);
            return 0;
        }
        Convert(token.text, work[count++]);
    }
    if (count == 0) ReportNamed(kNoData, fileName, tagName);
    return count;
}

// Finds the tag's marker, looking only at the first token of each line; false after
// reporting when the file ends first.
bool FindTag(TextStream &in, const char *fileName, const char *tagName) {
    const size_t tagLength = std::strlen(tagName);
    Token token;
    for (;;) {
        if (!ReadToken(in, token)) {
            ReportNamed(kTagMissing, fileName, tagName);
            return false;
        }
        if (IsMarker(token, tagName, tagLength)) return true;
        SkipLineChunk(in);
    }
}

// Reads one tag with work as the collecting array; the count, or 0 after reporting.
template <typename Value>
int32_t ReadTag(Value **data, Value *work, const char *fileName, const char *tagName) {
    std::FILE *file = std::fopen(fileName, "r");
    if (file == nullptr) {
        // The message names only the file; an empty tag keeps the name fitting exact.
        ReportNamed(kOpenFailed, fileName, "");
        return 0;
    }
    TextStream in(file);
    int32_t count = 0;
    if (FindTag(in, fileName, tagName)) count = CollectValues(in, work, fileName, tagName);
    if (count > 0) {
        auto *result = static_cast<Value *>(PvAlloc(count * static_cast<int32_t>(sizeof(Value))));
        if (result != nullptr) {
            std::memcpy(result, work, sizeof(Value) * static_cast<size_t>(count));
            *data = result;
        } else {
            count = 0;
        }
    }
    std::fclose(file);
    return count;
}

template <typename Value>
int32_t ReadData(Value **data, const char *fileName, const char *tagName, const char *function) {
    if (data == nullptr || fileName == nullptr || tagName == nullptr) {
        ReportFormat(kNullArgument, function);
        return 0;
    }
    static_assert(sizeof(Value) == 4, "the work array holds 4-byte slots");
    auto *work = static_cast<Value *>(PvAlloc(kMaxTagValues * static_cast<int32_t>(sizeof(Value))));
    if (work == nullptr) return 0;
    const int32_t count = ReadTag(data, work, fileName, tagName);
    PvFree(work);
    return count;
}

}  // namespace
}  // namespace pv

extern "C" POLVEX_API int32_t ReadDataInt(int32_t **data, const char *fileName, const char *tagName) {
    return pv::ReadData(data, fileName, tagName, "ReadDataInt");
}

extern "C" POLVEX_API int32_t ReadDataFloat(float **data, const char *fileName, const char *tagName) {
    return pv::ReadData(data, fileName, tagName, "ReadDataFloat");
}
