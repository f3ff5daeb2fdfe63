#pragma once
#include "reading/pass/pass_state.h"

namespace postsift {

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
};

struct blockVerdict {
    blockKind kind = blockKind::text;
    const char* end = nullptr;      // where the line after the block begins
    bool endsWithColon = false;     // its last line ends with ':'
    bool sponsorTitle = false;      // a rule line whose title says "Sponsor"
    bool listsOwn = false;          // a footer that names the list of the message's list fields
};

// The block that begins at `first`, looking ahead to its end (never
// further): linear in the message, as each line is looked at for one block.
// A paragraph that ends with a sign-off, a name and a contact block is two
// blocks: the sign-off and name are the sender's text, read.
blockVerdict judgeBlock(const lineFacts& first, passState& state, const blockContext& context);

// "On Monday, Anne wrote:" above a quote: a line ending with ':' whose next
// line is quoted deeper.
bool beginsQuote(const lineFacts& line, passState& state);

// A line that ends the text above it: "-- ".
bool isSignatureLine(const messageLine& line);

}  // namespace postsift
