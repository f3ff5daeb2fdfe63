// The configuration file reader, as a plug-in meets it: a postsift.cfg beside
// a copy of the plug-in, read when getObject makes a filter, which then
// filters a message or two.
//
// Input: a flags byte (bit 0 German, bit 1 a second message, bit 2 the file
// runs to the end of the input and the sample message below is filtered),
// then the file up to the first NUL byte, then the messages cut at NUL bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "loaded_plugin.h"

namespace {

const char copyFolder[] = "config-fuzz-plugins";

const char sampleMessage[] =
    "From: Camille Morel <camille.morel@exemple.fr>\n"
    "Date: Mon, 13 Jan 2003 10:00:00 +0100\n"
    "Subject: Re: Rendez-vous\n"
    "Content-Type: text/plain; charset=us-ascii\n"
    "\n"
    "Bonjour, lundi :-) et Lun, Tues, Cordialement\n"
    "> Le 12 janv. 2003, Anne a ecrit :\n"
    "> From: Anne <a@b.fr>\n"
    "-----Original Message-----\n"
    "From: Anne <anne@exemple.fr>\n"
    "Subject: Rendez-vous\n"
    "\n"
    "Texte transfere.\n";

volatile std::size_t spokenLength = 0;

void writeConfig(bool german, const std::string& contents) {
    const std::string path = std::string(copyFolder) + (german ? "/german" : "/french") + "/postsift.cfg";
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << contents;
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    silenceStandardOutput();
    builtPlugin(false, copyFolder);
    builtPlugin(true, copyFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzInput input(data, size);
    const unsigned flags = input.byte();
    const bool german = (flags & 1u) != 0;
    const bool wholeFile = (flags & 4u) != 0;
    writeConfig(german, wholeFile ? input.rest() : input.text());
    std::vector<std::string> messages = wholeFile ? std::vector<std::string>{} : input.pieces();
    if (messages.empty() || (messages.size() == 1 && messages[0].empty())) messages = {sampleMessage};

    const postsift::pluginExports& api = builtPlugin(german, copyFolder).api;
    void* filter = nullptr;
    if (api.getObject(POSTSIFT_OBJECT_FILTER, &filter) != 1 || filter == nullptr) std::abort();
    api.setFilter(0, filter);
    const std::size_t count = (flags & 2u) != 0 ? 2 : 1;
    for (std::size_t i = 0; i < count; ++i) {
        const char* spoken = nullptr;
        api.getFilteredText(0, filter, messages[i % messages.size()].c_str(), &spoken);
        if (spoken != nullptr) spokenLength = std::strlen(spoken);
    }
    api.deleteFilter(0, filter);
    return 0;
}
