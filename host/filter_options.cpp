#include "filter_options.h"

#include "known_languages.h"

namespace postsift::host {

namespace {

const char usageStart[] =
    "usage: postsift-filter [OPTION...] [FILE...]\n"
    "\n"
    "Loads a postsift plug-in the way a speech engine does, filters each message\n"
    "through it and prints the text that would be read aloud. Without FILE, or\n"
    "for a FILE named \"-\", the message is read from standard input.\n"
    "\n"
    "Plug-in and filter:\n"
    "  --language CODE       the plug-in of this language, built beside this\n"
    "                        program; also the voice of --speak and --wav.\n"
    "                        Without it, the language of the locale (LC_ALL,\n"
    "                        LC_MESSAGES, LANG), else the first one below:\n";

const char usageEnd[] =
    "  --plugin PATH         load this plug-in file instead\n"
    "  --config FILE         the plug-in reads FILE as its configuration instead\n"
    "                        of the postsift.cfg beside it\n"
    "  --built-ins           the plug-in reads no configuration file: its\n"
    "                        built-in entries alone\n"
    "  --bare                create the filter with _zelNewFilter (no built-in\n"
    "                        entries, no postsift.cfg) instead of getObject\n"
    "  --inactive            leave the filter switched off: texts pass through\n"
    "  --set KEY=VALUE       add or replace a configuration entry (repeatable,\n"
    "                        applied in order with --unset); KEY ends at the\n"
    "                        first '=' after its first character\n"
    "  --unset KEY           remove a configuration entry; a bracketed name such\n"
    "                        as [BODY] must be removed before it is set anew\n"
    "\n"
    "Input:\n"
    "  --mbox FILE           a mailbox in mbox format: each message in turn\n"
    "                        (\"-\" reads the mailbox from standard input)\n"
    "  --input-encoding utf-8|windows-1252\n"
    "                        how to read --set values (default: UTF-8 when the\n"
    "                        bytes are valid UTF-8, else Windows-1252) and\n"
    "                        messages (default: as they declare, for the\n"
    "                        plug-in to decode; undeclared valid UTF-8 as UTF-8)\n"
    "\n"
    "Reading report:\n"
    "  --report DIR_OR_MBOX  judge instead of printing: read every message of a\n"
    "                        folder (and the folders in it) or of a mailbox\n"
    "                        with the language's shipped configuration (the\n"
    "                        postsift.cfg beside the plug-in; in a build tree\n"
    "                        the shipped.cfg that the build keeps there), or\n"
    "                        --config, --built-ins; print for each message what\n"
    "                        it lost (a body not read, lines of six words or\n"
    "                        more and \"Word:\" lines of its own text not heard)\n"
    "                        and the raw links, HTML tags, entities and encoded\n"
    "                        words that were read out, then a summary line.\n"
    "                        Repeatable; exits 0 whatever it finds\n"
    "\n"
    "Output:\n"
    "  --separator TEXT      the line written between two messages (default: an\n"
    "                        empty line)\n"
    "  --raw                 write the plug-in's own Windows-1252 bytes, not UTF-8\n"
    "  --echo                show on standard error the stray bytes that the\n"
    "                        plug-in writes to standard output (dropped otherwise)\n"
    "  --quiet               no progress line\n"
    "  --speak               also speak the text with eSpeak NG (espeak-ng)\n"
    "  --wav FILE            also write the speech to a WAV file with eSpeak NG\n"
    "  --version             show the plug-in's version, this program's, the\n"
    "                        language and the plug-in file\n"
    "  --help                show this text\n"
    "\n"
    "Registration (an engine loads the one plug-in registered, the last one):\n"
    "  --register LANGUAGE   register the plug-in of LANGUAGE (a code as above,\n"
    "                        or its folder: french) through its own\n"
    "                        DllRegisterServer; needs the right to write the\n"
    "                        settings (on Windows: an administrator)\n"
    "  --unregister LANGUAGE remove the registration, whichever plug-in it\n"
    "                        names, through this one's DllUnregisterServer\n"
    "\n"
    "Options that take a value accept --option VALUE and --option=VALUE;\n"
    "\"--\" ends the options.\n"
    "\n"
    "Exit status: 0 when every message was filtered; 1 when an input could not\n"
    "be read, or the plug-in or eSpeak NG failed or refused a change or a\n"
    "registration; 2 for a wrong command line.\n"
    "\n"
    "Examples:\n"
    "  postsift-filter message.eml\n"
    "  postsift-filter --config my-postsift.cfg message.eml\n"
    "  postsift-filter --language de --mbox Posteingang.mbox\n"
    "  postsift-filter --set \"[INCLUDE FORWARDED TEXT]=true\" reply.eml\n"
    "  postsift-filter --unset \"[BODY]\" --set \"[BODY]=Nachricht:\" --language de mail.eml\n"
    "  postsift-filter --inactive --raw message.eml | od -c\n"
    "  postsift-filter --wav message.wav message.eml\n"
    "  postsift-filter --register german\n"
    "  postsift-filter --language en --report ~/mail/cur\n";

std::string lowered(const std::string& text) {
    std::string out = text;
    // ASCII letters only: the names compared are ASCII, and the locale's
    // notion of case must not decide.
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

std::string usageText() {
    std::string text = usageStart;
    for (const knownLanguage& language : knownLanguages())
        text += std::string("                          ") + language.code + "  " + language.name + "\n";
    return text + usageEnd;
}

namespace {

bool parseEncoding(const std::string& name, inputEncoding& encoding) {
    const std::string folded = lowered(name);
    if (folded == "utf-8" || folded == "utf8") {
        encoding = inputEncoding::utf8;
    } else if (folded == "windows-1252" || folded == "cp1252") {
        encoding = inputEncoding::windows1252;
    } else {
        return false;
    }
    return true;
}

// KEY=VALUE; the key is never empty, so that keys such as "=)" can be set.
bool parseChange(const std::string& text, configChange& change) {
    const std::size_t equals = text.find('=', 1);
    if (text.empty() || equals == std::string::npos) return false;
    change.key = text.substr(0, equals);
    change.value = text.substr(equals + 1);
    return true;
}

const char* const valueOptions[] = {"--language",  "--plugin", "--config",   "--set",
                                    "--unset",     "--mbox",   "--input-encoding", "--separator",
                                    "--wav",       "--register", "--unregister", "--report"};

bool takesValue(const std::string& name) {
    for (const char* option : valueOptions) {
        if (name == option) return true;
    }
    return false;
}

}  // namespace

bool parseOptions(const std::vector<std::string>& arguments, filterOptions& options, std::string& error) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
            options.inputs.push_back({argument, false});
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const bool inlineValue = equals != std::string::npos && argument.compare(0, 2, "--") == 0;
        std::string value;
        if (takesValue(name)) {
            if (inlineValue) {
                value = argument.substr(equals + 1);
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else {
                error = "option " + name + " needs a value";
                return false;
            }
        } else if (inlineValue && (name == "--bare" || name == "--built-ins" || name == "--inactive" || name == "--raw" ||
                                   name == "--echo" || name == "--quiet" || name == "--speak" || name == "--help" ||
                                   name == "--version")) {
            error = "option " + name + " takes no value";
            return false;
        }

        if (name == "--language") {
            if (languageOfCode(value) == nullptr) {
                error = "--language takes " + languageCodeList() + ", not '" + value + "'";
                return false;
            }
            options.language = value;
        } else if (name == "--plugin") {
            options.pluginPath = value;
        } else if (name == "--config") {
            if (value.empty()) {
                error = "--config needs a file name";
                return false;
            }
            options.configPath = value;
        } else if (name == "--set") {
            configChange change;
            if (!parseChange(value, change)) {
                error = "--set takes KEY=VALUE, not '" + value + "'";
                return false;
            }
            options.changes.push_back(change);
        } else if (name == "--unset") {
            if (value.empty()) {
                error = "--unset needs a KEY";
                return false;
            }
            options.changes.push_back({value, std::string(), true});
        } else if (name == "--mbox") {
            options.inputs.push_back({value, true});
        } else if (name == "--report") {
            if (value.empty()) {
                error = "--report needs a folder or a mailbox";
                return false;
            }
            options.inputs.push_back({value, false, true});
            options.report = true;
        } else if (name == "--input-encoding") {
            if (!parseEncoding(value, options.encoding)) {
                error = "--input-encoding takes utf-8 or windows-1252, not '" + value + "'";
                return false;
            }
        } else if (name == "--separator") {
            options.separator = value;
        } else if (name == "--wav") {
            if (value.empty()) {
                error = "--wav needs a file name";
                return false;
            }
            options.wavPath = value;
        } else if (name == "--register" || name == "--unregister") {
            const knownLanguage* language = languageOfCodeOrFolder(value);
            if (language == nullptr) {
                error = name + " takes a language's code (" + languageCodeList() + ") or folder (" +
                        languageFolderList() + "), not '" + value + "'";
                return false;
            }
            if (options.registration != registrationAction::none) {
                error = "--register and --unregister are given once, alone";
                return false;
            }
            options.registration =
                name == "--register" ? registrationAction::registerPlugin : registrationAction::unregisterPlugin;
            options.registrationLanguage = language->code;
        } else if (argument == "--bare") {
            options.bare = true;
        } else if (argument == "--built-ins") {
            options.builtIns = true;
        } else if (argument == "--inactive") {
            options.inactive = true;
        } else if (argument == "--raw") {
            options.raw = true;
        } else if (argument == "--echo") {
            options.echo = true;
        } else if (argument == "--quiet") {
            options.quiet = true;
        } else if (argument == "--speak") {
            options.speak = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else {
            error = "unknown option " + argument;
            return false;
        }
    }
    if (options.builtIns && !options.configPath.empty()) {
        error = "--config and --built-ins exclude each other";
        return false;
    }
    if (options.report) {
        for (const inputSource& input : options.inputs) {
            if (!input.report) {
                error = "--report reads its folders and mailboxes alone: leave out FILE and --mbox";
                return false;
            }
        }
        if (options.speak || !options.wavPath.empty()) {
            error = "--report prints a report: it speaks nothing (leave out --speak and --wav)";
            return false;
        }
    }
    if (options.registration != registrationAction::none && !options.inputs.empty()) {
        error = "--register and --unregister filter no messages: leave the files out";
        return false;
    }
    return true;
}

bool decodingStageOn(const filterOptions& options) {
    bool on = true;
    for (const configChange& change : options.changes)
        if (change.key == "[DECODE MIME]") on = change.remove || change.value.find("true") != std::string::npos;
    return on;
}

}  // namespace postsift::host
