#include "known_languages.h"

namespace postsift::host {

namespace {

// ASCII only: a locale name is ASCII, and the C library's classes would
// depend on the very locale being read.
bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

const knownLanguage* languageOfCode(const std::string& code) {
    for (const knownLanguage& language : knownLanguages())
        if (code == language.code) return &language;
    return nullptr;
}

const knownLanguage* languageOfCodeOrFolder(const std::string& name) {
    for (const knownLanguage& language : knownLanguages())
        if (name == language.code || name == language.folder) return &language;
    return nullptr;
}

const knownLanguage& languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* setting : {lcAll, lcMessages, lang}) {
        if (setting == nullptr || *setting == '\0') continue;
        std::string code;
        for (const char* c = setting; *c != '\0' && code.size() < 2 && isAsciiLetter(*c); ++c) code += asciiLower(*c);
        // "C", "POSIX" and languages without a build fall back alike.
        const knownLanguage* found = code.size() == 2 && !isAsciiLetter(setting[2])
                                         ? languageOfCode(code)
                                         : nullptr;
        return found != nullptr ? *found : knownLanguages().front();
    }
    return knownLanguages().front();
}

namespace {

std::string joinedList(const char* knownLanguage::*field) {
    const std::vector<knownLanguage>& languages = knownLanguages();
    std::string list;
    for (std::size_t i = 0; i < languages.size(); ++i) {
        if (i > 0) list += i + 1 == languages.size() ? " or " : ", ";
        list += languages[i].*field;
    }
    return list;
}

}  // namespace

std::string languageCodeList() { return joinedList(&knownLanguage::code); }

std::string languageFolderList() { return joinedList(&knownLanguage::folder); }

}  // namespace postsift::host
