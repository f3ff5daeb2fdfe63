// Generated messages through each language's plug-in with its shipped
// configuration, compared with what the same messages gave when this test
// was recorded (messages/recorded_shipped_outputs.txt). The reading aids
// are made faster from time to time; what is said must not move while they
// are, and a few hundred messages built from every shape the rules look for
// (quotes of each style, attributions, earlier messages, forwards, digests,
// footers, disclaimers, signatures, code and logs, dates, links, signs)
// catch what the hand-written e2e texts do not reach.
//
// POSTSIFT_RECORD=FILE writes the outputs' hashes to FILE instead of
// comparing: a change that is meant to change what is said records anew.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "build_files.h"
#include "kept_plugin.h"
#include "plugin_exports.h"
#include "read_file.h"
#include "shipped_plugin.h"

using namespace postsift;

namespace {

const std::string recordedFolder = buildFile(POSTSIFT_E2E_FOLDER);
const int messageCount = 300;

// Raw generator output only: the distributions of the standard library may
// differ from one library to another, the engine's numbers do not.
class pieces {
public:
    explicit pieces(unsigned seed) : random_(seed) {}

    std::size_t below(std::size_t n) { return static_cast<std::size_t>(random_() % n); }
    bool chance(std::size_t percent) { return below(100) < percent; }
    template <std::size_t n>
    const char* pick(const char* const (&list)[n]) { return list[below(n)]; }

private:
    std::mt19937 random_;
};

const char* const senders[] = {
    "Ines Navarro <ines@example.org>", "jo.lee@example.net (Jo Lee)", "\"Moreau, Claire\" <claire@example.fr>",
    "m_ruiz@example.com", "noreply@example.com", "\"Lea Roth\" <lea.roth@example.de>", "<anne@example.org>",
};
const char* const subjects[] = {
    "Rehearsal moved", "Re: Rehearsal moved", "[Choir] Re: Re: Budget", "Fwd: printer jam", "SV: Antw: Minutes",
    "Re[2]: [Orchids] repotting", "[Fwd: greenhouse closed]", "AW: WG: Termin", "Orchid Digest, Vol 3 #42",
    "TR: Re: Rendez-vous (fwd)",
};
const char* const dates[] = {
    "Mon, 13 Jan 2003 10:00:00 +0100", "Tue, 12 Nov 0102 07:41:09 -0800", "Sat, 13 Apr 02 18:49:02 GMT+1",
    "Wed, 4 Dec 2002 04:05:38 +-0500", "Thu, 18 Jul 2002 21:16:12 Pacific Standard Time", "13 Jan 2003 10:0:5 +0100",
    "not a date at all",
};
const char* const words[] = {
    "the",  "rehearsal", "moves", "to",     "Thursday", "and",   "we",    "meet", "at",   "the",     "hall",
    "of",   "the",       "old",   "mill",   "with",     "our",   "notes", "for",  "a",    "concert", "on",
    "Sat,", "13",        "Apr",   "2002",   "--",       "'*'",   "(c)",   "mar",  "DEC",  "so,",     "le",
    "die",  "und",       "das",   "avec",   "mais",     "http://lists.example.net/listinfo/choir", "www.example.org",
};
const char* const quoteMarks[] = {"> ", ">> ", "| ", ") ", ": ", "--]", "AB> ", "#> ", "} "};
const char* const attributions[] = {
    "On Mon, 3 Mar 2003, Ines Navarro wrote:", "Jo Lee said:", "Le 3 mars 2003 12:43, vous avez \xe9" "crit :",
    "Am 14.03.2025 um 10:12 schrieb Jonas Brandt:", "2011/4/7 Nathan <n@example.com>", "Thanks! Bob wrote:",
};
const char* const separators[] = {
    "-----Original Message-----", "---------- Forwarded message ---------", "--- begin forwarded text",
    "--- end forwarded text", "-------- Message original --------", "Begin forwarded message:",
    "________________________________", "----------------------------------------------",
};
const char* const headerLines[] = {
    "From: Anna Berg [mailto:anna@example.org]", "Sent: Tuesday, March 11, 2025 9:12 AM", "To: Choir",
    "Subject: Printer jam", "Date: Tue, 11 Mar 2025 09:12:00 +0100", "*From:* Bob", "De : Marc", "Objet : Salle",
    "Von: Lena", "Betreff: Probe", "Fra: Ole", "Emne: Budget", "Cc: all", "Note: bring the scores",
};
// The fields of real mail's header that the summary does not name: most of
// them the scanner keeps nothing of, and the reading leaves those out where
// another field follows. Folded, without a blank after the colon, with
// short day names, a boundary, and the mangled envelope line that some
// fields arrive with.
const char* const otherFields[] = {
    "Received: from relay.example.net by mx.example.org;\n\tTue, 4 Mar 2003 09:15:02 +0100",
    "X-Mailer: Example Mail 2.1", "Message-ID: <42.Mar@example.org>", "X_Id:42",
    "DKIM-Signature: v=1; a=rsa-sha256; d=example.org;\n  b=QmxhaGJsYWg=", "X-Note: Lun, Mar, Dim, <http://example.org/x>",
    "Precedence: list", "MIME-Version: 1.0", "Content-Type: text/plain; charset=us-ascii",
    "Content-Type: multipart/mixed;\n boundary=\"b1\"", "Reply-To: <choir@example.net>", "To: choir@example.net",
    ">From anna@example.org  Tue Mar  4 09:15:02 2003",
};
const char* const boilerplate[] = {
    "Choir-talk mailing list", "Choir-talk@lists.example.net", "To unsubscribe, send an empty message to leave@example.net",
    "This list is sponsored by: ExampleHost - win a laptop http://ads.example.com/x",
    "This message and its attachments are confidential and may be legally privileged. If you are not the "
    "intended recipient, please delete it.",
    "Ce message et toutes les pi\xe8" "ces jointes sont confidentiels.", "Sent from my phone", "Checked for viruses by Scan",
    "You are receiving this because you signed up at www.example.com",
};
const char* const contactLines[] = {
    "Senior Technician, Soil Laboratory", "Example Institute of Agriculture", "(02) 555 0199", "Fax: +49 30 1234567",
    "http://www.example.edu/~smith", "ICQ: 123456",
};
const char* const codeLines[] = {
    "int total = add(a, b);", "    return x * (y + 1);", "}", "Mar  2 09:14:07 host kernel: wlan0: up",
    "@@ -1,3 +1,3 @@", "-old line", "+new line", "$ make install", "key = value", "0000: 4a 6f 65 20 2a 2a",
    "  at org.example.Main.run(Main.java:12)", "console.log(value, total);",
};
const char* const textDates[] = {"2002-12-25", "07/13/2001", "Tue Sep  3 10:00:00 2002", "23 janvier 2015", "13/04"};

std::string prose(pieces& p, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) text += ' ';
        text += p.chance(10) ? p.pick(textDates) : p.pick(words);
    }
    if (p.chance(70)) text += p.chance(80) ? "." : "?";
    return text;
}

// A paragraph wrapped at a random width, perhaps indented.
void paragraph(pieces& p, std::string& body) {
    const std::string text = prose(p, 5 + p.below(40));
    const std::size_t width = 20 + p.below(60);
    const std::string indent(p.chance(20) ? 2 + p.below(3) : 0, ' ');
    std::size_t column = 0;
    std::string line = indent;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ' && column > width) {
            body += line + "\n";
            line = indent;
            column = 0;
            continue;
        }
        line += text[i];
        ++column;
    }
    body += line + "\n";
}

void block(pieces& p, std::string& body) {
    switch (p.below(12)) {
        case 0: case 1: case 2: paragraph(p, body); break;
        case 3: {  // a quote in one style, perhaps under an attribution, answers between
            if (p.chance(50)) body += std::string(p.pick(attributions)) + "\n";
            const char* mark = p.pick(quoteMarks);
            for (std::size_t i = 0, n = 1 + p.below(4); i < n; ++i) body += mark + prose(p, 3 + p.below(8)) + "\n";
            if (p.chance(30)) body += std::string(mark) + "<snip>\n";
            break;
        }
        case 4: {  // an earlier or forwarded message
            if (p.chance(70)) body += std::string(p.pick(separators)) + "\n";
            for (std::size_t i = 0, n = p.below(5); i < n; ++i) body += std::string(p.pick(headerLines)) + "\n";
            body += "\n";
            paragraph(p, body);
            break;
        }
        case 5: {  // a signature or a contact block
            body += p.chance(60) ? "-- \n" : "Regards,\n";
            body += "John Smith\n";
            for (std::size_t i = 0, n = p.below(4); i < n; ++i) body += std::string(p.pick(contactLines)) + "\n";
            break;
        }
        case 6: {  // a footer under a rule
            body += "_______________________________________________\n";
            for (std::size_t i = 0, n = 1 + p.below(3); i < n; ++i) body += std::string(p.pick(boilerplate)) + "\n";
            break;
        }
        case 7: {  // code, a log, a diff
            for (std::size_t i = 0, n = 1 + p.below(6); i < n; ++i) body += std::string(p.pick(codeLines)) + "\n";
            break;
        }
        case 8: {  // a list, a digest's contents
            if (p.chance(40)) body += "Today's Topics:\n";
            for (std::size_t i = 0, n = 2 + p.below(4); i < n; ++i)
                body += (p.chance(50) ? "- " : (p.chance(50) ? "(c) " : "")) + prose(p, 2 + p.below(5)) + "\n";
            break;
        }
        case 9: {  // a digest's message
            body += "------------------------------\n\nMessage: " + std::to_string(1 + p.below(9)) +
                    "\nFrom: Lea Roth <lea@example.de>\nSubject: Repotting\n\n";
            paragraph(p, body);
            break;
        }
        case 10: body += std::string(p.pick(headerLines)) + "\n"; break;  // a lone field line
        default: body += std::string(p.pick(boilerplate)) + "\n"; break;
    }
}

std::string message(pieces& p) {
    std::vector<std::string> fields = {std::string("From: ") + p.pick(senders), std::string("Subject: ") + p.pick(subjects)};
    if (p.chance(80)) fields.push_back(std::string("Date: ") + p.pick(dates));
    if (p.chance(30)) fields.push_back("List-Id: Choir talk <choir-talk.lists.example.net>");
    // Other fields anywhere among them, the first and the last place too.
    for (std::size_t i = 0, n = p.below(6); i < n; ++i)
        fields.insert(fields.begin() + static_cast<std::ptrdiff_t>(p.below(fields.size() + 1)), p.pick(otherFields));
    std::string text;
    for (const std::string& field : fields) text += field + "\n";
    text += "\n";
    for (std::size_t i = 0, n = 1 + p.below(7); i < n; ++i) {
        block(p, text);
        if (p.chance(70)) text += "\n";
    }
    if (p.chance(25)) {  // the same with CR LF line ends
        std::string crlf;
        for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        text = crlf;
    }
    return text;
}

std::uint64_t fnv1a(const char* text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char* p = text; *p != '\0'; ++p) {
        hash ^= static_cast<unsigned char>(*p);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string said(const pluginExports& api, const std::string& text) {
    void* filter = nullptr;
    if (api.getObject(POSTSIFT_OBJECT_FILTER, &filter) != 1 || filter == nullptr) return "no filter";
    std::string result = "failed";
    const char* spoken = nullptr;
    if (api.setFilter(0, filter) == 0 && api.getFilteredText(0, filter, text.c_str(), &spoken) == 0) {
        char hash[32];
        std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(fnv1a(spoken != nullptr ? spoken : "")));
        result = spoken != nullptr ? hash : "null";
    }
    api.deleteFilter(0, filter);
    return result;
}

std::vector<std::string> recordedLanguages() {
    std::string text;
    std::vector<std::string> found;
    if (!readFile(recordedFolder + "/languages.txt", text)) return found;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) found.push_back(line);
    return found;
}

}  // namespace

TEST(RecordedOutputs, TheShippedConfigurationsSayWhatTheySaid) {
    // "LANGUAGE INDEX HASH" per message, as recorded.
    std::map<std::string, std::string> recorded;
    std::string text;
    const char* record = std::getenv("POSTSIFT_RECORD");
    if (record == nullptr) {
        ASSERT_TRUE(readFile(recordedFolder + "/recorded_shipped_outputs.txt", text));
        std::istringstream lines(text);
        for (std::string language, index, hash; lines >> language >> index >> hash;) recorded[language + " " + index] = hash;
    }
    std::ofstream out;
    if (record != nullptr) out.open(record, std::ios::binary);
    ASSERT_FALSE(recordedLanguages().empty());
    for (const std::string& language : recordedLanguages()) {
        std::string error;
        const pluginExports* api = keptPlugin(pluginPath(recordedFolder, language, true), error);
        ASSERT_NE(api, nullptr) << error;
        pieces p(20261209);
        int differ = 0;
        for (int i = 0; i < messageCount; ++i) {
            const std::string text = message(p);
            const std::string hash = said(*api, text);
            const std::string key = language + " " + std::to_string(i);
            if (record != nullptr) {
                out << key << ' ' << hash << '\n';
            } else if (recorded[key] != hash && ++differ <= 3) {
                ADD_FAILURE() << key << " says something else than when recorded; the message:\n" << text;
            }
        }
        EXPECT_EQ(differ, 0) << language << ": messages that say something else than when recorded";
    }
}
