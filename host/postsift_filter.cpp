// postsift-filter: loads a postsift plug-in the way a speech engine does and
// prints what the engine would read aloud for each message.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "plugin_exports.h"

using namespace postsift;

namespace {

const char usage[] =
    "usage: postsift-filter [--language fr|de] [--plugin PATH] [FILE...]\n"
    "Filters each message FILE (standard input when none is given) through the\n"
    "plug-in and prints the text that would be read aloud.\n";

bool readWhole(std::istream& in, std::string& text) {
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
    std::string language = "fr";
    std::string pluginPath;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if ((argument == "--language" || argument == "--plugin") && i + 1 < argc) {
            (argument == "--language" ? language : pluginPath) = argv[++i];
        } else if (argument == "--help" || argument == "-h") {
            std::cout << usage;
            return 0;
        } else if (argument.size() > 1 && argument[0] == '-' && argument != "-") {
            std::cerr << "postsift-filter: unknown option " << argument << "\n" << usage;
            return 2;
        } else {
            files.push_back(argument);
        }
    }
    if (language != "fr" && language != "de") {
        std::cerr << "postsift-filter: --language takes fr or de\n";
        return 2;
    }
    if (pluginPath.empty()) {
        const char separator = platform::pluginLibrary::separator();
        pluginPath = platform::pluginLibrary::programFolder() + (language == "fr" ? "french" : "german") +
                     separator + platform::pluginLibrary::fileName();
    }

    platform::pluginLibrary library(pluginPath);
    if (!library.isLoaded()) {
        std::cerr << "postsift-filter: cannot load the plug-in: " << library.error() << "\n";
        return 1;
    }
    pluginExports api;
    std::string error;
    if (!resolveExports(library, preferredLookup(), api, error)) {
        std::cerr << "postsift-filter: " << error << "\n";
        return 1;
    }
    void* filter = nullptr;
    if (api.getObject(POSTSIFT_OBJECT_FILTER, &filter) != 1 || filter == nullptr) {
        std::cerr << "postsift-filter: the plug-in made no filter\n";
        return 1;
    }
    api.setFilter(0, filter);

    if (files.empty()) files.push_back("-");
    int status = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string text;
        bool read;
        if (files[i] == "-") {
            read = readWhole(std::cin, text);
        } else {
            std::ifstream in(files[i], std::ios::binary);
            read = in && readWhole(in, text);
        }
        if (!read) {
            std::cerr << "postsift-filter: cannot read " << files[i] << "\n";
            status = 1;
            continue;
        }
        const char* spoken = nullptr;
        api.getFilteredText(0, filter, text.c_str(), &spoken);
        std::fflush(stdout);
        if (i > 0) std::cout << "\n";
        if (spoken != nullptr) std::cout << spoken;
        std::cout << "\n";
    }
    api.deleteFilter(0, filter);
    return status;
}
