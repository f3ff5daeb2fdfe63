#include "reading/rules/code_shape.h"

#include <cstring>

#include "reading/lines/byte_set.h"
#include "support/ascii.h"

namespace postsift {

namespace {

inline unsigned char byteAt(const char* p) { return static_cast<unsigned char>(*p); }

bool isNameByte(unsigned char c) { return isAsciiLetter(c) || isAsciiDigit(c) || c == '_'; }

bool isHexDigit(unsigned char c) {
    return isAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Letters of Windows-1252 beyond ASCII: the accented capitals and small
// letters (but for the multiplication and division signs).
bool isLetterByte(unsigned char c) { return isAsciiLetter(c) || (c >= 0xc0 && c != 0xd7 && c != 0xf7); }

// The signs that programs are written with and sentences hardly hold (a
// line's facts say whether it holds one), and of them those that prose has
// no use for.
constexpr byteSet codeSigns("{}[]()<>;=$\\|&^~`#");
constexpr byteSet strongSigns("{}[]<>=$\\|^~`#");

bool startsWith(const char* from, const char* to, const char* literal) {
    const std::size_t length = std::strlen(literal);
    return static_cast<std::size_t>(to - from) >= length && std::memcmp(from, literal, length) == 0;
}

bool contains(const char* from, const char* to, const char* literal) {
    const std::size_t length = std::strlen(literal);
    for (const char* p = from; static_cast<std::size_t>(to - p) >= length; ++p) {
        p = static_cast<const char*>(std::memchr(p, *literal, static_cast<std::size_t>(to - p) - length + 1));
        if (p == nullptr) return false;
        if (std::memcmp(p, literal, length) == 0) return true;
    }
    return false;
}

// A word whose signs say nothing of code: a link, a mail address, an
// emoticon.
bool isLinkOrAddress(const textWord& w) {
    const unsigned char first = foldedByte(*w.begin);
    if ((first == 'w' && startsWithFolded(w.begin, w.end, "www.")) ||
        (first == '<' && startsWithFolded(w.begin, w.end, "<www.")) ||
        (first == 'm' && startsWithFolded(w.begin, w.end, "mailto:")))
        return true;
    // "://" anywhere; an '@' after the first byte, and a '.' after it.
    static constexpr byteSet marks(":@");
    const char* at = nullptr;
    for (const char* p = w.begin; p < w.end; ++p) {
        if (!marks(*p)) continue;
        if (*p == ':' && w.end - p >= 3 && p[1] == '/' && p[2] == '/') return true;
        if (*p == '@' && at == nullptr) at = p;
    }
    return at != nullptr && at > w.begin && std::memchr(at, '.', static_cast<std::size_t>(w.end - at)) != nullptr;
}

bool isEmoticon(const textWord& w) {
    static constexpr byteSet eyes(":;=8");
    static constexpr byteSet noses("-^'o");
    static constexpr byteSet mouths(")(][DPpOo|/\\*$@{}<>3");
    const std::size_t n = w.length();
    if (n < 2 || n > 4) return false;
    const char* p = w.begin;
    if (!eyes(*p)) return false;
    ++p;
    if (n >= 3 && noses(*p)) ++p;
    for (; p < w.end; ++p)
        if (!mouths(*p)) return false;
    return true;
}

// "1)", "(a)", "2.": a list's mark, whose bracket is no code.
bool isListMarkWord(const textWord& w) {
    const char* p = w.begin;
    const char* e = w.end;
    if (p < e && *p == '(') ++p;
    if (e > p && (e[-1] == ')' || e[-1] == '.')) --e;
    if (e == w.end || e - p < 1 || e - p > 3) return false;
    for (const char* q = p; q < e; ++q)
        if (!isAsciiDigit(byteAt(q)) && !(e - p == 1 && isAsciiLetter(byteAt(q)))) return false;
    return true;
}

// A word of a sentence: letters, perhaps with an apostrophe or a hyphen
// inside, and punctuation around them.
bool isPlainWord(const textWord& w) {
    const char* b = w.begin;
    const char* e = w.end;
    static constexpr byteSet opening("(\"'[\x93\xab");
    static constexpr byteSet closing(".,;:!?)\"']\x94\xbb");
    while (b < e && opening(*b)) ++b;
    while (e > b && closing(e[-1])) --e;
    if (b == e) return false;
    for (const char* p = b; p < e; ++p) {
        const unsigned char c = byteAt(p);
        if (!isLetterByte(c) && !((c == '\'' || c == '-' || c == 0x92) && p > b && p + 1 < e)) return false;
    }
    return true;
}

// An HTML tag at a word's start or after a '>': "<b>", "</td>", "<font
// face=arial>", "<br/>", with a '>' further on.
bool holdsMarkup(const char* from, const char* to) {
    for (const char* p = from; p < to; ++p) {
        p = static_cast<const char*>(std::memchr(p, '<', static_cast<std::size_t>(to - p)));
        if (p == nullptr) return false;
        if (!(p == from || isBlank(p[-1]) || p[-1] == '>')) continue;
        const char* name = p + 1;
        if (name < to && (*name == '/' || *name == '!')) ++name;
        const char* q = name;
        while (q < to && isAsciiLetter(byteAt(q))) ++q;
        if (q == name || q >= to || !(*q == '>' || *q == ' ' || *q == '/' || isAsciiDigit(byteAt(q)))) continue;
        // No '>' after the first tag's name: none after a later one either.
        return std::memchr(q, '>', static_cast<std::size_t>(to - q)) != nullptr;
    }
    return false;
}

bool digitsAt(const char* p, const char* to, std::size_t count) {
    if (static_cast<std::size_t>(to - p) < count) return false;
    for (std::size_t i = 0; i < count; ++i)
        if (!isAsciiDigit(byteAt(p + i))) return false;
    return true;
}

bool startsWithMonthOrDay(const char* p, const char* to) {
    // The first letters of the names below: most lines are let go at their
    // first byte, not held against every name.
    static constexpr byteSet firstLetters("jfmasondtwJFMASONDTW");
    if (p == to || !firstLetters(*p)) return false;
    static const char* const names[] = {"jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct",
                                        "nov", "dec", "mon", "tue", "wed", "thu", "fri", "sat", "sun"};
    for (const char* name : names)
        if (startsWithFolded(p, to, name)) return true;
    return false;
}

// A time with seconds ("9:14:07", "10:59:39.878") near the start of a line
// that begins with a digit, a '[' or the name of a month or a day: syslog,
// ISO dates, web server logs. A meeting's "10:30" has no seconds.
bool beginsWithTimestamp(const char* from, const char* to) {
    if (from == to) return false;
    const unsigned char first = byteAt(from);
    if (!(isAsciiDigit(first) || first == '[' || startsWithMonthOrDay(from, to))) return false;
    const char* limit = to - from > 40 ? from + 40 : to;
    for (const char* p = from; p + 7 <= limit; ++p) {
        if (isAsciiDigit(byteAt(p)) && p[1] == ':' && digitsAt(p + 2, to, 2) && p[4] == ':' && digitsAt(p + 5, to, 2))
            return true;
    }
    return false;
}

// "$ make", "% ls", "ann@host:~$ make", "efes:~% perl", "C:\> dir",
// "[ann@host tmp]$ make", "mysql> select". `first` is the line's first word.
bool beginsWithPrompt(const char* from, const char* to, const textWord& first) {
    if (to - from >= 3 && (*from == '$' || *from == '%') && from[1] == ' ') {
        const unsigned char c = byteAt(from + 2);
        return (c >= 'a' && c <= 'z') || c == '.' || c == '/' || c == '~' || c == '_';
    }
    if (*from == '[') {
        const char* limit = to - from > 60 ? from + 60 : to;
        for (const char* p = from; p + 2 < limit; ++p)
            if (*p == ']' && (p[1] == '$' || p[1] == '#') && p[2] == ' ')
                return std::memchr(from, '@', static_cast<std::size_t>(p - from)) != nullptr;
        return false;
    }
    if (first.length() < 2 || first.end == to) return false;
    const char last = first.end[-1];
    if (last != '$' && last != '#' && last != '%' && last != '>') return false;
    const char* body = first.begin;
    const char* bodyEnd = first.end - 1;
    // "<http://a.b/>" is a link, not a prompt.
    if (*body == '<' || contains(body, bodyEnd, "://")) return false;
    bool lower = bodyEnd > body;
    for (const char* p = body; p < bodyEnd; ++p) lower = lower && byteAt(p) >= 'a' && byteAt(p) <= 'z';
    if (last == '>')
        return (lower && (startsWith(body, bodyEnd, "mysql") || startsWith(body, bodyEnd, "sql") ||
                          startsWith(body, bodyEnd, "ftp") || startsWith(body, bodyEnd, "sftp"))) ||
               (bodyEnd - body >= 2 && body[1] == ':' &&
                std::memchr(body, '\\', static_cast<std::size_t>(bodyEnd - body)) != nullptr);
    return std::memchr(body, '@', static_cast<std::size_t>(bodyEnd - body)) != nullptr ||
           std::memchr(body, ':', static_cast<std::size_t>(bodyEnd - body)) != nullptr;
}

// "name = value", "NAME=value", "name.sub-part = value"; not "a == b".
bool isAssignment(const char* from, const char* to) {
    const char* p = from;
    if (p == to || !(isAsciiLetter(byteAt(p)) || *p == '_')) return false;
    while (p < to && (isNameByte(byteAt(p)) || *p == '.' || *p == '-' || *p == '[' || *p == ']')) ++p;
    p = skipBlanks(p, to);
    if (p == to || *p != '=' || (p + 1 < to && p[1] == '=')) return false;
    return skipBlanks(p + 1, to) < to;
}

// "name: value" with a name in small letters as programs write it; a
// person's "Name:" or "Note:" begins with a capital, and a contact's
// "email: ann@example.org" or "web: http://..." gives no setting.
bool isSetting(const char* from, const char* to) {
    const char* p = from;
    if (p == to || !((*p >= 'a' && *p <= 'z') || *p == '_')) return false;
    while (p < to && ((*p >= 'a' && *p <= 'z') || isAsciiDigit(byteAt(p)) || *p == '_' || *p == '.' || *p == '-')) ++p;
    if (p == to || *p != ':' || (p + 1 < to && !isBlank(p[1]))) return false;
    const textWord value = wordAt(p + 1, to);
    return !value.empty() && !isLinkOrAddress(value);
}

bool isSection(const char* from, const char* to) {
    if (to - from < 3 || *from != '[' || to[-1] != ']') return false;
    for (const char* p = from + 1; p < to - 1; ++p)
        if (!(isNameByte(byteAt(p)) || *p == '.' || *p == '-' || *p == ' ')) return false;
    return true;
}

// "//", "/*", "*/", "# ", "#!", "#word".
bool isComment(const char* from, const char* to) {
    if (to - from < 2) return false;
    if (*from == '/') return from[1] == '/' || from[1] == '*';
    if (*from == '*') return from[1] == '/';
    return *from == '#' && (from[1] == ' ' || from[1] == '!' || isAsciiLetter(byteAt(from + 1)));
}

bool isPreprocessorLine(const char* from, const char* to) {
    if (*from != '#') return false;
    for (const char* word : {"#include", "#define", "#if", "#endif", "#else", "#undef", "#pragma", "#!/"})
        if (startsWith(from, to, word)) return true;
    return false;
}

// A frame of a stack trace: Java's "at a.b.C.d(C.java:12)" and "... 3
// more", Python's "File "x.py", line 3", Tcl's "invoked from within",
// "while executing" and "(procedure "x" line 3)", a debugger's "#0  0x08
// in main ()".
bool isFrame(const char* from, const char* to) {
    // Each form is told by its first byte: a line of prose is let go there.
    switch (*from) {
        case 'a':
            if (startsWith(from, to, "at ")) {
                const textWord where = wordAt(from + 3, to);
                return where.end == trimBlanks(from, to) && where.length() > 3 && where.end[-1] == ')' &&
                       std::memchr(where.begin, '(', where.length()) != nullptr &&
                       std::memchr(where.begin, '.', where.length()) != nullptr;
            }
            return false;
        case 'F': return startsWith(from, to, "File \"") && contains(from, to, "\", line ");
        case 'i': return startsWith(from, to, "invoked from within");
        case 'w': return startsWith(from, to, "while executing");
        case '(':
            if (startsWith(from, to, "(procedure \"") || startsWith(from, to, "(file \"")) return true;
            return startsWith(from, to, "(\"") && (contains(from, to, " line ") || contains(from, to, " script)"));
        case '.': return startsWith(from, to, "... ") && contains(from, to, " more") && digitsAt(from + 4, to, 1);
        case '#': return digitsAt(from + 1, to, 1) && contains(from, to, " in ");
        default: return false;
    }
}

// "Traceback (most recent call last):", "Exception in thread "main" ...",
// "Caused by: ...", "java.lang.NullPointerException", "ValueError: ...".
// `named`: whether the line may be a name alone or a name and a colon (it
// holds a colon, or is one word).
bool isTraceHead(const char* from, const char* to, bool named) {
    if ((*from == 'T' && startsWith(from, to, "Traceback (most recent call last)")) ||
        (*from == 'E' && startsWith(from, to, "Exception in thread ")) ||
        (*from == 'C' && startsWith(from, to, "Caused by: ")))
        return true;
    if (!named) return false;
    const char* p = from;
    while (p < to && (isNameByte(byteAt(p)) || *p == '.')) ++p;
    if (p == from || !(p == to || *p == ':')) return false;
    return (p - from >= 9 && std::memcmp(p - 9, "Exception", 9) == 0) ||
           (p - from >= 5 && std::memcmp(p - 5, "Error", 5) == 0);
}

std::size_t hexDigitsOf(const textWord& w, bool& letter) {
    const char* e = w.end;
    if (e > w.begin && e[-1] == ':') --e;
    for (const char* p = w.begin; p < e; ++p) {
        if (!isHexDigit(byteAt(p))) return 0;
        letter = letter || !isAsciiDigit(byteAt(p));
    }
    return static_cast<std::size_t>(e - w.begin);
}

// Escaped bytes, "\x01" or "0x1f": an 'x' after a backslash or a '0', and
// two hex digits.
std::size_t escapedBytes(const char* from, const char* to) {
    std::size_t count = 0;
    for (const char mark : {'x', 'X'}) {
        for (const char* x = from + 1; x + 2 < to; ++x) {
            x = static_cast<const char*>(std::memchr(x, mark, static_cast<std::size_t>(to - 2 - x)));
            if (x == nullptr) break;
            if ((x[-1] == '\\' || x[-1] == '0') && isHexDigit(byteAt(x + 1)) && isHexDigit(byteAt(x + 2))) ++count;
        }
    }
    return count;
}

// Whether the line may hold escaped bytes, "0x.." or "\\x..": without a
// digit, only a backslash can begin one.
bool isEscapable(const lineFacts& facts, const char* from, const char* end) {
    return facts.hasDigit ||
           (facts.hasCodeSign && std::memchr(from, '\\', static_cast<std::size_t>(end - from)) != nullptr);
}

// An offset and four groups of bytes or more ("0000010 7f45 4c46 ..."),
// eight bytes or more ("7f 45 4c 46 02 01 01 00"), or escaped bytes
// ("\x01\x00\x00\x00", "0x1f, 0x2a, ..."), looked for only where the line
// holds a backslash or a digit (`escapable`). `first` is the line's first
// word: a line whose first word is not of hex digits (most lines) is let
// go at once.
bool isHexRow(const char* from, const char* to, const textWord& first, bool escapable) {
    bool letter = false;
    const std::size_t firstDigits = hexDigitsOf(first, letter);
    if (firstDigits != 2 && firstDigits < 4) {
        // The first word is no offset and no group: only escaped bytes
        // make a row.
        return escapable && escapedBytes(from, to) >= 4;
    }
    if (escapable && escapedBytes(from, to) >= 4) return true;
    letter = false;
    std::size_t groups = 0;
    std::size_t words = 0;
    bool offset = false;
    for (textWord w = wordAt(from, to); !w.empty(); w = wordAt(w.end, to)) {
        ++words;
        const std::size_t digits = hexDigitsOf(w, letter);
        if (words == 1 && digits >= 4) {
            offset = true;
            continue;
        }
        if (*w.begin == '|') break;  // the characters a dump shows beside its bytes
        if (digits == 2 || digits == 4) ++groups;
        else if (words <= 17) return false;
    }
    return (offset && groups >= 4 && (letter || groups >= 8)) || groups >= 8;
}

constexpr byteSet figureSigns("+-$%/:\x80\xa3");

// A figure: digits, with a sign, a currency, separators or a unit sign.
bool isFigure(const textWord& w, bool& decimal) {
    std::size_t digits = 0;
    for (const char* p = w.begin; p < w.end; ++p) {
        const unsigned char c = byteAt(p);
        if (isAsciiDigit(c)) {
            ++digits;
        } else if ((c == '.' || c == ',') && p > w.begin && p + 1 < w.end && isAsciiDigit(byteAt(p - 1)) &&
                   isAsciiDigit(byteAt(p + 1))) {
            decimal = true;
        } else if (!figureSigns(*p)) {
            return false;
        }
    }
    return digits > 0;
}

// What a byte is to the count of words that begin as figures: bit 1, it
// begins one (a digit or a figure's sign); bit 2, it is a blank, after
// which a word begins.
constexpr byteTable<unsigned char> figureStarts() {
    return tableOfBytes<unsigned char>([](unsigned char c) {
        const char b = static_cast<char>(c);
        return ((c >= '0' && c <= '9') || figureSigns(b) ? 1 : 0) | (b == ' ' || b == '\t' ? 2 : 0);
    });
}

// Three figures or more, two in three words figures, and columns: a gap
// of two blanks or a tab, or figures with decimals. A telephone number
// ("06 12 34 56 78") has neither.
bool isNumberRow(const char* from, const char* to) {
    // A figure begins with a digit or a sign: a line with fewer than three
    // words that begin so (most lines that hold a digit) is let go before
    // its words are weighed. They are counted without a branch on the
    // line's bytes: a word begins after a blank (`from` begins one).
    static constexpr byteTable<unsigned char> starts = figureStarts();
    std::size_t count = starts.of[byteAt(from)] & 1u;
    for (const char* p = from + 1; p < to; ++p) count += starts.of[byteAt(p)] & (starts.of[byteAt(p - 1)] >> 1);
    if (count < 3) return false;
    std::size_t words = 0;
    std::size_t figures = 0;
    bool decimal = false;
    bool gap = false;
    for (textWord w = wordAt(from, to); !w.empty(); w = wordAt(w.end, to)) {
        if (words > 0 && (w.begin - from >= 2) && (w.begin[-2] == ' ' || w.begin[-2] == '\t' || w.begin[-1] == '\t'))
            gap = true;
        ++words;
        if (isFigure(w, decimal)) ++figures;
        // Each word still to come takes two bytes at least: when even all
        // of them figures would not make three, nor two in three, the
        // sentence is let go.
        const std::size_t left = static_cast<std::size_t>(to - w.end) / 2;
        if (figures + left < 3 || 3 * figures + left < 2 * words) return false;
    }
    return figures >= 3 && 3 * figures >= 2 * words && (gap || decimal);
}

bool isDiffHeader(const char* from, const char* to) {
    switch (*from) {
        case 'd': return startsWith(from, to, "diff ");
        case 'I': return startsWith(from, to, "Index: ");
        case '-': return startsWith(from, to, "--- ");
        case '+': return startsWith(from, to, "+++ ");
        case '@': return startsWith(from, to, "@@ -");
        default: return false;
    }
}

// What the words of a line are: how many, how many of them a sentence's,
// and, in a line that holds signs of code, how those stand among them.
struct wordCounts {
    std::size_t words = 0;
    std::size_t plain = 0;
    std::size_t counted = 0;  // words other than links, addresses and emoticons
    std::size_t signs = 0;
    std::size_t strong = 0;  // of the signs, those that prose has no use for: not '(', ')', ';' or '&'
    bool letterOrDigit = false;
    bool call = false;
    bool callBeforeLast = false;  // the last '(' follows a name: "console.log("
    char last = 0;                // the last byte of the last word that counts
};

// What a byte is to the weighing of a word's signs, as bits: one lookup
// a byte.
enum : unsigned char { weighSign = 1, weighStrong = 2, weighLetterOrDigit = 4, weighOpen = 8 };
constexpr byteTable<unsigned char> weighBytes = tableOfBytes<unsigned char>([](unsigned char u) {
    const char b = static_cast<char>(u);
    unsigned kind = 0;
    if (codeSigns(b)) kind |= weighSign;
    if (strongSigns(b)) kind |= weighStrong;
    if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')) kind |= weighLetterOrDigit;
    if (b == '(') kind |= weighOpen;
    return kind;
});

// The words of [from, end): their signs only when the line holds any
// (`signs`), the plain ones only when asked (`plain`).
wordCounts countWords(const char* from, const char* end, bool signs, bool plain) {
    wordCounts n;
    // Just past the last ')' of the line: a '(' before it is closed. Found
    // at the first '(' after a name.
    const char* lastClose = nullptr;
    for (textWord w = wordAt(from, end); !w.empty(); w = wordAt(w.end, end)) {
        ++n.words;
        if (plain && isPlainWord(w)) ++n.plain;
        if (!signs || isLinkOrAddress(w) || isEmoticon(w) || (n.words == 1 && isListMarkWord(w))) continue;
        ++n.counted;
        n.last = w.end[-1];
        for (const char* p = w.begin; p < w.end; ++p) {
            const unsigned kind = weighBytes.of[byteAt(p)];
            n.signs += kind & weighSign;
            n.strong += (kind & weighStrong) >> 1;
            if ((kind & weighLetterOrDigit) != 0) n.letterOrDigit = true;
            // "name(": a call, when a ')' follows; not "1995(ish)".
            if ((kind & weighOpen) != 0) {
                const char* name = p;
                while (name > w.begin && (isNameByte(byteAt(name - 1)) || name[-1] == '.')) --name;
                const bool afterName = name < p && (isAsciiLetter(byteAt(name)) || *name == '_');
                if (afterName && lastClose == nullptr)
                    for (lastClose = end; lastClose > from && lastClose[-1] != ')';) --lastClose;
                n.call = n.call || (afterName && lastClose > p);
                n.callBeforeLast = afterName;
            }
        }
    }
    return n;
}

// Whether the signs of a line can make it code, but for a line of closing
// brackets or a preprocessor's: four signs or more, or a last word that
// ends as a line of code does ("{", "(", ";"; ")", ":" or "," after a
// call). Most lines with a sign or two are sentences: "(see below)", "Ann
// <ann@example.org>".
bool signsCanMakeCode(const char* from, const char* end) {
    static constexpr byteSet endings("{(;");
    static constexpr byteSet callEndings("):,");
    // Four bytes a round: most lines with a sign hold only one or two, and
    // are walked to their end.
    std::size_t count = 0;
    const char* p = from;
    for (; end - p >= 4 && count < 4; p += 4)
        count += std::size_t{codeSigns(p[0])} + codeSigns(p[1]) + codeSigns(p[2]) + codeSigns(p[3]);
    for (; p < end && count < 4; ++p) count += codeSigns(*p) ? 1 : 0;
    if (count >= 4) return true;
    // The line ends, as code is read, with its last word that counts: not
    // a link, an address or an emoticon (many lines end with one), nor a
    // list's mark that begins the line.
    const char* lastEnd = end;
    for (;;) {
        const char* lastBegin = lastEnd;
        while (lastBegin > from && !isBlank(lastBegin[-1])) --lastBegin;
        const textWord last{lastBegin, lastEnd};
        if (!isLinkOrAddress(last) && !isEmoticon(last) && !(lastBegin == from && isListMarkWord(last))) break;
        lastEnd = lastBegin;
        while (lastEnd > from && isBlank(lastEnd[-1])) --lastEnd;
        if (lastEnd == from) return false;  // no word counts
    }
    return endings(lastEnd[-1]) ||
           (callEndings(lastEnd[-1]) && std::memchr(from, '(', static_cast<std::size_t>(end - from)) != nullptr);
}

// Brackets, semicolons and operators among few words, or a line that ends
// as code's lines end.
bool looksLikeCode(const char* from, const char* end, const wordCounts& n, bool assignment) {
    static constexpr byteSet closing(")]};,");
    static constexpr byteSet callEnding(");:,");
    // "}", "};", "})": brackets closed, a bracket among them.
    bool closers = end - from <= 4;
    bool bracket = false;
    for (const char* p = from; p < end && closers; ++p) {
        closers = closing(*p);
        bracket = bracket || *p == ')' || *p == ']' || *p == '}';
    }
    closers = closers && bracket;
    return closers || isPreprocessorLine(from, end) || *from == '}' || n.last == '{' ||
           (n.last == '(' && n.callBeforeLast) || (n.last == ';' && (n.strong > 0 || n.call || assignment)) ||
           (n.letterOrDigit && n.signs >= 4 && n.signs >= n.counted) ||
           (n.call && n.words <= 8 && callEnding(n.last));
}

// The shape of a line, as a paragraph's tally weighs it. A test looks only
// at a line that holds the bytes it needs, as the line's facts tell: a line
// without a sign of code is no code, markup, assignment or section, one
// without a digit no row of figures.
lineShape shapeFrom(const lineFacts& facts) {
    lineShape shape;
    const char* text = facts.line.prefixEnd;
    const char* end = trimBlanks(text, facts.line.end);
    const char* from = skipBlanks(text, end);
    if (from == end) return shape;
    const bool signs = facts.hasCodeSign;

    shape.markup = signs && holdsMarkup(from, end);
    shape.timestamp = facts.hasColon && facts.hasDigit && beginsWithTimestamp(from, end);
    const textWord first{from, firstBlank(from, end)};
    shape.prompt = beginsWithPrompt(from, end, first);
    shape.assignment = signs && isAssignment(from, end);
    shape.setting = facts.hasColon && isSetting(from, end);
    shape.section = signs && isSection(from, end);
    shape.comment = isComment(from, end);
    shape.frame = isFrame(from, end);
    shape.traceHead = isTraceHead(from, end, facts.hasColon || first.end == end);
    shape.hexRow = isHexRow(from, end, first, isEscapable(facts, from, end));
    shape.numberRow = !shape.hexRow && facts.hasDigit && isNumberRow(from, end);
    shape.diffHeader = isDiffHeader(from, end);

    // A line's signs are weighed word by word only where they can make it
    // code; with none weighed, only its closing brackets can.
    wordCounts n;
    const bool weighed = signs && !shape.markup && signsCanMakeCode(from, end);
    if (weighed) n = countWords(from, end, true, true);
    if (signs && !shape.markup) shape.codeLike = looksLikeCode(from, end, n, shape.assignment);
    // What a program wrote is no prose, whatever its words.
    const bool written = shape.codeLike || shape.markup || shape.timestamp || shape.frame || shape.traceHead ||
                         shape.hexRow || shape.numberRow || shape.diffHeader;
    if (!weighed) n = countWords(from, end, false, true);
    shape.prose = !written && n.words >= 4 && 10 * n.plain >= 7 * n.words;
    // "DESTDIR=%{buildroot}" don't work. It keeps you from ...": a sentence.
    shape.prompt = shape.prompt && !shape.prose;
    shape.assignment = shape.assignment && !shape.prose;
    shape.setting = shape.setting && !shape.prose;

    if (first.length() >= 2 && (first.end[-1] == ':' || first.end[-1] == ']')) {
        shape.tagBegin = first.begin;
        shape.tagEnd = first.end;
        // "kmod: failed to exec ...": a program says what it did.
        shape.message = first.length() >= 3 && *first.begin >= 'a' && *first.begin <= 'z' && n.words >= 3;
    }
    return shape;
}

// The tests that a line's first byte lets hold: a diff's header ("diff ",
// "Index: ", "--- ", "+++ ", "@@ -"), a frame ("at ", "File ", "invoked",
// "while", "(", "... ", "#0"), a trace's head ("Traceback", "Exception",
// "Caused by"), a name as an assignment or a trace's head begins, a row of
// hex, a prompt ("$ ", "% ", "[ann@host]$"; others end their first word
// so), a setting's name in small letters, a comment.
enum : unsigned char {
    mayBeDiff = 1,
    mayBeFrame = 2,
    mayBeTrace = 4,
    mayBeName = 8,
    mayBeHex = 16,
    mayBePrompt = 32,
    mayBeSetting = 64,
    mayBeComment = 128
};
constexpr byteTable<unsigned char> firstBytes = [] {
    byteTable<unsigned char> table{};
    const auto mark = [&table](const char* bytes, unsigned char test) {
        for (; *bytes != '\0'; ++bytes) table.of[static_cast<unsigned char>(*bytes)] |= test;
    };
    mark("dI-+@", mayBeDiff);
    mark("aFiw(.#", mayBeFrame);
    mark("TEC", mayBeTrace);
    mark("$%[", mayBePrompt);
    mark("/*#", mayBeComment);
    mark("0123456789abcdefABCDEF", mayBeHex);
    mark("abcdefghijklmnopqrstuvwxyz_", mayBeSetting);
    // An assignment's name begins with a letter or '_'; a trace's head's
    // with a letter, a figure, '_' or '.'.
    mark("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_0123456789.", mayBeName);
    return table;
}();

// What the verdicts ask of a line's shape.
struct judgement {
    bool machine = false;      // lineShape::isMachineLine
    bool beginsBlock = false;  // lineShape::beginsBlock
};

// The line's judgement, as its shape would give it, without working out
// the whole shape: asked of most lines of a paragraph, which are
// sentences. The shapes that no prose undoes are asked first, and a line
// of one of them is judged there; prose, which takes weighing each word, is
// weighed only where it undoes a prompt, an assignment or a setting.
[[gnu::noinline]] judgement judge(const lineFacts& facts) {
    const char* text = facts.line.prefixEnd;
    const char* end = trimBlanks(text, facts.line.end);
    const char* from = skipBlanks(text, end);
    if (from == end) return {};
    const bool signs = facts.hasCodeSign;
    const textWord first{from, firstBlank(from, end)};
    // Most tests are told by the line's first byte: one lookup lets a line
    // go past those that cannot hold, without a call.
    const unsigned may = firstBytes.of[byteAt(from)];
    const bool named = facts.hasColon || first.end == end;
    const judgement program{true, true};
    if (((may & mayBeDiff) != 0 && isDiffHeader(from, end)) || ((may & mayBeFrame) != 0 && isFrame(from, end)) ||
        (((may & mayBeTrace) != 0 || (named && (may & mayBeName) != 0)) && isTraceHead(from, end, named)) ||
        (signs && *from == '[' && isSection(from, end)) ||
        (facts.hasColon && facts.hasDigit && beginsWithTimestamp(from, end)))
        return program;
    const bool escapable = isEscapable(facts, from, end);
    if (((may & mayBeHex) != 0 || escapable) && isHexRow(from, end, first, escapable)) return program;
    if (facts.hasDigit && isNumberRow(from, end)) return program;
    const bool markup = signs && holdsMarkup(from, end);
    const bool assignment = signs && (may & mayBeName) != 0 && isAssignment(from, end);
    if (signs && !markup) {
        wordCounts n;
        if (signsCanMakeCode(from, end)) n = countWords(from, end, true, false);
        if (looksLikeCode(from, end, n, assignment)) return program;
    }
    static constexpr byteSet promptEnds("$#%>");
    const bool prompt =
        ((may & mayBePrompt) != 0 || (first.length() >= 2 && first.end != end && promptEnds(first.end[-1]))) &&
        beginsWithPrompt(from, end, first);
    const bool setting = facts.hasColon && (may & mayBeSetting) != 0 && isSetting(from, end);
    const bool comment = (may & mayBeComment) != 0 && isComment(from, end);
    if (!(prompt || assignment || setting)) return {false, comment};
    // Markup is written by a program: no prose undoes anything there.
    bool prose = false;
    if (!markup) {
        const wordCounts n = countWords(from, end, false, true);
        prose = n.words >= 4 && 10 * n.plain >= 7 * n.words;
    }
    const bool machine = (prompt || assignment) && !prose;
    return {machine, machine || comment || (setting && !prose)};
}

// Whether the line is plainly a person's, by its facts and its first word:
// without a sign of code, a colon or a figure (most lines of prose), only a
// first word that begins or ends as a prompt's, a comment's, a frame's, a
// trace's head, a diff's header or a row of hex does, or a line of one
// word, can make what shapeFrom finds a program's line or a block's
// beginning; any other such line is neither, and need not be weighed.
bool isPlainlyProse(const lineFacts& facts) {
    if (facts.hasCodeSign || facts.hasColon || facts.hasDigit) return false;
    const char* end = trimBlanks(facts.line.prefixEnd, facts.line.end);
    const char* from = skipBlanks(facts.line.prefixEnd, end);
    if (from == end) return true;
    const textWord first{from, firstBlank(from, end)};
    static constexpr byteSet firstBytes("%/*FiwEd-+@");
    if (first.end == end || firstBytes(*from) || first.end[-1] == '%') return false;
    bool letter = false;
    return hexDigitsOf(first, letter) == 0;
}

// The line's verdicts, judged once.
const passState::lineVerdicts::verdict& verdictOf(const lineFacts& line, passState::lineVerdicts& verdicts) {
    passState::lineVerdicts::verdict& kept = verdicts.slot(line.line.prefixEnd);
    if (kept.text != line.line.prefixEnd) {
        kept.text = line.line.prefixEnd;
        if (isPlainlyProse(line)) {
            kept.machine = false;
            kept.beginsBlock = false;
        } else {
            const judgement judged = judge(line);
            kept.machine = judged.machine;
            kept.beginsBlock = judged.beginsBlock;
        }
    }
    return kept;
}

}  // namespace

bool beginsBlock(const lineFacts& line, passState::lineVerdicts& verdicts) {
    return verdictOf(line, verdicts).beginsBlock;
}

lineShape shapeOf(const lineFacts& line) { return shapeFrom(line); }

bool isMachineLine(const lineFacts& line, passState::lineVerdicts& verdicts) { return verdictOf(line, verdicts).machine; }

namespace {

// Where a block stops whatever its lines look like: another quote depth,
// a separator, a signature line, a MIME boundary, an earlier message's
// header line, armour.
bool stopsBlock(const lineFacts& facts, int depth, const partBoundaries& boundaries) {
    const messageLine& line = facts.line;
    if (line.depth != depth || facts.separator != separatorKind::none || facts.originalHeader) return true;
    // The lines below all begin with a dash, at the line's start, after its
    // prefix or where its content begins.
    const auto dashAt = [&line](const char* p) { return p < line.end && *p == '-'; };
    if (!dashAt(line.begin) && !dashAt(line.prefixEnd) && !dashAt(line.content)) return false;
    return line.contentIs("-- ", false) || line.contentIs("--", false) || boundaries.isBoundaryLine(line) ||
           startsWith(line.prefixEnd, line.end, "-----BEGIN ") || startsWith(line.prefixEnd, line.end, "-----END ");
}

// What the lines of a paragraph are, counted.
struct tally {
    std::size_t lines = 0;
    std::size_t prose = 0;
    std::size_t markup = 0;
    std::size_t code = 0;
    std::size_t comments = 0;
    std::size_t stamps = 0;
    std::size_t prompts = 0;
    std::size_t settings = 0;
    std::size_t frames = 0;
    std::size_t heads = 0;
    std::size_t hex = 0;
    std::size_t numbers = 0;
    std::size_t messages = 0;
    std::size_t repeats = 0;  // lines with the tag of the line before: "md:", "md:", "md:"
    std::size_t output = 0;  // lines of a program's output: code, settings, figures, tagged lines
    bool firstPrompt = false;
    bool sameTag = true;  // every line begins with the first line's tag
    const char* tag = nullptr;
    std::size_t tagLength = 0;
    const char* lastTag = nullptr;
    std::size_t lastTagLength = 0;

    void add(const lineShape& s) {
        const std::size_t length = s.tagBegin != nullptr ? static_cast<std::size_t>(s.tagEnd - s.tagBegin) : 0;
        if (length > 0 && length == lastTagLength && std::memcmp(s.tagBegin, lastTag, length) == 0) ++repeats;
        lastTag = s.tagBegin;
        lastTagLength = length;
        if (lines == 0) {
            firstPrompt = s.prompt;
            tag = s.tagBegin;
            tagLength = s.tagBegin != nullptr ? static_cast<std::size_t>(s.tagEnd - s.tagBegin) : 0;
        }
        sameTag = sameTag && tag != nullptr && s.tagBegin != nullptr &&
                  static_cast<std::size_t>(s.tagEnd - s.tagBegin) == tagLength &&
                  std::memcmp(s.tagBegin, tag, tagLength) == 0;
        ++lines;
        prose += s.prose ? 1 : 0;
        markup += s.markup ? 1 : 0;
        code += s.codeLike ? 1 : 0;
        comments += s.comment && !s.codeLike ? 1 : 0;
        stamps += s.timestamp ? 1 : 0;
        prompts += s.prompt ? 1 : 0;
        settings += (s.assignment || s.setting || s.section) ? 1 : 0;
        frames += s.frame ? 1 : 0;
        heads += s.traceHead ? 1 : 0;
        hex += s.hexRow ? 1 : 0;
        numbers += s.numberRow ? 1 : 0;
        messages += s.message ? 1 : 0;
        output += !s.prompt && (s.isMachineLine() || s.setting || s.tagBegin != nullptr) ? 1 : 0;
    }
};

// The kind of a paragraph, when it is one to announce. A paragraph that
// goes on a block after blank lines (`following`) may be short; the
// first one has three lines or more, and of the shape that makes its kind
// at least two.
bool kindOf(const tally& t, bool following, codeKind& kind) {
    const std::size_t n = t.lines;
    const std::size_t least = following ? 1 : 2;
    if (n == 0 || (!following && n < 3) || 2 * t.markup >= n) return false;
    if (t.frames >= least && 2 * (t.frames + t.heads + t.code) >= n && 3 * t.prose <= n) {
        kind = codeKind::stackTrace;
    } else if ((t.firstPrompt || following) && t.prompts >= 1 &&
               (t.prompts >= 2 || (t.output >= 1 && 3 * t.prose <= n))) {
        kind = codeKind::shellSession;
    } else if ((t.stamps >= least && 2 * t.stamps >= n) || (t.sameTag && t.tagLength >= 3 && n >= 3) ||
               (t.messages >= least + 1 && 2 * t.messages >= n) || (t.repeats >= least && 2 * t.repeats >= n)) {
        kind = codeKind::log;
    } else if (t.hex >= least + 1 && 4 * t.hex >= 3 * n) {
        kind = codeKind::hexDump;
    } else if (t.settings >= least + 1 && 3 * (t.settings + t.comments) >= 2 * n && 4 * t.prose <= n) {
        kind = codeKind::configuration;
    } else if (t.numbers >= least + 1 && 4 * t.numbers >= 3 * n) {
        kind = codeKind::numbers;
    } else if (t.code >= least && 2 * (t.code + t.comments) >= n && 4 * t.prose <= n) {
        kind = codeKind::code;
    } else {
        return false;
    }
    return true;
}

// A paragraph from `first`, which begins a block: its tally up to its last
// line that is not prose, where that line ends, and where the paragraph
// ends.
struct paragraph {
    tally counted;
    tally whole;                    // all its lines
    const char* end = nullptr;      // after its last line that is not prose
    const char* settingsEnd = nullptr;  // after its last setting, section or comment ...
    const char* hexEnd = nullptr;       // ... row of a hex dump ...
    const char* numbersEnd = nullptr;   // ... row of figures
    const char* reached = nullptr;  // after its last line
    lineFacts last;                 // its last line
};

paragraph paragraphAt(const lineFacts& first, const lineShape& firstShape, lineWindow& lines,
                      const partBoundaries& boundaries) {
    paragraph found;
    tally running;
    lineFacts line = first;
    lineShape shape = firstShape;
    for (;;) {
        running.add(shape);
        if (!shape.prose) {
            found.counted = running;
            found.end = line.line.next;
        }
        if (shape.assignment || shape.setting || shape.section) found.settingsEnd = line.line.next;
        if (shape.hexRow) found.hexEnd = line.line.next;
        if (shape.numberRow) found.numbersEnd = line.line.next;
        found.reached = line.line.next;
        found.last = line;
        found.whole = running;
        lineFacts next;
        if (!lines.next(line, next) || next.blank || stopsBlock(next, first.line.depth, boundaries)) break;
        line = next;
        shape = shapeOf(line);
    }
    return found;
}

// Where the block's lines in a paragraph end, when the paragraph is one of
// the kind: prose at its end is not the block's, but what a program says
// after a prompt or in a log is, in whatever words; a configuration, a
// dump or a table ends with its last line of that shape.
const char* extentOf(const paragraph& p, bool following, codeKind& kind) {
    if (!kindOf(p.counted, following, kind)) return nullptr;
    codeKind whole = kind;
    switch (kind) {
        case codeKind::shellSession:
        case codeKind::log:
            return kindOf(p.whole, following, whole) && whole == kind ? p.reached : p.end;
        case codeKind::configuration: return p.settingsEnd;
        case codeKind::hexDump: return p.hexEnd;
        case codeKind::numbers: return p.numbersEnd;
        default: return p.end;
    }
}

// The lines that begin in [from, to), where `to` ends a line.
std::size_t linesBetween(const char* from, const char* to) {
    std::size_t count = 0;
    for (const char* p = from; p < to; ++p)
        if (*p == '\n') ++count;
    return to > from && to[-1] != '\n' ? count + 1 : count;
}

// The counts of a hunk header, "@@ -12,3 +12,4 @@" (a count left out is 1).
bool hunkCounts(const char* from, const char* to, std::size_t& removed, std::size_t& added) {
    if (!startsWith(from, to, "@@ -")) return false;
    const char* p = from + 4;
    auto number = [&](std::size_t& value) {
        if (p == to || !isAsciiDigit(byteAt(p))) return false;
        value = 0;
        while (p < to && isAsciiDigit(byteAt(p)) && value < 1000000)
            value = value * 10 + static_cast<std::size_t>(*p++ - '0');
        return true;
    };
    std::size_t ignored = 0;
    removed = added = 1;
    if (!number(ignored)) return false;
    if (p < to && *p == ',' && (++p, !number(removed))) return false;
    if (to - p < 2 || p[0] != ' ' || p[1] != '+') return false;
    p += 2;
    if (!number(ignored)) return false;
    if (p < to && *p == ',' && (++p, !number(added))) return false;
    return true;
}

// The header lines of a file's diff, before its first hunk.
bool isDiffPreamble(const char* from, const char* to) {
    for (const char* word : {"diff ", "Index: ", "--- ", "+++ ", "=====", "RCS file: ", "retrieving revision ",
                             "index ", "new file mode", "deleted file mode", "similarity index", "rename from ",
                             "rename to ", "old mode", "new mode", "Only in ", "Binary files "})
        if (startsWith(from, to, word)) return true;
    return false;
}

// A diff from its first header line: the preambles and hunks of each file,
// a hunk as long as its header says (a blank line is a line of context
// whose blank the mail lost), files one after the other with blank lines
// between them.
codeBlock diffAt(const lineFacts& first, lineWindow& lines, const partBoundaries& boundaries) {
    codeBlock block;
    block.kind = codeKind::diff;
    const int depth = first.line.depth;
    lineFacts line = first;
    const char* end = nullptr;  // after the last line of the last whole hunk
    bool atLine = true;         // `line` is still to be read
    for (;;) {
        // A file's preamble, up to its first hunk.
        bool sawFiles = false;
        while (atLine && !line.blank && !stopsBlock(line, depth, boundaries) &&
               isDiffPreamble(line.line.prefixEnd, line.line.end)) {
            sawFiles = sawFiles || startsWith(line.line.prefixEnd, line.line.end, "+++ ");
            atLine = lines.next(line, line);
        }
        // Its hunks.
        std::size_t hunks = 0;
        std::size_t removed = 0;
        std::size_t added = 0;
        while (atLine && !stopsBlock(line, depth, boundaries) &&
               hunkCounts(line.line.prefixEnd, line.line.end, removed, added)) {
            ++hunks;
            atLine = lines.next(line, line);
            while (atLine && (removed > 0 || added > 0) && !stopsBlock(line, depth, boundaries)) {
                const char mark = line.blank ? ' ' : *line.line.prefixEnd;
                if (mark == ' ' && removed > 0 && added > 0) {
                    --removed;
                    --added;
                } else if (mark == '-' && removed > 0) {
                    --removed;
                } else if (mark == '+' && added > 0) {
                    --added;
                } else if (mark != '\\') {
                    break;
                }
                end = line.line.next;
                atLine = lines.next(line, line);
            }
            if (removed > 0 || added > 0) break;  // a hunk cut short ends the diff where its last line was
            while (atLine && !line.blank && *line.line.prefixEnd == '\\' && line.line.depth == depth) {
                end = line.line.next;
                atLine = lines.next(line, line);
            }
        }
        if (hunks == 0 && sawFiles) {
            // Lines of a diff without hunk headers: '+', '-' and ' ' lines.
            while (atLine && !line.blank && !stopsBlock(line, depth, boundaries) &&
                   std::strchr("+- ", *line.line.prefixEnd) != nullptr) {
                end = line.line.next;
                atLine = lines.next(line, line);
            }
        }
        if (end == nullptr || (removed > 0 || added > 0)) break;
        // The next file's diff, after blank lines.
        lineFacts after = line;
        bool more = atLine;
        while (more && after.blank && after.line.depth == depth) more = lines.next(after, after);
        if (!more || stopsBlock(after, depth, boundaries) ||
            !(isDiffPreamble(after.line.prefixEnd, after.line.end) ||
              startsWith(after.line.prefixEnd, after.line.end, "@@ -")))
            break;
        line = after;
        atLine = true;
    }
    block.judged = line.line.next;
    if (end == nullptr) return block;
    block.lines = linesBetween(first.line.begin, end);
    block.found = block.lines >= 3;
    block.end = end;
    return block;
}

// Whether the line may begin a diff, by its first byte.
bool mayBeginDiff(const lineFacts& line) {
    const char* from = skipBlanks(line.line.prefixEnd, line.line.end);
    return from < line.line.end && (*from == 'd' || *from == 'I' || *from == '-' || *from == '+' || *from == '@');
}

// A block other than a diff has three lines at least, all in the paragraph
// it begins: from a line with fewer after it in its paragraph (most lines
// of a message are such), none begins, nor from the lines after it. A
// diff's first line is known by its first byte. When the second line of
// the paragraph is its last and begins no diff, no block begins there
// either: `judged` moves past it, so that it is not looked at again.
bool endsParagraphSoon(const lineFacts& first, lineWindow& lines, const partBoundaries& boundaries,
                       const char*& judged) {
    if (mayBeginDiff(first)) return false;
    const auto ends = [&](const lineFacts& line) { return line.blank || stopsBlock(line, first.line.depth, boundaries); };
    // The second line's facts, then the third's, where the window keeps
    // them: what is asked of the second is noted before the third is.
    const lineFacts* ahead = lines.after(first);
    if (ahead == nullptr || ends(*ahead)) return true;
    const char* afterSecond = ahead->line.next;
    const bool secondMayBeginDiff = mayBeginDiff(*ahead);
    ahead = lines.after(*ahead);
    if (ahead != nullptr && !ends(*ahead)) return false;
    if (!secondMayBeginDiff) judged = afterSecond;
    return true;
}

}  // namespace

namespace {

// The block that begins at `first`, a line that can begin one with more
// lines after it in its paragraph: weighed from its whole shape, looking
// ahead. Asked of few lines, and kept out of the way of the test that
// turns the others away.
[[gnu::noinline]] codeBlock blockFrom(const lineFacts& first, lineWindow& lines, const partBoundaries& boundaries,
                                      passState::lineVerdicts& verdicts, codeBlock block) {
    const lineShape shape = shapeOf(first);
    if (shape.diffHeader) {
        codeBlock diff = diffAt(first, lines, boundaries);
        if (diff.found) return diff;
    }
    const paragraph opening = paragraphAt(first, shape, lines, boundaries);
    block.judged = opening.reached;
    block.end = extentOf(opening, false, block.kind);
    if (block.end == nullptr) return block;
    block.found = true;
    // Paragraphs of the same kind after blank lines go on the block, as far
    // as each ends with a line of that kind.
    lineFacts last = opening.last;
    while (block.end == last.line.next) {
        lineFacts next = last;
        bool more = lines.next(next, next);
        while (more && next.blank && next.line.depth == first.line.depth) more = lines.next(next, next);
        if (!more || next.blank || stopsBlock(next, first.line.depth, boundaries) || !beginsBlock(next, verdicts)) break;
        const paragraph following = paragraphAt(next, shapeOf(next), lines, boundaries);
        codeKind kind = block.kind;
        const char* end = extentOf(following, true, kind);
        if (end == nullptr || kind != block.kind) break;
        block.end = end;
        last = following.last;
    }
    block.lines = linesBetween(first.line.begin, block.end);
    return block;
}

}  // namespace

codeBlock codeBlockAt(const lineFacts& first, lineWindow& lines, const partBoundaries& boundaries,
                      passState::lineVerdicts& verdicts) {
    codeBlock block;
    block.judged = first.line.next;
    // The line's verdict when it is known already (the paragraph rule
    // judges the lines of a paragraph at its first), and most lines begin
    // nothing: asked first, as it is one comparison; else where the
    // paragraph ends, before the verdict is worked out: most lines of a
    // message have too few after them to begin a block, and the line need
    // not be weighed.
    const passState::lineVerdicts::verdict& kept = verdicts.slot(first.line.prefixEnd);
    if (kept.text == first.line.prefixEnd && !kept.beginsBlock) return block;
    if (first.blank || stopsBlock(first, first.line.depth, boundaries)) return block;
    if (endsParagraphSoon(first, lines, boundaries, block.judged) || !beginsBlock(first, verdicts)) return block;
    return blockFrom(first, lines, boundaries, verdicts, block);
}

}  // namespace postsift
