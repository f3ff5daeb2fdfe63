#pragma once
#include <string>

namespace postsift::bench {

// The language whose built-in table, phrases and words for dates the
// filters made inside this program use, as each plug-in has its own built
// in: a program that times the filter's stages one by one must run them as
// that language's plug-in would. Until a language is chosen, the first one
// built. False, with nothing changed, for a folder name ("french") that
// names no built language.
bool chooseLanguage(const std::string& folder);

}  // namespace postsift::bench
