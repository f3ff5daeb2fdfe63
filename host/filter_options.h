#pragma once
#include <string>
#include <vector>

#include "text_encoding.h"

namespace postsift::host {

// One --set or --unset, applied to the filter in command-line order.
struct configChange {
    std::string key;
    std::string value;
    bool remove = false;
};

// A message file, a mailbox, or standard input ("-").
struct inputSource {
    std::string path;
    bool mailbox = false;
    bool report = false;  // --report: a folder of messages, or a mailbox
};

// --register and --unregister: the plug-in's own DllRegisterServer or
// DllUnregisterServer, instead of filtering.
enum class registrationAction { none, registerPlugin, unregisterPlugin };

struct filterOptions {
    std::string language;    // a known code; empty: the locale's language
    std::string pluginPath;  // empty: the language's plug-in beside the program
    std::string configPath;  // --config: read instead of the postsift.cfg beside the plug-in
    bool builtIns = false;   // --built-ins: no postsift.cfg at all
    bool bare = false;
    bool inactive = false;
    std::vector<configChange> changes;
    std::vector<inputSource> inputs;
    std::string separator;  // the line between two messages' outputs
    inputEncoding encoding = inputEncoding::automatic;
    bool raw = false;
    bool echo = false;
    bool quiet = false;
    bool speak = false;
    std::string wavPath;
    bool report = false;  // judge what each message loses instead of printing it
    bool help = false;
    bool version = false;
    registrationAction registration = registrationAction::none;
    std::string registrationLanguage;  // the code of the language to register
};

// Reads the command line. False, with `error` set, for anything the user
// must correct: an unknown option, a missing or malformed value.
bool parseOptions(const std::vector<std::string>& arguments, filterOptions& options, std::string& error);

// Whether the plug-in's decoding stage is on, as far as the command line
// tells: on unless the last --set of "[DECODE MIME]" gives a value without
// "true" (a --unset gives the default, on back). A postsift.cfg beside the
// plug-in may still switch it off, which the host cannot see.
bool decodingStageOn(const filterOptions& options);

// --help: the options, with the languages of the build.
std::string usageText();

}  // namespace postsift::host
