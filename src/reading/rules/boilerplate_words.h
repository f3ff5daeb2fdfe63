#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "reading/lines/message_line.h"

namespace postsift {


// The words by which mail programs, lists and companies' servers give
// themselves away in the text they add to a message, in English, French and
// German: what a line of it looks like, and what a paragraph of it says.
// Only shapes and common words: never the name of a particular list,
// program or sender.

// A line's content, folded to lower case (accented capitals too), tabs as
// blanks, into `folded`, which has room for it: the form a list's names are
// looked for in.
std::string_view foldContent(const messageLine& line, char* folded);

// A line drawn to set a block apart: four or more of '-', '_', '=', '*',
// '~' at its start, perhaps with a title between runs ("----- Groups
// Sponsor -----~-->").
bool isRuleLine(const messageLine& line);

// What one sentence of a block says.
struct sentenceCues {
    std::size_t words = 0;
    bool notice = false;       // it tells why the reader gets the mail, or how to stop it
    bool personal = false;     // it speaks of the writer ("me", "I", "ich", "je", "don't")
    bool shortLabel = false;   // "Unsubscribe", "Abmelden": a link's label
};

// What a whole block says, word by word, as it is read line by line. The
// phrases are looked for folded in the text as it stands (boilerplate
// phrases are written folded below).
class blockWords {
public:
    // Whether the words by which a sentence speaks of its writer ("I",
    // "me", "not") are looked for. They are among the commonest words and
    // count only in a block that says what a notice says: a walk may skip
    // them, and a block that needs them (needsPersonWords) is walked again.
    enum class personWords { looked, skipped };
    explicit blockWords(personWords persons = personWords::looked) : persons_(persons) {}

    // The content of the block's next line.
    void addLine(const char* begin, const char* end);
    void addLine(const messageLine& line) { addLine(line.content, line.end); }
    // Ends the last sentence.
    void finish();

    // Of the line added last: how many words it holds (runs between blanks
    // with a letter, a digit or a byte above ASCII), and whether its words say anything a notice says, without
    // which it is no notice line of its own (isNoticeLine).
    std::size_t lineWords() const { return lineWords_; }
    bool lineMayBeNotice() const { return lineMayBeNotice_; }
    // Whether it is a line a mail program or a server adds by itself, said
    // in one short line: "Sent from my phone", "Envoyé de mon mobile", "Von
    // meinem Telefon gesendet", "Checked for viruses by ...".
    bool lineIsAutomatic() const { return lineIsAutomatic_; }
    // Whether it ends the sender's text before the name: "Regards,",
    // "Cordialement", "Mit freundlichen Grüßen".
    bool lineSignsOff() const { return lineSignsOff_; }

    std::size_t words() const { return words_; }
    // Whether no word of the block is one of the lists' (the person words
    // aside, where they were skipped): every question below but words()
    // then answers no, and so does what lineMayBeNotice says of each line.
    bool saysNothing() const { return blockCues_ == 0; }
    // How many words stand in sentences that tell why the reader gets the
    // mail or how to stop it.
    std::size_t noticeWords() const { return noticeWords_; }
    // Whether the block speaks as "I": a person's text, never a notice.
    bool firstPerson() const;
    // Whether the person words were skipped where what the block says may
    // depend on them: what it says is then told by a walk that looks for
    // them. Without, every answer below is as a walk with them gives it.
    bool needsPersonWords() const;
    // The kinds of things a disclaimer says (confidential, for its addressee
    // only, delete it if it reached you in error, binds nobody, "this
    // message"): how many of them the block says, and whether it says it is
    // confidential, to be deleted if it reached you in error, or binding on
    // nobody.
    int disclaimerSides() const { return disclaimerSides_; }
    bool disclaimerClaim() const;
    bool sponsor() const;       // "sponsored by", "Advertisement", "Anzeige", "Publicité"
    bool sponsorWord() const;   // "Sponsor", "advertise": in a rule line's title
    bool signupAdvert() const;  // "free", "join", "Do you ...?", "try": a provider's advert
    bool listWords() const;     // words "listinfo", "mailman", "subscribe", "mailing list"
    bool virusCheck() const;

private:
    // What a word (counted already) says: `cues`, none of them 0.
    void word(unsigned cues, bool startsSentence);
    void endSentence();
    // Whether the sentence being read, or what a sentence before it
    // carries over, says anything that its end weighs (endSentence).
    bool sentenceWeighed() const;

    personWords persons_;
    std::size_t words_ = 0;
    std::size_t noticeWords_ = 0;
    sentenceCues sentence_;
    bool weakStart_ = false;    // begins "If you", "Si vous", "Wenn Sie" ...
    std::size_t carried_ = 0;   // words of a short sentence whose beginning goes on in the next
    bool aboutMailing_ = false; // names a subscription, a list, a removal
    bool sentenceEnded_ = true;
    unsigned blockCues_ = 0;       // what the words of the block say, all of them
    unsigned disclaimerSays_ = 0;  // which of the sides of a disclaimer it says, a bit each
    int disclaimerSides_ = 0;      // how many: asked after every line
    std::size_t lineWords_ = 0;
    unsigned lineCues_ = 0;       // what the words of the line added last say
    unsigned lineStartCues_ = 0;  // what it says from its first byte on
    // What the three questions above tell of it, told once it is walked:
    // each is asked of every line of a block.
    void judgeLine();
    bool lineMayBeNotice_ = false;
    bool lineIsAutomatic_ = false;
    bool lineSignsOff_ = false;
};

// "listinfo", "mailman", "subscri" anywhere in a line, inside links and
// addresses too: ".../mailman/listinfo/choir", "choir-unsubscribe@...".
// With listWords, what tells that a block speaks of a mailing list.
bool holdsListLink(const messageLine& line);

// What a short line of a signature's contact block is, as bits; 0 for none.
enum contactKind : unsigned {
    contactPhone = 1,     // "Tel: +33 1 23 45 67 89", "(02) 555 0199"
    contactLink = 2,      // a link or an address, and few words
    contactHandle = 4,    // "Jabber: ana@example.org", "ICQ 123456"
    contactTitle = 8,     // "Senior Technician, Soil Laboratory"
    contactCompany = 16,  // "Example Institute of Agriculture", "Muster GmbH"
    contactAddress = 32,  // "12 Example Road", "75001 Paris"
    contactQuote = 64,    // a quotation under the name
};

// `hasLink` is the line's own fact (a link can begin in it); `words` how
// many words it holds, as lineWords counts them.
unsigned contactKindOf(const messageLine& line, bool hasLink, std::size_t words);

// A line whose first word opens a quotation: what makes it contactQuote.
bool opensQuotation(const messageLine& line);

// A line that is a sentence of prose: six words or more ending with '.',
// '!' or '?', or ten words or more; `words` as lineWords counts them.
bool isSentenceLine(const messageLine& line, std::size_t words);

// A line that is a notice of its own: whole sentences that tell why the
// reader gets the mail or how to stop it. HTML text has no blank line
// between its paragraphs, so a notice may share a block with the text.
bool isNoticeLine(const messageLine& line);

// A name on a line of its own: one to four words that each begin with a
// capital, no digit, no '@'.
bool isNameLine(const messageLine& line);

// A line that is only a link or an address, perhaps with a word or two
// ("Web: http://...").
bool isLinkOnlyLine(const messageLine& line, bool hasLink);

// Whether a line holds a link or an address.
bool holdsLinkOrAddress(const messageLine& line, bool hasLink);

}  // namespace postsift
