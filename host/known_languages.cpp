#include "known_languages.h"

#include <cctype>

namespace postsift::host {

const knownLanguage* languageOfCode(const std::string& code) {
    for (const knownLanguage& language : knownLanguages())
        if (code == language.code) return &language;
    return nullptr;
}

const knownLanguage& languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* setting : {lcAll, lcMessages, lang}) {
        if (setting == nullptr || *setting == '\0') continue;
        std::string code;
        for (const char* c = setting; *c != '\0' && code.size() < 2 && std::isalpha(static_cast<unsigned char>(*c)); ++c)
            code += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
        // "C", "POSIX" and languages without a build fall back alike.
        const knownLanguage* found = code.size() == 2 && !std::isalpha(static_cast<unsigned char>(setting[2]))
                                         ? languageOfCode(code)
                                         : nullptr;
        return found != nullptr ? *found : knownLanguages().front();
    }
    return knownLanguages().front();
}

std::string languageCodeList() {
    const std::vector<knownLanguage>& languages = knownLanguages();
    std::string list;
    for (std::size_t i = 0; i < languages.size(); ++i) {
        if (i > 0) list += i + 1 == languages.size() ? " or " : ", ";
        list += languages[i].code;
    }
    return list;
}

}  // namespace postsift::host
