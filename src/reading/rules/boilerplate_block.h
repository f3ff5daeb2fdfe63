#pragma once
#include <cstddef>

#include "reading/pass/pass_state.h"

namespace postsift {

class blockWords;
class listIdentity;

// What a block of lines is, judged once when the pass comes to its first
// line: a paragraph, or a rule line, or a line a program adds by itself.
enum class blockKind {
    text,         // the sender's
    rule,         // a line of '-', '_', '=' ... that sets blocks apart
    linkOnly,     // a link or an address alone: the sender's, unless boilerplate stands around it
    listTrailer,  // the list's footer: its name, address, host, links
    sponsor,      // "This list is sponsored by", "Advertisement", "Anzeige", with a link
    advert,       // a mail provider's advert for itself under a rule line: "Get your free mailbox"
    notice,       // why the reader gets the mail, how to stop it
    disclaimer,   // confidential, for its addressee only, delete it if it reached you in error
    automatic,    // "Sent from my phone", "Checked for viruses"
    contact,      // a signature without "-- ": title, company, address, phone, links
};

// Where the block stands, as far as the lines before it tell.
struct blockContext {
    const listIdentity& list;
    bool afterRule = false;      // a rule line above it, blank lines between at most
    bool afterColon = false;     // the block above ends with ':' ("the numbers you asked for:")
    bool sponsorTitle = false;   // the rule line above has a title that says "Sponsor"
    bool contacts = false;       // contact blocks are looked for
    bool signatureLines = false; // a "-- " line ends a block (signatures are dropped)
    // Set when the block is judged after the pass went past its first
    // line, as it would have been judged there: the facts of its lines as
    // the pass had them, from its first on, as far as they were kept
    // ([kept, kept + keptCount)). The lines beyond them are read apart from
    // the window, which keeps none behind the pass.
    const lineFacts* kept = nullptr;
    std::size_t keptCount = 0;
};

struct blockVerdict {
    blockKind kind = blockKind::text;
    const char* end = nullptr;      // where the line after the block begins
    bool endsWithColon = false;     // its last line ends with ':'
    bool sponsorTitle = false;      // a rule line whose title says "Sponsor"
    bool listsOwn = false;          // a footer that names the list of the message's list fields
};

// Judges the blocks of a message one at a time, each once, at its first
// line; what it holds is room reused from block to block.
class blockJudge {
public:
    // The block that begins at `first`, looking ahead to its end (never
    // further): linear in the message, as each line is looked at for one
    // block. A paragraph that ends with a sign-off, a name and a contact
    // block is two blocks: the sign-off and name are the sender's text, read.
    blockVerdict judge(const lineFacts& first, passState& state, const blockContext& context);

private:
    // What the walk over a block notes of each of its first lines. Nearly
    // every block is the sender's text, which its words alone tell: what
    // only a verdict on boilerplate needs is worked out when it first asks.
    struct lineNote {
        messageLine line;
        bool hasLink = false;
        bool hasAt = false;  // without a link, only an '@' can make an address
        std::size_t words = 0;
        bool mayBeNotice = false;
        bool signsOff = false;
        unsigned known = 0;  // which of the facts below are worked out
        bool link = false;
        bool named = false;  // the list's host, address, name or description, and no other link
        bool linked = false; // a link or an address to the list's host
        bool own = false;    // the list's name or description
        bool notice = false;
        unsigned contact = 0;
    };
    // The most lines of a block that any verdict looks at one by one.
    static constexpr std::size_t linesNoted = 15;

    bool link(std::size_t i);
    bool anyLink(std::size_t from = 0);
    void lookForList(std::size_t i);
    bool named(std::size_t i);
    bool linked(std::size_t i);
    bool own(std::size_t i);
    bool listNamed();
    bool listWords(const blockWords& words);
    bool footer(std::size_t i) { return link(i) || named(i); }
    bool notice(std::size_t i);
    unsigned contact(std::size_t i);
    void note(const messageLine& line, bool hasLink, bool hasAt, const blockWords& words);
    bool allLinkOnly();
    bool isContactBlock(std::size_t from, std::size_t to);
    // The words of the block of count_ lines that begins at `first`, the
    // person words looked for too.
    blockWords wordsWithPersons(const lineFacts& first, passState& state, const blockContext& context);
    blockVerdict verdictOn(const blockWords& words, blockVerdict verdict, const blockContext& context);
    // The verdicts that ask what the block's words say, its links or the
    // rule line above it: whether one is given (into `verdict`).
    bool saysBoilerplate(const blockWords& words, blockVerdict& verdict, const blockContext& context);

    const listIdentity* list_ = nullptr;
    lineNote notes_[linesNoted];
    std::size_t count_ = 0;      // the block's lines
    bool linksNoted_ = false;    // a noted line may hold a link or an address
    int openingSides_ = 0;       // what its first line says of a disclaimer
    // A line of a footer is short: a longer one is not looked at for the
    // list's names, and one that is is folded here.
    static constexpr std::size_t longestFooterLine = 300;
    char folded_[longestFooterLine];
};

// "On Monday, Anne wrote:" above a quote: a line ending with ':' whose next
// line is quoted deeper. A line without a colon (its facts tell) is none.
bool beginsQuote(const lineFacts& line);

// Whether the block whose last line is `line` introduces the block after
// it, as its verdict says (blockVerdict::endsWithColon): its last line ends
// with ':', unless that line is one a program adds by itself, which is a
// block of its own that introduces nothing.
bool introducesNext(const messageLine& line);

// A line that ends the text above it: "-- ".
bool isSignatureLine(const messageLine& line);

}  // namespace postsift
