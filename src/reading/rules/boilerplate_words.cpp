#include "reading/rules/boilerplate_words.h"

#include <cstring>

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

bool isWordByte(unsigned char c) { return isAsciiLetter(c) || isAsciiDigit(c) || c >= 128; }

template <std::size_t n>
bool startsWithWhole(const char* at, const char* end, const char* const (&phrases)[n]) {
    for (const char* phrase : phrases) {
        if (!startsWithFolded(at, end, phrase)) continue;
        const char* after = at + std::strlen(phrase);
        if (after == end || !isAsciiLetter(static_cast<unsigned char>(*after))) return true;
    }
    return false;
}

template <std::size_t n>
bool startsWithOne(const char* at, const char* end, const char* const (&phrases)[n]) {
    for (const char* phrase : phrases)
        if (startsWithFolded(at, end, phrase)) return true;
    return false;
}

// A word of the list, whole: [at, end) without the punctuation around it.
template <std::size_t n>
bool isOneOf(const char* at, const char* end, const char* const (&words)[n]) {
    for (const char* word : words)
        if (equalsFolded(at, end, word)) return true;
    return false;
}

// [begin, end) without the punctuation at either end ('.' inside stays:
// "e.v", "s.a").
textWord bareWord(textWord word) {
    while (word.begin < word.end && !isWordByte(static_cast<unsigned char>(*word.begin))) ++word.begin;
    while (word.end > word.begin && !isWordByte(static_cast<unsigned char>(word.end[-1]))) --word.end;
    return word;
}

}  // namespace

std::size_t wordCount(const std::string& folded) {
    std::size_t count = 0;
    const char* end = folded.data() + folded.size();
    for (textWord w = wordAt(folded.data(), end); !w.empty(); w = wordAt(w.end, end))
        if (!bareWord(w).empty()) ++count;
    return count;
}

namespace {

// The last byte before closing quotes and brackets.
char lastMark(const char* begin, const char* end) {
    while (end > begin && std::strchr("\"')]*\x94\xbb", end[-1]) != nullptr) --end;
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

// "+33 (0)1 23 45 67 89", "Tel: 555 0199 / Fax: 555 0198": digits, the
// signs of phone numbers and the labels of numbers, nothing else.
bool isPhoneLine(const std::string& folded) {
    const char* end = folded.data() + folded.size();
    if (digitCount(folded.data(), end) < 6) return false;
    for (textWord w = wordAt(folded.data(), end); !w.empty(); w = wordAt(w.end, end)) {
        const textWord bare = bareWord(w);
        bool letters = false;
        for (const char* p = bare.begin; p < bare.end; ++p) {
            const unsigned char c = static_cast<unsigned char>(*p);
            if (isAsciiDigit(c) || std::strchr("+()-./:", c) != nullptr) continue;
            letters = true;
        }
        if (letters && !isOneOf(bare.begin, bare.end, phoneLabels)) return false;
    }
    return true;
}

bool holdsPostcode(const std::string& folded) {
    const char* end = folded.data() + folded.size();
    bool code = false;
    bool word = false;
    for (textWord w = wordAt(folded.data(), end); !w.empty(); w = wordAt(w.end, end)) {
        const textWord bare = bareWord(w);
        const std::size_t digits = digitCount(bare.begin, bare.end);
        if ((digits == 4 || digits == 5) && digits == bare.length()) code = true;
        if (bare.length() >= 2 && digits == 0) word = true;
    }
    return code && word;
}

template <std::size_t n>
bool holdsWordOf(const std::string& folded, const char* const (&words)[n]) {
    const char* end = folded.data() + folded.size();
    for (textWord w = wordAt(folded.data(), end); !w.empty(); w = wordAt(w.end, end)) {
        const textWord bare = bareWord(w);
        if (isOneOf(bare.begin, bare.end, words)) return true;
        // "Technician, Soil Laboratory": a word may end at a comma or a slash.
        for (const char* p = bare.begin; p < bare.end; ++p) {
            if (*p != ',' && *p != '/') continue;
            if (isOneOf(bare.begin, p, words) || isOneOf(p + 1, bare.end, words)) return true;
        }
    }
    return false;
}

}  // namespace

std::string foldedContent(const messageLine& line) {
    std::string folded(line.content, line.end);
    for (char& c : folded) c = c == '\t' ? ' ' : static_cast<char>(foldedByte(c));
    return folded;
}

bool isRuleLine(const messageLine& line) {
    const char* p = skipBlanks(line.content, line.end);
    const char* start = p;
    while (p < line.end && std::strchr("-_=*~", *p) != nullptr && *p != '\0') ++p;
    return p - start >= 4;
}

bool isAutomaticLine(const messageLine& line) {
    const std::string folded = foldedContent(line);
    const char* begin = skipBlanks(folded.data(), folded.data() + folded.size());
    const char* end = folded.data() + folded.size();
    const std::size_t words = wordCount(folded);
    if (words <= 10 && startsWithOne(begin, end, deviceStarts)) return true;
    if (words > 14) return false;
    bool virus = false;
    bool scanned = false;
    for (textWord w = wordAt(begin, end); !w.empty(); w = wordAt(w.end, end)) {
        const textWord bare = bareWord(w);
        virus = virus || startsWithOne(bare.begin, bare.end, virusWords);
        scanned = scanned || startsWithOne(bare.begin, bare.end, scannedWords);
    }
    return virus && scanned;
}

void blockWords::addLine(const std::string& folded) {
    const char* begin = folded.data();
    const char* end = begin + folded.size();
    // Inside links and addresses too: ".../mailman/listinfo/choir",
    // "choir-unsubscribe@...".
    for (const char* part : {"listinfo", "mailman", "subscri"})
        if (!listWords_ && folded.find(part) != std::string::npos) listWords_ = true;
    textWord w = wordAt(begin, end);
    // A line that begins with a capital or a sign, after a line that ended
    // its sentence or stood alone, begins a sentence; the folded text no
    // longer shows capitals, so a line start after an unfinished sentence
    // goes on with it.
    bool startsSentence = sentenceEnded_;
    for (; !w.empty(); w = wordAt(w.end, end)) {
        word(w.begin, end, startsSentence);
        const char mark = lastMark(w.begin, w.end);
        startsSentence = mark == '.' || mark == '!' || mark == '?' || mark == ':' || mark == '|';
        if (startsSentence) endSentence();
    }
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

void blockWords::word(const char* at, const char* end, bool startsSentence) {
    const textWord bare = bareWord(wordAt(at, end));
    if (bare.empty()) return;
    // Phrases may run on past this word, to the end of the line.
    const char* from = bare.begin;
    ++words_;
    ++sentence_.words;
    if (startsSentence) {
        if (startsWithOne(from, end, noticeStarts)) sentence_.notice = true;
        if (startsWithOne(from, end, conditionalStarts)) weakStart_ = true;
    }
    if (startsWithOne(from, end, noticePhrases)) sentence_.notice = true;
    if (startsWithOne(from, end, mailingWords)) aboutMailing_ = true;
    if (startsWithOne(from, end, noticeLabels)) sentence_.shortLabel = true;
    if (isOneOf(bare.begin, bare.end, personalWords)) sentence_.personal = true;
    if (isOneOf(bare.begin, bare.end, firstPersonWords)) firstPerson_ = true;

    if (!disclaimer_[0] && startsWithOne(from, end, confidentialWords)) disclaimer_[0] = true;
    if (!disclaimer_[1] && startsWithOne(from, end, addresseeWords)) disclaimer_[1] = true;
    if (!disclaimer_[2] && startsWithOne(from, end, errorWords)) disclaimer_[2] = true;
    if (!disclaimer_[3] && startsWithOne(from, end, bindingWords)) disclaimer_[3] = true;
    if (!disclaimer_[4] && startsWithOne(from, end, selfWords)) disclaimer_[4] = true;
    if (!sponsor_ && startsWithOne(from, end, sponsorPhrases)) sponsor_ = true;
    if (!sponsorWord_ && startsWithOne(from, end, sponsorWords)) sponsorWord_ = true;
    if (!advert_ && startsWithWhole(from, end, advertWords)) advert_ = true;
    if (!listWords_ && startsWithOne(from, end, listWordList)) listWords_ = true;
    if (!virus_ && startsWithOne(from, end, virusWords)) virus_ = true;
    if (!scanned_ && startsWithOne(from, end, scannedWords)) scanned_ = true;
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

int blockWords::disclaimerSides() const {
    int sides = 0;
    for (bool side : disclaimer_) sides += side ? 1 : 0;
    return sides;
}

bool blockWords::disclaimerClaim() const { return disclaimer_[0] || disclaimer_[2] || disclaimer_[3]; }

unsigned contactKindOf(const std::string& folded, bool hasLink) {
    const char* begin = folded.data();
    const char* end = begin + folded.size();
    const textWord first = wordAt(begin, end);
    if (first.empty()) return 0;
    unsigned kinds = 0;
    const unsigned char lead = static_cast<unsigned char>(*first.begin);
    if (lead == '"' || lead == 0x93 || lead == 0xab || lead == 0x84) kinds |= contactQuote;
    if (isPhoneLine(folded)) kinds |= contactPhone;
    if (isLinkOnlyLine(folded, hasLink)) kinds |= contactLink;
    const textWord label = bareWord(first);
    if (isOneOf(label.begin, label.end, handleLabels) && (std::memchr(begin, ':', folded.size()) != nullptr ||
                                                          digitCount(begin, end) > 0))
        kinds |= contactHandle;
    const std::size_t words = wordCount(folded);
    if (words <= 8 && !isSentenceLine(folded)) {
        if (holdsWordOf(folded, titleWords)) kinds |= contactTitle;
        if (holdsWordOf(folded, companyWords)) kinds |= contactCompany;
        if (digitCount(begin, end) > 0 && (holdsWordOf(folded, streetWords) || holdsPostcode(folded)))
            kinds |= contactAddress;
    }
    return kinds;
}

bool isNoticeLine(const std::string& folded) {
    if (!endsSentence(folded.data(), folded.data() + folded.size())) return false;
    blockWords words;
    words.addLine(folded);
    words.finish();
    return words.noticeWords() > 0 && 2 * words.noticeWords() >= words.words() && !words.firstPerson();
}

bool isSentenceLine(const std::string& folded) {
    const std::size_t words = wordCount(folded);
    return words >= 10 || (words >= 6 && endsSentence(folded.data(), folded.data() + folded.size()));
}

bool isSignOffLine(const std::string& folded) {
    const char* end = folded.data() + folded.size();
    const char* begin = skipBlanks(folded.data(), end);
    if (wordCount(folded) > 5) return false;
    for (const char* signOff : signOffs) {
        if (!startsWithFolded(begin, end, signOff)) continue;
        const char* after = begin + std::strlen(signOff);
        // "Best," but not "Bestellung".
        if (after == end || !isWordByte(static_cast<unsigned char>(*after))) return true;
    }
    return false;
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

bool holdsLinkOrAddress(const std::string& folded, bool hasLink) {
    return hasLink || holdsAddress(folded.data(), folded.data() + folded.size());
}

bool isLinkOnlyLine(const std::string& folded, bool hasLink) {
    if (!holdsLinkOrAddress(folded, hasLink)) return false;
    std::size_t other = 0;
    const char* end = folded.data() + folded.size();
    for (textWord w = wordAt(folded.data(), end); !w.empty(); w = wordAt(w.end, end)) {
        const bool linkWord = std::memchr(w.begin, '@', w.length()) != nullptr || holdsScheme(w.begin, w.end) ||
                              startsWithFolded(w.begin, w.end, "www.") || startsWithFolded(w.begin, w.end, "<www.") ||
                              startsWithFolded(w.begin, w.end, "mailto:");
        if (!linkWord && !bareWord(w).empty()) ++other;
    }
    return other <= 3;
}

}  // namespace postsift
