#pragma once

namespace postsift {

// The words of the sentence that says, after the body, what the reading
// left out: "Left out: the quoted text, a signature and the list footer."
// Each thing has its words for one and for more than one; the things are
// listed with commas, and `lastJoin` before the last one.
struct leftOutWords {
    const char* sentence;  // "[LEFT OUT]": the sentence, its "%s" standing for the list
    const char* lastJoin;  // " and "
    const char* quotedText;
    const char* earlierMessages[2];
    const char* signatures[2];
    const char* listFooters[2];
    const char* advertisements[2];
    const char* notices[2];
    const char* disclaimers[2];
    const char* attachments[2];
};

// Phrases that each language build brings for the features whose symbol a
// configuration need not define. A symbol of the same name in the filter's
// symbol table takes precedence (an empty one switches the phrase off); the
// built-in tables do not define these symbols, so a configuration written
// for the built-ins alone keeps working. In each phrase the first "%s"
// stands for the text it announces (the digest message's has three
// fillings); nothing else in it is a format.
struct languagePhrases {
    const char* attachment;        // "[ATTACHMENT]": a part left out, by file name
    const char* link;              // "[LINK]": a link, by host
    const char* attribution;       // "[ATTRIBUTION]": who wrote the quoted text
    const char* forwardedMessage;  // "[FORWARDED MESSAGE]": who wrote a forwarded message that is read
    // "[DIGEST MESSAGE]": a message of a digest, by its number, sender and
    // subject ("%1$s", "%2$s", "%3$s"; see appendPhraseFillings)
    const char* digestMessage;
    const char* listTag;           // "[LIST TAG]": the list a subject's tag names, said after the subject
    const char* roleAddress;       // "[ROLE ADDRESS]": the domain of a sender known by a role ("noreply")
    const char* forwardedDate;     // "[FORWARDED DATE]": when a forwarded message that is read was sent
    // "[CODE BLOCK]": a block of code, a log, a diff ... said instead of
    // read, by its kind ("%s") and its count of lines ("%d").
    const char* codeBlock;
    const char* linkAgain;         // "[LINK AGAIN]": a link to a host that its paragraph has named already
    leftOutWords leftOut;          // "[LEFT OUT]" and its words
};

// The phrases of the language this library was built for; each build's
// language folder defines it beside the choice of its built-in table.
const languagePhrases& buildLanguagePhrases();

class epostSift;

// The phrase of such a symbol: the symbol's own value when the filter's
// symbol table holds it, the build's phrase otherwise. Null when the phrase
// is empty: the thing it names is dropped.
const char* phraseOf(const epostSift& filter, const char* symbol, const char* buildDefault);

}  // namespace postsift
