#pragma once
#include <cstddef>

#include "support/owned_text.h"

namespace postsift {

// The optional prefix columns of a log line, as bits.
enum logColumn : unsigned {
    columnDateTime = 1,
    columnProcessId = 2,
    columnThreadId = 4,
    columnComponent = 8,
    columnFunction = 16,
    columnSourceFile = 32,
    columnLine = 64,
};
constexpr unsigned defaultLogColumns = columnDateTime | columnComponent | columnFunction;

// Components and their levels, newest first. Names compare exactly.
class logComponentList {
public:
    logComponentList() = default;
    ~logComponentList() { clear(); }
    logComponentList(const logComponentList&) = delete;
    logComponentList& operator=(const logComponentList&) = delete;

    // The component's level; false when the list does not name it.
    bool levelOf(const char* name, int& level) const;
    // Replaces the level of a listed component, or puts it in front.
    bool set(const char* name, std::size_t length, int level);
    std::size_t size() const;
    void clear();

private:
    struct component {
        ownedText name;
        int level;
        component* next;
    };
    component* first_ = nullptr;
};

// "LogLevel": a decimal integer after optional white space and sign, the
// rest ignored; `fallback` when the text starts with no number. Values
// beyond the range of int are held at its ends.
int parseLogLevel(const char* text, int fallback);

// "LogFilter": the columns named by the letters D, P, T, C, F, I and L in
// either case; other characters are ignored.
unsigned parseLogFilter(const char* text);

// "LogComp": items "name:level" separated by commas, white space allowed
// around the name and before the colon, none between the colon and the
// digits. The name is a run of letters; the level has 1 to 9 digits.
// Parsing stops at the first item that breaks these rules; the items before
// it stay. A level above `maxLevel` raises it.
void parseLogComponents(const char* text, logComponentList& components, int& maxLevel);

// The header line of a new log file, for the chosen columns. False when
// memory is short.
bool buildColumnHeader(unsigned columns, ownedText& header);

}  // namespace postsift
