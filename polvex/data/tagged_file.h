// Internals of the tagged data file readers shared with the object reader: the limits of the
// file syntax and the report of a message that names a file and a tag.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "core/report.h"

namespace pv {

constexpr int kMaxTagValues = 16000;   // values one tag may hold
constexpr int kMaxTokenLength = 79;    // characters of one token
constexpr int kSkipChunk = 78;         // characters skipped at a time while searching a tag
constexpr size_t kReportBufferSize = 256;

// Shown, with the function's name, when a reader is given a null pointer.
inline constexpr char kNullArgument[] = "%s()の呼び出しで、\n引数にNULLが渡されました。";

// Copies of a file name and a tag name short enough for a message of fixedLength bytes (the
// text without the two names) to fit the report buffer. A shortened file name keeps its end,
// where the file's own name is, and a shortened tag keeps its start; "..." marks the cut,
// which never falls inside a multi-byte character.
class FittedNames {
public:
    FittedNames(const char *file, const char *tag, size_t fixedLength);
    const char *file() const { return file_; }
    const char *tag() const { return tag_; }

private:
    char file_[kReportBufferSize];
    char tag_[kReportBufferSize];
};

// vsnprintf into text: the length the whole text needs, whatever was cut off.
int FormatText(char *text, size_t size, const char *format, ...);

// Reports format, whose first two conversions are the %s of the file and the tag name, with
// the remaining arguments after them. Names too long for the 256-byte buffer are shortened
// rather than letting the message itself be cut off.
template <typename... Rest>
void ReportNamed(const char *format, const char *file, const char *tag, Rest... rest) {
    char text[kReportBufferSize];
    const int full = FormatText(text, sizeof text, format, file, tag, rest...);
    if (full >= static_cast<int>(sizeof text)) {
        const size_t names = std::strlen(file) + std::strlen(tag);
        const size_t fixed = static_cast<size_t>(full) > names ? static_cast<size_t>(full) - names : 0;
        const FittedNames fitted(file, tag, fixed);
        FormatText(text, sizeof text, format, fitted.file(), fitted.tag(), rest...);
    }
    Report(text);
}

}  // namespace pv
