#include "reading/rules/signed_armour.h"

#include <cstring>

#include "reading/pass/rule_table.h"
#include "support/ascii.h"

namespace postsift {

readingRule* makeSignedArmour(const ruleSetting&, ruleRoom& room) { return room.make<signedArmour>(); }

namespace {

const char signedMessage[] = "-----BEGIN PGP SIGNED MESSAGE-----";
const char signatureBegin[] = "-----BEGIN PGP SIGNATURE-----";
const char signatureEnd[] = "-----END PGP SIGNATURE-----";

bool isBase64Byte(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return isAsciiLetter(u) || isAsciiDigit(u) || c == '+' || c == '/' || c == '=';
}

// What a signature block holds: armour headers ("Version: ..."), an empty
// line, base64 lines and the "=" checksum. A block that is never closed ends
// at the first other line, which is read: a missing end line must not
// silence the rest of the message.
bool looksLikeArmour(const messageLine& line) {
    const char* end = trimBlanks(line.content, line.end);
    const char* p = line.content;
    if (p == end) return true;
    if (isAsciiLetter(static_cast<unsigned char>(*p))) {
        const char* name = p;
        while (p < end && (isAsciiLetter(static_cast<unsigned char>(*p)) || *p == '-')) ++p;
        if (p > name && p + 1 < end && p[0] == ':' && p[1] == ' ') return true;
        p = name;
    }
    while (p < end && isBase64Byte(*p)) ++p;
    return p == end;
}

// Whether "PGP SIGN", which both lines that open a block hold, stands
// anywhere in [from, to): looked for at its 'G', a capital that text
// seldom holds, in one search over the text.
bool holdsArmourName(const char* from, const char* to) {
    static const char name[] = "PGP SIGN";
    const std::size_t length = sizeof name - 1;
    for (const char* p = from + 1; to - p >= static_cast<std::ptrdiff_t>(length - 1); ++p) {
        p = static_cast<const char*>(std::memchr(p, 'G', static_cast<std::size_t>(to - p) - (length - 2)));
        if (p == nullptr) return false;
        if (std::memcmp(p - 1, name, length) == 0) return true;
    }
    return false;
}

// Every armour line that opens or closes a block begins with a dash: the
// other lines of text are let go at their first byte.
bool beginsWithDash(const messageLine& line) { return line.content < line.end && *line.content == '-'; }

}  // namespace

signedArmour::verdict signedArmour::judgeOutside(const messageLine& line) {
    if (!beginsWithDash(line)) return keep;
    if (line.contentIs(signedMessage, true)) {
        state_ = armourHeader;
    } else if (line.contentIs(signatureBegin, true)) {
        state_ = signature;
    } else {
        return keep;
    }
    depth_ = line.depth;
    return leaveOut;
}

signedArmour::verdict signedArmour::judge(messageLine& line) {
    // A quote that ends takes its signed message with it.
    if (state_ != outside && line.depth < depth_) state_ = outside;
    if (state_ == outside || line.depth != depth_) return state_ == outside ? judgeOutside(line) : keep;

    switch (state_) {
        case armourHeader:
            if (startsWithFolded(line.content, line.end, "hash:")) return leaveOut;
            state_ = signedText;
            if (line.isBlank()) return leaveOut;
            break;
        case signature:
            if (line.contentIs(signatureEnd, true)) {
                state_ = outside;
                return leaveOut;
            }
            if (looksLikeArmour(line)) return leaveOut;
            state_ = outside;
            return judgeOutside(line);
        default: break;
    }
    // The signed text.
    if (!beginsWithDash(line)) return keep;
    if (line.contentIs(signatureBegin, true)) {
        state_ = signature;
        return leaveOut;
    }
    if (line.end - line.content >= 2 && line.content[0] == '-' && line.content[1] == ' ') {
        line.content += 2;
        return unescaped;
    }
    return keep;
}

void signedArmour::observe(lineFacts& line, passState& state, readingOutput& out) {
    if (!looked_) {
        looked_ = true;
        if (!holdsArmourName(line.line.begin, line.textEnd)) {
            // No block opens in the body: no line of it is armour or signed
            // text, and the stages are left to the base, which the pass
            // then calls no more.
            readingRule::observe(line, state, out);
            readingRule::take(line, state, out);
            return;
        }
    }
    state.news.armour = judge(line.line) == leaveOut;
    // Taking leaves out the armour, which most messages hold none of.
    showOnlyLinesHolding(taking, state.news.armour ? 0u : heldByNoLine);
}

lineTaken signedArmour::take(const lineFacts& line, passState& state, readingOutput&) {
    return state.news.armour ? lineTaken::upTo(line.line.next) : lineTaken::passed();
}

}  // namespace postsift
