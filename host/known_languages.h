#pragma once
#include <string>
#include <vector>

namespace postsift::host {

// A language that the build made a plug-in for.
struct knownLanguage {
    const char* code;    // "fr": what --language takes
    const char* folder;  // "french": the plug-in's folder
    const char* name;    // "French"
};

// Every built language, in the build's order: the first is the default.
// The build writes it from its list of languages.
const std::vector<knownLanguage>& knownLanguages();

// The language of a code, or null.
const knownLanguage* languageOfCode(const std::string& code);

// The language of a code ("fr") or of a folder name ("french"), or null.
const knownLanguage* languageOfCodeOrFolder(const std::string& name);

// The listener's language from the locale settings as the C library ranks
// them (LC_ALL, then LC_MESSAGES, then LANG; an empty one counts as unset):
// the first set one decides, by its first two letters ("de_AT.UTF-8" is
// "de"). A locale without a build, or none at all, gives the first language.
const knownLanguage& languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang);

// The codes joined for a message: "fr, de or en".
std::string languageCodeList();

// The folder names joined the same way: "french, german or english".
std::string languageFolderList();

}  // namespace postsift::host
