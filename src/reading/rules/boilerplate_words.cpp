#include "reading/rules/boilerplate_words.h"

#include <cstring>

#include "reading/lines/byte_set.h"
#include "reading/lines/folded_phrases.h"
#include "reading/rules/phrase_gate.h"
#include "reading/rules/word_runs.h"
#include "support/ascii.h"

namespace postsift {

namespace {

// All phrases are folded: lower case, accents as Windows-1252 bytes.

// A sentence that begins so tells the reader why the mail comes or how to
// stop it.
const char* const noticeStarts[] = {
    "to unsubscribe", "to be removed", "to remove yourself", "to remove your", "to stop receiving", "to opt out",
    "to opt-out", "to leave this list", "to leave the list", "to cancel your subscription",
    "to change your subscription", "to change your address", "to change your e-mail", "to change your email",
    "to update your", "to manage your", "to modify your", "you are receiving this", "you're receiving this",
    "you received this", "you have received this because", "you are subscribed", "you are currently subscribed",
    "you were sent this", "this email was sent to", "this e-mail was sent to", "this message was sent to",
    "this newsletter was sent to", "unsubscribe:", "unsubscribe here", "unsubscribe from", "unsubscribe at",
    "unsubscribe by", "unsubscribe instantly", "click here to unsubscribe", "click here to be removed",
    "click here to remove", "click here to opt", "click below to unsubscribe", "click below to be removed",
    // French
    "pour vous d\xe9sabonner", "pour vous d\xe9sinscrire", "pour ne plus recevoir", "pour vous retirer de",
    "pour modifier votre abonnement", "pour modifier vos pr\xe9" "f\xe9rences", "pour changer votre adresse",
    "vous recevez ce", "vous recevez cet", "vous \xea" "tes abonn\xe9", "vous \xea" "tes inscrit", "d\xe9sabonnement",
    "d\xe9sinscription", "se d\xe9sabonner", "cliquez ici pour vous d\xe9sabonner",
    // German
    "zum abmelden", "um sich abzumelden", "um sich von", "abmelden:", "abbestellen:", "newsletter abbestellen",
    "newsletter abmelden", "sie erhalten diese", "sie erhalten diesen", "sie bekommen diese", "sie sind abonnent",
    "abmeldung",
};

// A sentence that begins so is a notice when it also names a subscription,
// a list or a removal.
const char* const conditionalStarts[] = {
    "if you ", "if u ", "si vous", "wenn sie", "falls sie", "sollten sie", "click here", "click below", "cliquez ici",
    "klicken sie", "you received", "you have received", "you are receiving", "vous avez re\xe7u", "sie haben diese",
    "this email", "this e-mail", "this message", "this newsletter", "to change", "to update", "to manage",
    "your use of", "use of this", "votre utilisation", "die nutzung",
};

// Words (by their start) that name a subscription, a list or a removal.
const char* const mailingWords[] = {
    "unsubscri", "subscri", "be removed", "removed from", "remove you", "remove your", "removal", "opt-out",
    "opt out", "opt-in", "optout", "newsletter", "mailing", "this list", "our list", "the list", "preferences",
    "no longer", "these emails", "these e-mails", "terms of", "subject to", "d\xe9sabonn", "d\xe9sinscri", "abonn",
    "liste", "pr\xe9" "f\xe9rences", "plus recevoir", "conditions d'utilisation", "abmeld", "abbestell", "verteiler",
    "austrag", "einstellungen", "nutzungsbedingungen",
};

// Anywhere in a sentence, these make it a notice.
const char* const noticePhrases[] = {
    "click here to unsubscribe", "click here to be removed", "to be removed from", "unsubscribe from this",
    "unsubscribe link", "unsubscribe page", "change your preferences", "update your preferences",
    "manage your preferences", "manage your subscription", "update your subscription", "change your subscription",
    "email preferences", "stop receiving", "no longer wish to receive", "no longer want to receive",
    "do not wish to receive", "don't wish to receive", "prefer not to receive", "remove you from", "removed from our",
    "removed from this", "removed from future", "pour vous d\xe9sabonner", "vous d\xe9sinscrire", "vous d\xe9sabonner",
    "ne plus recevoir", "vos pr\xe9" "f\xe9rences", "votre abonnement", "sie erhalten diese", "newsletter abbestellen",
    "newsletter abmelden", "sich abzumelden", "abonnement k\xfcndigen", "einstellungen \xe4ndern",
};

// The label of a link that stops the mail, alone in a short sentence.
const char* const noticeLabels[] = {
    "unsubscribe", "abmelden", "abbestellen", "d\xe9sabonner", "d\xe9sinscri", "d\xe9sabonnement", "preferences",
    "pr\xe9" "f\xe9rences", "opt-out", "opt out", "se d\xe9sinscrire",
};

// Words by which a sentence speaks of its writer: "don't unsubscribe me".
const char* const personalWords[] = {"me", "i", "my", "i'm", "don't", "not", "je", "moi", "pas", "ich", "mich", "nicht", "mir"};

// A notice speaks for a list or a company ("we", "us"), never as "I".
const char* const firstPersonWords[] = {"i", "i've", "i'm", "i'd", "i'll", "i\x92ve", "i\x92m", "me", "my", "je",
                                        "j'ai", "j\x92" "ai", "moi", "ich", "mich", "mir", "mein", "meine"};

// The five things a disclaimer says.
const char* const confidentialWords[] = {"confidential", "privileged", "confidentiel", "vertraulich", "privil\xe9gi",
                                         "secret professionnel"};
const char* const addresseeWords[] = {"intended recipient", "intended solely", "intended only", "intended exclusively",
                                      "addressee", "destinataire", "empf\xe4nger", "adressat"};
const char* const errorWords[] = {"in error", "by mistake", "erroneous", "par erreur", "irrt\xfcmlich", "versehentlich",
                                  "f\xe4lschlich", "delete", "destroy", "supprim", "d\xe9trui", "l\xf6sch", "vernicht",
                                  "notify the sender", "notify us"};
const char* const bindingWords[] = {"not binding", "legally binding", "liability", "liable", "responsabilit\xe9",
                                    "haftung", "rechtsverbindlich", "views expressed", "opinions expressed",
                                    "not necessarily", "n'engage", "ne saurait", "unauthori", "prohibited", "forbidden",
                                    "interdit", "untersagt", "nicht gestattet", "unbefugt", "unzul\xe4ssig", "disclaimer"};
const char* const selfWords[] = {"this e-mail", "this email", "this message", "this communication", "this transmission",
                                 "this mail", "the information contained", "its attachments", "any attachments",
                                 "any files transmitted", "ce message", "ce courriel", "cet e-mail", "cet email",
                                 "ce mail", "ce courrier", "diese e-mail", "diese email", "diese nachricht", "diese mail",
                                 "dieses e-mail", "dieser e-mail", "dieser nachricht"};

// "Sponsor" alone may be a word of the sender's ("our sponsor"): these say
// that the block is the sponsor's.
const char* const sponsorPhrases[] = {"sponsored by", "is sponsored", "sponsor:", "sponsors:", "sponsor -",
                                      "advertisement", "advertising", "advertiser", "anzeige", "publicit\xe9",
                                      "werbung", "r\xe9" "clame", "gesponsert", "sponsoris\xe9"};
const char* const sponsorWords[] = {"sponsor", "advertis", "anzeige", "publicit\xe9", "werbung"};
// Whole words: "win" is no "Windows".
const char* const advertWords[] = {"free", "gratuit", "gratuite", "kostenlos", "kostenlose", "get your", "join", "try",
                                   "sign up", "signup", "download", "win", "gagnez", "gewinnen", "do you", "offer",
                                   "offre", "angebot", "easiest", "world's", "click here", "cliquez", "jetzt",
                                   "inscrivez"};
const char* const listWordList[] = {"listinfo", "mailman", "subscri", "unsubscri", "mailing list", "mailing-list",
                                    "liste de diffusion", "mailingliste", "mailing-liste", "majordomo", "listserv",
                                    "list archive"};
const char* const virusWords[] = {"virus", "viren", "antivir"};
const char* const scannedWords[] = {"scanned", "checked", "swept", "scan", "free", "gepr\xfc" "ft", "v\xe9rifi\xe9",
                                    "analys\xe9", "durchsucht", "contr\xf4l\xe9", "clean", "sauber"};

const char* const deviceStarts[] = {"sent from my ", "sent from a ", "sent via ", "sent using ", "envoy\xe9 de mon ",
                                    "envoy\xe9 depuis mon ", "envoy\xe9 \xe0 partir de mon ", "von meinem ",
                                    "gesendet von meinem ", "gesendet mit "};

const char* const signOffs[] = {
    "regards", "best", "cheers", "thanks", "thank you", "many thanks", "sincerely", "yours", "kind regards",
    "best regards", "warm regards", "all the best", "take care", "cordialement", "bien cordialement",
    "bien \xe0 vous", "salutations", "amicalement", "amiti\xe9s", "bonne journ\xe9" "e", "merci", "\xe0 bient\xf4t",
    "mit freundlichen gr\xfc\xdf" "en", "freundliche gr\xfc\xdf" "e", "viele gr\xfc\xdf" "e", "beste gr\xfc\xdf" "e",
    "liebe gr\xfc\xdf" "e", "herzliche gr\xfc\xdf" "e", "gr\xfc\xdf" "e", "gru\xdf", "mfg", "lg", "vg", "danke",
    "tsch\xfcss", "bis bald",
};

const char* const phoneLabels[] = {"tel", "t\xe9l", "phone", "telephone", "t\xe9l\xe9phone", "telefon", "fax", "mobile",
                                   "mob", "cell", "ph", "t", "f", "m", "p", "o", "fon", "portable", "handy", "mobil",
                                   "direct", "office", "work", "home", "ext", "x", "gsm", "fixe", "bureau", "zentrale",
                                   "durchwahl"};
const char* const handleLabels[] = {"icq", "aim", "jabber", "xmpp", "skype", "irc", "matrix", "msn", "gpg", "pgp", "im",
                                    "signal", "keybase", "yim", "twitter", "mastodon"};
const char* const titleWords[] = {
    "manager", "director", "engineer", "technician", "officer", "president", "professor", "prof", "lecturer",
    "consultant", "developer", "administrator", "analyst", "coordinator", "assistant", "secretary", "head", "chair",
    "chairman", "founder", "co-founder", "partner", "editor", "researcher", "scientist", "specialist", "architect",
    "ceo", "cto", "cfo", "coo", "supervisor", "executive", "associate", "senior", "junior", "principal",
    "directeur", "directrice", "ing\xe9nieur", "ing\xe9nieure", "charg\xe9", "charg\xe9" "e", "responsable",
    "g\xe9rant", "g\xe9rante", "professeur", "chercheur", "chercheuse", "conseiller", "conseill\xe8re", "technicien",
    "technicienne", "pr\xe9sident", "pr\xe9sidente", "leiter", "leiterin", "gesch\xe4" "ftsf\xfchrer",
    "gesch\xe4" "ftsf\xfchrerin", "ingenieur", "ingenieurin", "referent", "referentin", "berater", "beraterin",
    "sachbearbeiter", "sachbearbeiterin", "vorstand", "entwickler", "entwicklerin", "techniker", "technikerin",
    "assistent", "assistentin", "inhaber", "inhaberin",
};
const char* const companyWords[] = {
    "inc", "ltd", "llc", "gmbh", "ag", "kg", "sa", "sarl", "sas", "plc", "corp", "corporation", "company",
    "institute", "institut", "university", "universit\xe9", "universit\xe4t", "laboratory", "laboratoire", "labor",
    "lab", "department", "d\xe9partement", "dept", "faculty", "facult\xe9", "school", "\xe9" "cole", "college",
    "hochschule", "group", "groupe", "gruppe", "association", "verein", "foundation", "fondation", "stiftung",
    "society", "soci\xe9t\xe9", "ministry", "minist\xe8re", "ministerium", "council", "agency", "agence", "services",
    "solutions", "systems", "technologies", "centre", "center", "zentrum", "gesellschaft", "e.v", "abteilung",
};
const char* const streetWords[] = {"street", "st", "road", "rd", "avenue", "ave", "lane", "drive", "boulevard", "blvd",
                                   "box", "po", "suite", "floor", "level", "building", "rue", "chemin", "place", "bp",
                                   "cedex", "all\xe9" "e", "impasse", "quai", "stra\xdf" "e", "strasse", "str", "weg",
                                   "platz", "allee", "postfach", "gasse", "ring", "route", "way", "court", "square"};

// What a word of a block may say, one bit for each list above; the five
// sides of a disclaimer in a row.
enum cue : unsigned {
    cueNoticeStart = 1u << 0,
    cueConditionalStart = 1u << 1,
    cueNoticePhrase = 1u << 2,
    cueMailing = 1u << 3,
    cueNoticeLabel = 1u << 4,
    cuePersonal = 1u << 5,
    cueFirstPerson = 1u << 6,
    cueConfidential = 1u << 7,  // the first of the five sides of a disclaimer
    cueAddressee = 1u << 8,
    cueError = 1u << 9,
    cueBinding = 1u << 10,
    cueSelf = 1u << 11,
    cueSponsorPhrase = 1u << 12,
    cueSponsorWord = 1u << 13,
    cueAdvert = 1u << 14,
    cueListWord = 1u << 15,
    cueVirus = 1u << 16,
    cueScanned = 1u << 17,
    cueDevice = 1u << 18,
    cueSignOff = 1u << 19,
};
const int disclaimerSideCount = 5;

// Every list of a block's words in one index, built once: each word of a
// block is looked up once, whatever the number of lists; and the gate that
// tells at a word's first bytes whether to look it up at all.
struct boilerplateIndex {
    foldedPhrases phrases;
    phraseGate gate;

    template <std::size_t n>
    void add(const char* const (&list)[n], unsigned cue, phraseFit fit) {
        phrases.add(list, cue, fit);
        gate.add(list, fit);
    }
};

// The words by which a sentence speaks of its writer ("I", "me", "not")
// are among the commonest of all, and what they tell counts only in a
// block that says what a notice says: an index without them lets most
// words of most blocks go at the gate (blockWords::personWords).
boilerplateIndex buildIndex(bool withPersonWords) {
    boilerplateIndex index;
    index.add(noticeStarts, cueNoticeStart, phraseFit::begins);
    index.add(conditionalStarts, cueConditionalStart, phraseFit::begins);
    index.add(noticePhrases, cueNoticePhrase, phraseFit::begins);
    index.add(mailingWords, cueMailing, phraseFit::begins);
    index.add(noticeLabels, cueNoticeLabel, phraseFit::begins);
    if (withPersonWords) {
        index.add(personalWords, cuePersonal, phraseFit::isWord);
        index.add(firstPersonWords, cueFirstPerson, phraseFit::isWord);
    }
    index.add(confidentialWords, cueConfidential, phraseFit::begins);
    index.add(addresseeWords, cueAddressee, phraseFit::begins);
    index.add(errorWords, cueError, phraseFit::begins);
    index.add(bindingWords, cueBinding, phraseFit::begins);
    index.add(selfWords, cueSelf, phraseFit::begins);
    index.add(sponsorPhrases, cueSponsorPhrase, phraseFit::begins);
    index.add(sponsorWords, cueSponsorWord, phraseFit::begins);
    index.add(advertWords, cueAdvert, phraseFit::beginsThenNoLetter);
    index.add(listWordList, cueListWord, phraseFit::begins);
    index.add(virusWords, cueVirus, phraseFit::begins);
    index.add(scannedWords, cueScanned, phraseFit::begins);
    index.add(deviceStarts, cueDevice, phraseFit::begins);
    // "Best," but not "Bestellung".
    index.add(signOffs, cueSignOff, phraseFit::beginsThenNoWordByte);
    return index;
}

const boilerplateIndex& boilerplatePhrases(blockWords::personWords persons) {
    if (persons == blockWords::personWords::skipped) {
        static const boilerplateIndex withoutPersons = buildIndex(false);
        return withoutPersons;
    }
    static const boilerplateIndex withPersons = buildIndex(true);
    return withPersons;
}

// What a word of a signature's contact block may be, one bit for each list.
enum contactCue : unsigned {
    cuePhoneLabel = 1u << 0,
    cueHandleLabel = 1u << 1,
    cueTitleWord = 1u << 2,
    cueCompanyWord = 1u << 3,
    cueStreetWord = 1u << 4,
};

const foldedPhrases& contactWords() {
    static const foldedPhrases words = [] {
        foldedPhrases index;
        index.add(phoneLabels, cuePhoneLabel, phraseFit::isWord);
        index.add(handleLabels, cueHandleLabel, phraseFit::isWord);
        index.add(titleWords, cueTitleWord, phraseFit::isWord);
        index.add(companyWords, cueCompanyWord, phraseFit::isWord);
        index.add(streetWords, cueStreetWord, phraseFit::isWord);
        return index;
    }();
    return words;
}

// Which lists of contact words [begin, end) is a word of.
unsigned contactCuesOf(const char* begin, const char* end) { return contactWords().cuesAt(begin, end, end); }

// [begin, end) without the punctuation at either end ('.' inside stays:
// "e.v", "s.a").
inline textWord bareWord(textWord word) {
    while (word.begin < word.end && !isWordByte(static_cast<unsigned char>(*word.begin))) ++word.begin;
    while (word.end > word.begin && !isWordByte(static_cast<unsigned char>(word.end[-1]))) --word.end;
    return word;
}

// Closing quotes and brackets after a sentence's mark (and a stray NUL).
constexpr bool isClosingMark(char c) {
    switch (c) {
        case '"': case '\'': case ')': case ']': case '*': case '\x94': case '\xbb': case '\0': return true;
        default: return false;
    }
}

// The last byte before closing quotes and brackets.
char lastMark(const char* begin, const char* end) {
    while (end > begin && isClosingMark(end[-1])) --end;
    return end > begin ? end[-1] : '\0';
}

bool endsSentence(const char* begin, const char* end) {
    const char c = lastMark(begin, end);
    return c == '.' || c == '!' || c == '?';
}

// "://" in [begin, end).
bool holdsScheme(const char* begin, const char* end) {
    for (const char* p = begin; p + 3 <= end; ++p)
        if (p[0] == ':' && p[1] == '/' && p[2] == '/') return true;
    return false;
}

std::size_t digitCount(const char* begin, const char* end) {
    std::size_t digits = 0;
    for (const char* p = begin; p < end; ++p) digits += isAsciiDigit(static_cast<unsigned char>(*p)) ? 1 : 0;
    return digits;
}

bool holdsAddress(const char* begin, const char* end) {
    const char* at = static_cast<const char*>(std::memchr(begin, '@', static_cast<std::size_t>(end - begin)));
    if (at == nullptr || at == begin || !isWordByte(static_cast<unsigned char>(at[-1]))) return false;
    const char* p = at + 1;
    bool dot = false;
    while (p < end && (isWordByte(static_cast<unsigned char>(*p)) || *p == '.' || *p == '-')) {
        dot = dot || (*p == '.' && p + 1 < end && isWordByte(static_cast<unsigned char>(p[1])));
        ++p;
    }
    return dot;
}

// A word of a link or an address: "http://...", "www...", "ana@example.org".
bool isLinkWord(textWord w) {
    return std::memchr(w.begin, '@', w.length()) != nullptr || holdsScheme(w.begin, w.end) ||
           startsWithFolded(w.begin, w.end, "www.") || startsWithFolded(w.begin, w.end, "<www.") ||
           startsWithFolded(w.begin, w.end, "mailto:");
}

// What the words of a short line of a contact block are, told by one walk
// over them.
struct contactLineWords {
    // Each word is digits and the signs of phone numbers ("+33 (0)1 23 45
    // 67 89"), or a label of numbers ("Tel: 555 0199 / Fax: 555 0198").
    bool phoneSignsOnly = true;
    std::size_t otherThanLinks = 0;  // words that are no link or address
    unsigned cues = 0;  // the lists of contact words that its words are of
    bool postcode = false;    // a word of four or five digits ...
    bool placeName = false;   // ... and a word of two letters or more without one
};

// What a byte of a word of a contact line is, as bits.
enum : unsigned char { contactDigit = 1, contactNoPhoneSign = 2, contactWordEnd = 4 };
constexpr byteTable<unsigned char> contactBytes = tableOfBytes<unsigned char>([](unsigned char c) {
    constexpr byteSet phoneSigns("+()-./:");  // beside digits
    const bool digit = c >= '0' && c <= '9';
    unsigned kind = digit ? contactDigit : 0;
    if (!digit && !phoneSigns(static_cast<char>(c))) kind |= contactNoPhoneSign;
    // "Technician, Soil Laboratory": a word may end at a comma or a slash.
    if (c == ',' || c == '/') kind |= contactWordEnd;
    return kind;
});

// What is asked of the words of a line: only what may make it a contact
// line of some kind is worked out.
enum : unsigned { askPhone = 1, askLinks = 2, askNames = 4 };

contactLineWords contactWordsOf(const char* begin, const char* end, unsigned asked) {
    contactLineWords found;
    wordRuns runs;
    for (const char* piece = begin; piece < end;) {
        piece = runs.split(piece, end);
        for (std::size_t run = 0; run < runs.count(); ++run) {
            const textWord w{runs.begin(run), runs.end(run)};
            const textWord bare = bareWord(w);
            if ((asked & askLinks) != 0 && !bare.empty() && !isLinkWord(w)) ++found.otherThanLinks;
            if ((asked & (askPhone | askNames)) == 0) continue;
            const unsigned cues = contactCuesOf(bare.begin, bare.end);
            found.cues |= cues;
            std::size_t digits = 0;
            unsigned kinds = 0;
            for (const char* p = bare.begin; p < bare.end; ++p) {
                const unsigned kind = contactBytes.of[static_cast<unsigned char>(*p)];
                digits += kind & contactDigit;
                kinds |= kind;
            }
            if ((kinds & contactNoPhoneSign) != 0 && (cues & cuePhoneLabel) == 0) found.phoneSignsOnly = false;
            if ((kinds & contactWordEnd) != 0 && (asked & askNames) != 0) {
                for (const char* p = bare.begin; p < bare.end; ++p)
                    if ((contactBytes.of[static_cast<unsigned char>(*p)] & contactWordEnd) != 0)
                        found.cues |= contactCuesOf(bare.begin, p) | contactCuesOf(p + 1, bare.end);
            }
            if ((digits == 4 || digits == 5) && digits == bare.length()) found.postcode = true;
            if (bare.length() >= 2 && digits == 0) found.placeName = true;
        }
    }
    return found;
}

// One lookup a byte: every line of a block is asked whether it is a rule.
constexpr byteSet ruleBytes("-_=*~");
bool isRuleByte(char c) { return ruleBytes(c); }

}  // namespace

std::string_view foldContent(const messageLine& line, char* folded) {
    // As phrases are compared: a list's names are looked for so.
    const std::size_t length = static_cast<std::size_t>(line.end - line.content);
    for (std::size_t i = 0; i < length; ++i)
        folded[i] = static_cast<char>(phraseBytes.of[static_cast<unsigned char>(line.content[i])]);
    return std::string_view(folded, length);
}

bool isRuleLine(const messageLine& line) {
    const char* p = skipBlanks(line.content, line.end);
    const char* start = p;
    while (p < line.end && isRuleByte(*p)) ++p;
    return p - start >= 4;
}

namespace {

// What a byte is to the walk over a block's words, as bits (the words are
// cut at blanks by wordRuns).
enum : unsigned char { byteOfWord = 1, byteClosing = 2, byteEndsSentence = 4 };
constexpr byteTable<unsigned char> wordBytes = tableOfBytes<unsigned char>([](unsigned char c) {
    unsigned kind = 0;
    if (isWordByte(c)) kind |= byteOfWord;
    if (isClosingMark(static_cast<char>(c))) kind |= byteClosing;
    if (c == '.' || c == '!' || c == '?' || c == ':' || c == '|') kind |= byteEndsSentence;
    return kind;
});
inline unsigned kindOf(char c) { return wordBytes.of[static_cast<unsigned char>(c)]; }

}  // namespace

void blockWords::addLine(const char* begin, const char* end) {
    // Counts kept out of the object while the line is walked.
    std::size_t lineWords = 0;
    std::size_t sentenceWords = sentence_.words;
    lineCues_ = 0;
    const boilerplateIndex& index = boilerplatePhrases(persons_);
    lineStartCues_ = 0;
    // A line that begins with a capital or a sign, after a line that ended
    // its sentence or stood alone, begins a sentence; the folded text no
    // longer shows capitals, so a line start after an unfinished sentence
    // goes on with it.
    bool startsSentence = sentenceEnded_;
    // Most sentences say nothing that their end weighs: such a sentence
    // ends by its count starting again.
    bool weighed = sentenceWeighed();
    wordRuns runs;
    const char* start = nullptr;  // where the line's first run begins
    for (const char* piece = begin; piece < end;) {
        piece = runs.split(piece, end);
        if (start == nullptr && runs.count() > 0) {
            // What the line says from its first byte on, not from its
            // first word's: "(Sent from my phone)" is no device's line. A
            // line that begins with a byte of a word says what its first
            // word says, which is told where the word is looked up.
            start = runs.begin(0);
            if ((kindOf(*start) & byteOfWord) == 0) lineStartCues_ = index.phrases.cuesAt(start, start, end);
        }
        for (std::size_t run = 0; run < runs.count(); ++run) {
            // The word, and within it its bytes of a word, without the
            // punctuation around them (which is seldom more than a byte).
            const char* wordBegin = runs.begin(run);
            const char* wordEnd = runs.end(run);
            const char* bareBegin = wordBegin;
            while (bareBegin < wordEnd && (kindOf(*bareBegin) & byteOfWord) == 0) ++bareBegin;
            if (bareBegin != wordEnd) {
                ++sentenceWords;
                ++lineWords;
                // Most words begin no phrase, which their first bytes tell.
                if (index.gate.mayBeginAt(bareBegin, end)) {
                    const char* bareEnd = wordEnd;
                    while ((kindOf(bareEnd[-1]) & byteOfWord) == 0) --bareEnd;
                    const unsigned cues = index.phrases.cuesAt(bareBegin, bareEnd, end);
                    if (bareBegin == start) lineStartCues_ = cues;
                    if (cues != 0) {
                        word(cues, startsSentence);
                        weighed = true;
                    }
                }
            }
            const unsigned last = kindOf(wordEnd[-1]);
            startsSentence = (last & byteEndsSentence) != 0;
            if ((last & byteClosing) != 0)
                startsSentence = (kindOf(lastMark(wordBegin, wordEnd)) & byteEndsSentence) != 0;
            if (weighed && startsSentence) {
                sentence_.words = sentenceWords;
                endSentence();
                weighed = sentenceWeighed();
            }
            sentenceWords = startsSentence ? 0 : sentenceWords;
        }
    }
    sentence_.words = sentenceWords;
    words_ += lineWords;
    lineWords_ = lineWords;
    judgeLine();
    // A line of its own ending without a full stop ("Unsubscribe") ends its
    // sentence when it is short; prose goes on in the next line.
    if (!sentence_.words) {
        sentenceEnded_ = true;
    } else if (sentence_.words <= 4 || endsSentence(begin, end)) {
        endSentence();
        sentenceEnded_ = true;
    } else {
        sentenceEnded_ = false;
    }
}

bool blockWords::sentenceWeighed() const {
    const sentenceCues& s = sentence_;
    return s.notice | s.personal | s.shortLabel | weakStart_ | aboutMailing_ | (carried_ != 0);
}

void blockWords::word(unsigned cues, bool startsSentence) {
    lineCues_ |= cues;
    blockCues_ |= cues;
    // Each cue sets what it says without a branch of its own: the words
    // that say anything say one thing or another, in no order to guess.
    const unsigned starting = startsSentence ? cues : 0u;
    sentence_.notice |= ((starting & cueNoticeStart) | (cues & cueNoticePhrase)) != 0;
    weakStart_ |= (starting & cueConditionalStart) != 0;
    aboutMailing_ |= (cues & cueMailing) != 0;
    sentence_.shortLabel |= (cues & cueNoticeLabel) != 0;
    sentence_.personal |= (cues & cuePersonal) != 0;
    disclaimerSays_ |= (cues / cueConfidential) & ((1u << disclaimerSideCount) - 1);
    int sides = 0;
    for (int side = 0; side < disclaimerSideCount; ++side) sides += static_cast<int>(disclaimerSays_ >> side & 1u);
    disclaimerSides_ = sides;
}

void blockWords::judgeLine() {
    const bool device = (lineStartCues_ & cueDevice) != 0;
    const bool virusNote = ((lineCues_ & cueVirus) != 0) & ((lineCues_ & cueScanned) != 0);
    lineIsAutomatic_ = (device & (lineWords_ <= 10)) | (virusNote & (lineWords_ <= 14));
    lineSignsOff_ = (lineWords_ <= 5) & ((lineStartCues_ & cueSignOff) != 0);
    // A notice's sentence begins or holds a notice's phrase, or is a short
    // label, or begins with a condition and names a subscription.
    const unsigned notice = cueNoticeStart | cueNoticePhrase | cueNoticeLabel;
    lineMayBeNotice_ =
        ((lineCues_ & notice) != 0) | (((lineCues_ & cueConditionalStart) != 0) & ((lineCues_ & cueMailing) != 0));
}

void blockWords::endSentence() {
    const sentenceCues& s = sentence_;
    const bool label = s.shortLabel && s.words <= 4 && !s.personal;
    if (s.notice || (weakStart_ && aboutMailing_) || label) {
        noticeWords_ += s.words + carried_;
        carried_ = 0;
    } else if (weakStart_ && s.words <= 4) {
        // "Your use of Yahoo! Groups is subject to ...": a name with an
        // exclamation mark does not end what the sentence began.
        carried_ = s.words;
        sentence_ = sentenceCues();
        aboutMailing_ = false;
        return;
    } else {
        carried_ = 0;
    }
    sentence_ = sentenceCues();
    weakStart_ = false;
    aboutMailing_ = false;
}

void blockWords::finish() {
    if (sentence_.words > 0) endSentence();
    sentenceEnded_ = true;
}

// Confidential, delete it if it reached you in error, binds nobody.
bool blockWords::disclaimerClaim() const { return (disclaimerSays_ & 0xdu) != 0; }
bool blockWords::firstPerson() const { return (blockCues_ & cueFirstPerson) != 0; }
bool blockWords::needsPersonWords() const {
    // A block with no notice words is no notice, whether or not it speaks
    // as "I"; and a short sentence that is a notice's label counts as
    // notice words unless it speaks of the writer, which the skipped words
    // would only have undone: without notice words here, there are none
    // with them either.
    return persons_ == personWords::skipped && noticeWords_ > 0;
}
bool blockWords::sponsor() const { return (blockCues_ & cueSponsorPhrase) != 0; }
bool blockWords::sponsorWord() const { return (blockCues_ & cueSponsorWord) != 0; }
bool blockWords::signupAdvert() const { return (blockCues_ & cueAdvert) != 0; }
bool blockWords::listWords() const { return (blockCues_ & cueListWord) != 0; }
bool blockWords::virusCheck() const { return (blockCues_ & cueVirus) != 0 && (blockCues_ & cueScanned) != 0; }

bool holdsListLink(const messageLine& line) {
    return findFolded(line.content, line.end, "listinfo") != nullptr ||
           findFolded(line.content, line.end, "mailman") != nullptr ||
           findFolded(line.content, line.end, "subscri") != nullptr;
}

bool opensQuotation(const messageLine& line) {
    // The first word's first byte: where its end is does not matter.
    const char* first = skipBlanks(line.content, line.end);
    if (first == line.end) return false;
    const unsigned char lead = static_cast<unsigned char>(*first);
    return lead == '"' || lead == 0x93 || lead == 0xab || lead == 0x84;
}

unsigned contactKindOf(const messageLine& line, bool hasLink, std::size_t words) {
    const char* begin = line.content;
    const char* end = line.end;
    const textWord first = wordAt(begin, end);
    if (first.empty()) return 0;
    unsigned kinds = 0;
    if (opensQuotation(line)) kinds |= contactQuote;
    // Every digit is in a word, where the walk below would count it.
    const std::size_t digits = digitCount(begin, end);
    const textWord label = bareWord(first);
    if ((contactCuesOf(label.begin, label.end) & cueHandleLabel) != 0 &&
        (std::memchr(begin, ':', static_cast<std::size_t>(end - begin)) != nullptr || digits > 0))
        kinds |= contactHandle;
    // A phone number, a link or an address, the words of a title, a
    // company or a street: each asks the words of the line, which are
    // walked once, and only when one of them may be there.
    const bool phone = digits >= 6;
    const bool link = holdsLinkOrAddress(line, hasLink);
    const bool named = words <= 8 && !isSentenceLine(line, words);
    if (!phone && !link && !named) return kinds;
    const contactLineWords found =
        contactWordsOf(begin, end, (phone ? askPhone : 0u) | (link ? askLinks : 0u) | (named ? askNames : 0u));
    if (phone && found.phoneSignsOnly) kinds |= contactPhone;
    if (link && found.otherThanLinks <= 3) kinds |= contactLink;
    if (named) {
        if ((found.cues & cueTitleWord) != 0) kinds |= contactTitle;
        if ((found.cues & cueCompanyWord) != 0) kinds |= contactCompany;
        if (digits > 0 && ((found.cues & cueStreetWord) != 0 || (found.postcode && found.placeName)))
            kinds |= contactAddress;
    }
    return kinds;
}

bool isNoticeLine(const messageLine& line) {
    if (!endsSentence(line.content, line.end)) return false;
    blockWords words;
    words.addLine(line);
    words.finish();
    return words.noticeWords() > 0 && 2 * words.noticeWords() >= words.words() && !words.firstPerson();
}

bool isSentenceLine(const messageLine& line, std::size_t words) {
    return words >= 10 || (words >= 6 && endsSentence(line.content, line.end));
}

bool isNameLine(const messageLine& line) {
    const char* end = trimBlanks(line.content, line.end);
    std::size_t words = 0;
    for (textWord w = wordAt(line.content, end); !w.empty(); w = wordAt(w.end, end)) {
        const unsigned char c = static_cast<unsigned char>(*w.begin);
        const bool capital = (c >= 'A' && c <= 'Z') || (c >= 0xc0 && c <= 0xde && c != 0xd7);
        if (!capital || ++words > 4) return false;
        for (const char* p = w.begin; p < w.end; ++p)
            if (isAsciiDigit(static_cast<unsigned char>(*p)) || *p == '@' || *p == ':') return false;
    }
    return words > 0;
}

bool holdsLinkOrAddress(const messageLine& line, bool hasLink) {
    return hasLink || holdsAddress(line.content, line.end);
}

bool isLinkOnlyLine(const messageLine& line, bool hasLink) {
    if (!holdsLinkOrAddress(line, hasLink)) return false;
    std::size_t other = 0;
    const char* end = line.end;
    for (textWord w = wordAt(line.content, end); !w.empty(); w = wordAt(w.end, end))
        if (!bareWord(w).empty() && !isLinkWord(w)) ++other;
    return other <= 3;
}

}  // namespace postsift
