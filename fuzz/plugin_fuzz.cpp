// The whole plug-in as an engine uses it, through its exports: the input
// chooses the plug-in and how the filter is made, a few configuration
// changes, whether the filter is switched on, and then the two or three
// messages it filters in a row.
//
// Input: a flags byte (bit 0 German, bit 1 _zelNewFilter instead of
// getObject, bit 2 left switched off, bit 3 three messages instead of two),
// a byte whose low four bits count the changes, the changes, and then the
// messages, cut at NUL bytes (with fewer pieces than messages, they repeat).
// A change is a byte choosing where the key and the value come from, an
// index byte, and the texts that the choice needs, each ended by a NUL.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "config/builtin_table.h"
#include "fuzz_input.h"
#include "loaded_plugin.h"
#include "support/reserved_names.h"

namespace postsift {
extern const languageBuild frenchBuild;
extern const languageBuild germanBuild;
}  // namespace postsift

namespace {

const char* const reservedNames[] = {
    postsift::symbolHeader,     postsift::symbolBody,       postsift::symbolForwardedSection,
    postsift::symbolSender,     postsift::symbolDate,       postsift::symbolSubject,
    postsift::symbolAttachment, postsift::symbolLink,       postsift::symbolAttribution,
    postsift::lineEndKeyName,   "[include email address]",  "[",
};

const char* const ruleKeywords[] = {
    postsift::ruleRemoveLine,    postsift::ruleRemoveWord,  postsift::ruleReplaceLine,
    postsift::ruleReplaceWord,   postsift::ruleRemoveSection, postsift::ruleKeepSection,
};

template <typename T, std::size_t N>
const T& pick(const T (&choices)[N], unsigned index) {
    return choices[index % N];
}

const postsift::builtInEntry& builtIn(bool german, unsigned index) {
    const postsift::builtInTable& table = german ? postsift::germanBuild.table : postsift::frenchBuild.table;
    return table.entries[index % table.count];
}

// The key: a built-in key of the language, an option, a reserved name, or
// any text.
std::string chooseKey(fuzzInput& input, unsigned choice, unsigned index, bool german) {
    switch (choice & 3u) {
        case 0: return builtIn(german, index).key;
        case 1: return pick(postsift::optionKeys, index);
        case 2: return pick(reservedNames, index);
        default: return input.text();
    }
}

// The value, or none (a removal): "true" and "false" for the options, a rule
// keyword and its text, a built-in value, a template or any text.
bool chooseValue(fuzzInput& input, unsigned choice, unsigned index, bool german, std::string& value) {
    switch ((choice >> 2) & 7u) {
        case 0: return false;
        case 1: value = "true"; return true;
        case 2: value = "false"; return true;
        case 3: value = pick(ruleKeywords, index) + input.text(); return true;
        case 4: value = builtIn(german, index).value; return true;
        default: value = input.text(); return true;
    }
}

// Where the length of each result goes, so that reading it is not optimised away.
volatile std::size_t spokenLength = 0;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    silenceStandardOutput();
    builtPlugin(false);
    builtPlugin(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzInput input(data, size);
    const unsigned flags = input.byte();
    const bool german = (flags & 1u) != 0;
    const postsift::pluginExports& api = builtPlugin(german).api;

    void* filter = nullptr;
    if ((flags & 2u) != 0) {
        filter = api.newFilter(0, 0);
    } else if (api.getObject(POSTSIFT_OBJECT_FILTER, &filter) != 1) {
        filter = nullptr;
    }
    if (filter == nullptr) std::abort();  // nothing but exhausted memory refuses a filter

    const unsigned changes = input.byte() & 15u;
    for (unsigned i = 0; i < changes; ++i) {
        const unsigned choice = input.byte();
        const unsigned index = input.byte();
        const std::string key = chooseKey(input, choice, index, german);
        std::string value;
        const bool hasValue = chooseValue(input, choice, index, german, value);
        const int result = api.updateFilter(0, filter, key.c_str(), hasValue ? value.c_str() : nullptr);
        if (result != 0 && result != 2) std::abort();
    }

    const bool active = (flags & 4u) == 0;
    if (active) api.setFilter(0, filter);
    const std::vector<std::string> messages = input.pieces();
    const std::size_t count = (flags & 8u) != 0 ? 3 : 2;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& message = messages[i % messages.size()];
        const char* spoken = nullptr;
        api.getFilteredText(0, filter, message.c_str(), &spoken);
        // Switched off, the engine's own text comes back; on, a text of the
        // filter's or none. Reading it all lets the sanitizer check it.
        if (!active && spoken != message.c_str()) std::abort();
        if (active && spoken != nullptr) spokenLength = std::strlen(spoken);
    }
    api.deleteFilter(0, filter);
    return 0;
}
