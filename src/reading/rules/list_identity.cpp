#include "reading/rules/list_identity.h"

#include <algorithm>
#include <cstring>

#include "reading/rules/boilerplate_words.h"
#include "support/ascii.h"

namespace postsift {

namespace {

// A header can be built to be huge: what is kept of it is bounded.
const std::size_t longestValue = 2048;
// No host, list name or description is longer.
const std::size_t longestName = 100;

// The suffixes and prefix by which a list's own addresses differ from its
// posting address: "choir-talk-request@", "owner-choir-talk@".
const std::string_view addressSuffixes[] = {"-request", "-bounces", "-admin", "-owner", "-unsubscribe",
                                            "-subscribe", "-help", "-post", "-join", "-leave"};

// What a byte is to the names, hosts and links of a list's fields, as
// bits: one lookup a byte, as the fields' values are walked byte by byte.
enum : unsigned char { byteOfName = 1, byteOfHost = 2, byteBetweenLinks = 4 };
constexpr byteTable<unsigned char> listBytes = tableOfBytes<unsigned char>([](unsigned char c) {
    const bool name = isWordByte(c) || c == '-' || c == '_';
    unsigned kind = name ? byteOfName | byteOfHost : 0;
    if (c == '.') kind |= byteOfHost;
    // What stands between the links and addresses of a list's field (a
    // NUL byte too).
    switch (c) {
        case ' ': case '\t': case '<': case '>': case ',': case ';':
        case '"': case '\'': case '(': case ')': case '\0':
            kind |= byteBetweenLinks;
            break;
        default: break;
    }
    return kind;
});

bool isNameByte(char c) { return (listBytes.of[static_cast<unsigned char>(c)] & byteOfName) != 0; }
bool isHostByte(char c) { return (listBytes.of[static_cast<unsigned char>(c)] & byteOfHost) != 0; }
bool isLinkSeparator(char c) { return (listBytes.of[static_cast<unsigned char>(c)] & byteBetweenLinks) != 0; }

std::string_view trimmed(std::string_view text) {
    const char* end = text.data() + text.size();
    const char* begin = skipBlanks(text.data(), end);
    return std::string_view(begin, static_cast<std::size_t>(trimBlanks(begin, end) - begin));
}

// The byte whose folded form each byte is: the capital of a lower-case
// letter (accented ones too), any other byte itself.
constexpr byteTable<unsigned char> upperOf = [] {
    byteTable<unsigned char> table{};
    for (int c = 0; c < 256; ++c) table.of[c] = static_cast<unsigned char>(c);
    for (int c = 0; c < 256; ++c)
        if (foldedBytes.of[c] != c) table.of[foldedBytes.of[c]] = static_cast<unsigned char>(c);
    return table;
}();

bool startsWithFolded(std::string_view text, const char* lowerLiteral) {
    return postsift::startsWithFolded(text.data(), text.data() + text.size(), lowerLiteral);
}

// Whether the text ends with a lower-case suffix, in either case, and holds
// more than it.
bool endsWithFolded(std::string_view text, std::string_view suffix) {
    // Most end otherwise, which their last byte tells.
    if (text.size() <= suffix.size() || foldedByte(text.back()) != static_cast<unsigned char>(suffix.back()))
        return false;
    for (std::size_t i = 0, from = text.size() - suffix.size(); i < suffix.size(); ++i)
        if (foldedByte(text[from + i]) != static_cast<unsigned char>(suffix[i])) return false;
    return true;
}

// Where a lower-case literal first stands in the text, in either case.
std::size_t findFolded(std::string_view text, const char* lowerLiteral) {
    const char* at = postsift::findFolded(text.data(), text.data() + text.size(), lowerLiteral);
    return at != nullptr ? static_cast<std::size_t>(at - text.data()) : std::string_view::npos;
}

bool holdsFolded(std::string_view text, const char* lowerLiteral) {
    return findFolded(text, lowerLiteral) != std::string_view::npos;
}

// How common each byte is in text, 0 for the rarest (any byte not listed).
constexpr byteTable<unsigned char> commonness = [] {
    byteTable<unsigned char> table{};
    const char common[] = ",.bywgpfmucdlhrsnioate ";  // the most common last
    for (int i = 0; common[i] != '\0'; ++i) table.of[static_cast<unsigned char>(common[i])] = static_cast<unsigned char>(i + 1);
    return table;
}();

// Where in `needle` its rarest byte is (the first of the rarest).
std::size_t rarestAt(std::string_view needle) {
    std::size_t rarest = 0;
    for (std::size_t i = 1; i < needle.size(); ++i)
        if (commonness.of[static_cast<unsigned char>(needle[i])] < commonness.of[static_cast<unsigned char>(needle[rarest])])
            rarest = i;
    return rarest;
}

// Where `needle` is first found in `text` from `from` on, as text.find
// finds it; looked for at its rarest byte, `rare` in it, which stands in
// fewer places of a line than its first.
std::size_t findAt(std::string_view text, std::string_view needle, std::size_t rare, std::size_t from) {
    const std::size_t after = needle.size() - rare;  // the needle's bytes from its rarest on
    for (std::size_t p = from + rare; p + after <= text.size();) {
        const void* hit = std::memchr(text.data() + p, needle[rare], text.size() - after - p + 1);
        if (hit == nullptr) break;
        const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) - rare;
        if (std::memcmp(text.data() + at, needle.data(), needle.size()) == 0) return at;
        p = at + rare + 1;
    }
    return std::string_view::npos;
}

// Whether `needle` (its rarest byte at `rare`) stands in `text` on its own:
// not inside a longer name. A host may follow a dot ("lists.example.net"
// names "example.net").
bool standsIn(std::string_view text, std::string_view needle, std::size_t rare, bool host) {
    for (std::size_t at = findAt(text, needle, rare, 0); at != std::string_view::npos;
         at = findAt(text, needle, rare, at + 1)) {
        const bool before = at == 0 || !isNameByte(text[at - 1]) || (host && text[at - 1] == '.');
        const std::size_t end = at + needle.size();
        const bool dotWord = end + 1 < text.size() && text[end] == '.' && isNameByte(text[end + 1]);
        const bool after = end == text.size() || (!isNameByte(text[end]) && !dotWord);
        if (before && after) return true;
    }
    return false;
}

}  // namespace

listIdentity::field listIdentity::fieldOf(const char* name, const char* end) {
    struct namedField {
        std::string_view name;  // folded, with its colon
        field kind;
    };
    static constexpr namedField fields[] = {
        {"list-id:", field::listId},         {"list-post:", field::listLinks},      {"list-unsubscribe:", field::listLinks},
        {"list-archive:", field::listLinks}, {"list-help:", field::listLinks},      {"list-subscribe:", field::listLinks},
        {"list-owner:", field::listLinks},   {"mailing-list:", field::listLinks},   {"x-mailing-list:", field::listLinks},
        {"sender:", field::sender},          {"precedence:", field::precedence},
    };
    // Most header lines are none of these, which their length and first
    // letter tell at one lookup; a length is that of two of them at most,
    // which are compared.
    struct ofLength {
        unsigned char count = 0;
        unsigned char at[2] = {};
        std::uint32_t firsts = 0;  // their first bytes' low five bits, a bit each
    };
    struct lengthTable {
        ofLength of[32];
    };
    static constexpr lengthTable byLength = [] {
        lengthTable table{};
        for (std::size_t i = 0; i < sizeof fields / sizeof fields[0]; ++i) {
            ofLength& same = table.of[fields[i].name.size()];
            if (same.count < 2) same.at[same.count] = static_cast<unsigned char>(i);
            ++same.count;
            same.firsts |= std::uint32_t{1} << (fields[i].name[0] & 31);
        }
        return table;
    }();
    static_assert(
        [] {
            for (const ofLength& same : byLength.of)
                if (same.count > 2) return false;
            return true;
        }(),
        "two fields of a length at most");
    const std::size_t length = static_cast<std::size_t>(end - name);
    if (length >= 32) return field::none;
    const ofLength& same = byLength.of[length];
    if ((same.firsts >> (foldedByte(*name) & 31) & 1) == 0) return field::none;
    for (unsigned i = 0; i < same.count; ++i) {
        const namedField& f = fields[same.at[i]];
        if (foldedByte(*name) == static_cast<unsigned char>(f.name[0]) && startsWithFolded(name, end, f.name.data()))
            return f.kind;
    }
    return field::none;
}

void listIdentity::observe(const lineFacts& line) {
    if (line.folded) {
        if (current_ == field::none) return;
        // A value that goes on in a folded line is copied to be joined.
        if (!joined_) {
            value_.assign(valueBegin_, valueEnd_);
            joined_ = true;
        }
        if (value_.size() < longestValue) {
            value_ += ' ';
            value_.append(skipBlanks(line.line.begin, line.line.end), line.line.end);
        }
        return;
    }
    finish();
    if (line.keywordEnd == nullptr) return;
    current_ = fieldOf(line.keyword, line.keywordEnd);
    if (current_ != field::none) {
        // Read where it stands in the text, unless a folded line follows.
        valueBegin_ = line.keywordEnd;
        valueEnd_ = valueBegin_ + std::min<std::size_t>(static_cast<std::size_t>(line.line.end - valueBegin_), longestValue);
        joined_ = false;
    }
}

void listIdentity::finish() {
    if (current_ != field::none)
        read(current_, joined_ ? std::string_view(value_)
                               : std::string_view(valueBegin_, static_cast<std::size_t>(valueEnd_ - valueBegin_)));
    current_ = field::none;
    value_.clear();
}

// The values are read as they stand, in either case: the bytes that part
// their links, hosts and names are no letters, so they stand where they
// would in the folded value. Only what is kept is folded, as it is copied.
void listIdentity::read(field kind, std::string_view value) {
    switch (kind) {
        case field::none: return;
        case field::precedence:
            if (holdsFolded(value, "list") || holdsFolded(value, "bulk")) listPrecedence_ = true;
            return;
        case field::sender: {
            // A list's own address ("choir-talk-bounces@"), or any address
            // when the message came as a list's (Precedence above it).
            const std::size_t at = value.find('@');
            if (at == std::string_view::npos) return;
            std::size_t begin = at;
            while (begin > 0 && isHostByte(value[begin - 1])) --begin;
            std::size_t end = at + 1;
            while (end < value.size() && isHostByte(value[end])) ++end;
            const std::string_view address = value.substr(begin, end - begin);
            const std::string_view local = address.substr(0, at - begin);
            bool listShaped = startsWithFolded(local, "owner-");
            for (const std::string_view suffix : addressSuffixes) listShaped = listShaped || endsWithFolded(local, suffix);
            if (listShaped || listPrecedence_) addAddress(address);
            return;
        }
        case field::listId: {
            // "Description <name.host>", or the identifier alone.
            const std::size_t open = value.find('<');
            const std::size_t close = open == std::string_view::npos ? std::string_view::npos : value.find('>', open);
            const std::string_view id =
                trimmed(open == std::string_view::npos ? value : value.substr(open + 1, close - open - 1));
            const std::size_t dot = id.find('.');
            if (dot != std::string_view::npos) {
                addName(id.substr(0, dot));
                addHost(id.substr(dot + 1));
            }
            if (open != std::string_view::npos && descriptions_.count < mostOfEach) {
                // Written where it is kept, without its quotes, and let go
                // again unless it is kept.
                const std::size_t from = keptEnd();
                for (const char c : trimmed(value.substr(0, open)))
                    if (c != '"') kept_ += static_cast<char>(foldedByte(c));
                const std::string_view description = std::string_view(kept_).substr(from);
                // One word alone ("Choir") is too common to name a list by.
                if (description.find(' ') != std::string_view::npos && description.size() <= longestName)
                    keep(descriptions_, from);
                else
                    kept_.resize(from);
            }
            return;
        }
        case field::listLinks: break;
    }
    // Links and addresses, each in angle brackets or between separators.
    std::size_t p = 0;
    while (p < value.size()) {
        while (p < value.size() && isLinkSeparator(value[p])) ++p;
        std::size_t end = p;
        while (end < value.size() && !isLinkSeparator(value[end])) ++end;
        std::string_view token = value.substr(p, end - p);
        p = end;
        if (startsWithFolded(token, "mailto:")) {
            const std::size_t query = token.find('?');
            token = token.substr(7, query == std::string_view::npos ? std::string_view::npos : query - 7);
            addAddress(token);
            continue;
        }
        const std::size_t scheme = token.find("://");
        if (scheme != std::string_view::npos) {
            const std::size_t hostBegin = scheme + 3;
            std::size_t hostEnd = hostBegin;
            while (hostEnd < token.size() && isHostByte(token[hostEnd])) ++hostEnd;
            addHost(token.substr(hostBegin, hostEnd - hostBegin));
            const std::size_t info = findFolded(token, "/listinfo/");
            if (info != std::string_view::npos) {
                std::size_t nameEnd = info + 10;
                while (nameEnd < token.size() && isNameByte(token[nameEnd])) ++nameEnd;
                addName(token.substr(info + 10, nameEnd - info - 10));
            }
            continue;
        }
        if (token.find('@') != std::string_view::npos) addAddress(token);
    }
}

void listIdentity::addAddress(std::string_view address) {
    const std::size_t at = address.find('@');
    if (at == std::string_view::npos) return;
    addHost(address.substr(at + 1));
    std::string_view local = address.substr(0, at);
    if (startsWithFolded(local, "owner-")) local.remove_prefix(6);
    for (const std::string_view suffix : addressSuffixes)
        if (endsWithFolded(local, suffix)) local.remove_suffix(suffix.size());
    addName(local);
}

void listIdentity::addHost(std::string_view host) {
    while (!host.empty() && host.back() == '.') host.remove_suffix(1);
    if (startsWithFolded(host, "www.")) host.remove_prefix(4);
    if (host.size() < 4 || host.size() > longestName || host.find('.') == std::string_view::npos ||
        hosts_.count >= mostOfEach)
        return;
    keepFolded(hosts_, host);
}

void listIdentity::addName(std::string_view name) {
    if (name.size() < 3 || name.size() > longestName || names_.count >= mostOfEach) return;
    for (char c : name)
        if (!isNameByte(c) && c != '.') return;
    keepFolded(names_, name);
}

void listIdentity::keepFolded(keptList& list, std::string_view text) {
    // Most are named again by the fields after the first (the list's
    // address in each of its links): folded aside, and compared there.
    char folded[longestName];
    const std::size_t length = std::min(text.size(), longestName);
    for (std::size_t i = 0; i < length; ++i) folded[i] = static_cast<char>(foldedByte(text[i]));
    if (holds(list, std::string_view(folded, length))) return;
    const std::size_t from = keptEnd();
    kept_.append(folded, length);
    keep(list, from);
}

bool listIdentity::holds(const keptList& list, std::string_view text) const {
    for (std::size_t i = 0; i < list.count; ++i)
        if (textOf(list.items[i]) == text) return true;
    return false;
}

std::size_t listIdentity::keptEnd() {
    // Room for what a list's fields name, made at once.
    if (kept_.empty()) kept_.reserve(256);
    return kept_.size();
}

void listIdentity::keep(keptList& list, std::size_t from) {
    static_assert(3 * mostOfEach * longestName < 0xFFFF, "what is kept is told apart by 16 bits");
    static_assert(3 * mostOfEach <= mostPairs, "a pair for each host, name and description kept");
    keptText& kept = list.items[list.count++];
    kept.at = static_cast<std::uint16_t>(from);
    kept.length = static_cast<std::uint16_t>(kept_.size() - from);
    const std::string_view needle = textOf(kept);
    const std::size_t rarest = rarestAt(needle);
    kept.rare = static_cast<std::uint16_t>(rarest);
    if (needle.size() < 2) return;
    // It is looked for by the pair that begins at its rarest byte, or ends
    // there at its end.
    const std::size_t at = rarest + 1 < needle.size() ? rarest : rarest - 1;
    const unsigned pair = static_cast<unsigned>(static_cast<unsigned char>(needle[at])) << 8 |
                          static_cast<unsigned char>(needle[at + 1]);
    unsigned* const pairsEnd = rarePairs_ + pairCount_;
    if (std::find(rarePairs_, pairsEnd, pair) == pairsEnd && pairCount_ < mostPairs) rarePairs_[pairCount_++] = pair;
    const unsigned char first = static_cast<unsigned char>(needle[at]);
    pairStarts_[first] = true;
    pairStarts_[first == ' ' ? '\t' : upperOf.of[first]] = true;
}

namespace {

// The first byte of a pair in either case (a blank may stand for a tab);
// the second folded.
bool pairAt(const char* p, unsigned pair) {
    const char first = static_cast<char>(pair >> 8);
    const char other = first == ' ' ? '\t' : static_cast<char>(upperOf.of[static_cast<unsigned char>(first)]);
    if (p[0] != first && p[0] != other) return false;
    const unsigned char next = foldedByte(p[1]);
    return (next == '\t' ? ' ' : next) == (pair & 0xff);
}

}  // namespace

bool listIdentity::mayBeNamedIn(const char* begin, const char* end) const {
    if (end - begin < 2) return false;
    // One walk over the line for the first bytes of all pairs, four bytes
    // a round: they are rare bytes, and where one stands the pairs are
    // compared.
    const char* const last = end - 1;  // where no pair begins
    const auto starts = [this](const char* p) { return pairStarts_[static_cast<unsigned char>(*p)]; };
    const auto pairsAt = [this](const char* p) {
        for (std::size_t i = 0; i < pairCount_; ++i)
            if (pairAt(p, rarePairs_[i])) return true;
        return false;
    };
    const char* p = begin;
    for (; last - p >= 4; p += 4) {
        if (!(starts(p) | starts(p + 1) | starts(p + 2) | starts(p + 3))) continue;
        for (int i = 0; i < 4; ++i)
            if (starts(p + i) && pairsAt(p + i)) return true;
    }
    for (; p < last; ++p)
        if (starts(p) && pairsAt(p)) return true;
    return false;
}

bool listIdentity::hostIn(std::string_view text) const {
    for (std::size_t i = 0; i < hosts_.count; ++i)
        if (standsIn(text, textOf(hosts_.items[i]), hosts_.items[i].rare, true)) return true;
    return false;
}

bool listIdentity::linksOnlyToList(std::string_view text) const {
    // A link or an address is a word that holds "://" or '@', or begins
    // with "www.": such words are found from those marks, which few words
    // hold. A word with two marks is looked at twice, which changes nothing.
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    // The word around `mark`, and whether it is the list's; `after` is set
    // to its end.
    const auto toList = [&](const char* mark, const char*& after) {
        const char* wordBegin = mark;
        while (wordBegin > begin && !isBlank(wordBegin[-1])) --wordBegin;
        after = mark;
        while (after < end && !isBlank(*after)) ++after;
        return hostIn(std::string_view(wordBegin, static_cast<std::size_t>(after - wordBegin)));
    };
    const auto marksToList = [&](char byte, auto isMark) {
        for (const char* p = begin; (p = static_cast<const char*>(std::memchr(p, byte, static_cast<std::size_t>(end - p)))) != nullptr;) {
            if (!isMark(p)) {
                ++p;
            } else if (!toList(p, p)) {
                return false;
            }
        }
        return true;
    };
    return marksToList(':', [end](const char* p) { return end - p >= 3 && p[1] == '/' && p[2] == '/'; }) &&
           marksToList('@', [](const char*) { return true; }) &&
           marksToList('w', [begin, end](const char* p) {
               return (p == begin || isBlank(p[-1])) && end - p >= 4 && p[1] == 'w' && p[2] == 'w' && p[3] == '.';
           });
}

bool listIdentity::nameIn(std::string_view text) const {
    for (std::size_t i = 0; i < names_.count; ++i)
        if (standsIn(text, textOf(names_.items[i]), names_.items[i].rare, false)) return true;
    for (std::size_t i = 0; i < descriptions_.count; ++i)
        if (findAt(text, textOf(descriptions_.items[i]), descriptions_.items[i].rare, 0) != std::string_view::npos)
            return true;
    return false;
}

}  // namespace postsift
