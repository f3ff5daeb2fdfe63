#include "mail_sample.h"

#include <cstdint>
#include <vector>

namespace postsift::bench {
namespace {

// The same sequence on every run and every machine.
class randomSource {
public:
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    std::size_t below(std::size_t bound) { return next() % bound; }
    bool chance(unsigned percent) { return below(100) < percent; }
    template <std::size_t N>
    const char* pick(const char* const (&items)[N]) { return items[below(N)]; }

private:
    std::uint32_t state_ = 0x2545f491u;
};

// Windows-1252: \xe0 a grave, \xe7 c cedilla, \xe8 e grave, \xe9 e acute,
// \xea e circumflex, \xf4 o circumflex.
const char* const words[] = {
    "le", "la", "les", "de", "des", "du", "un", "une", "et", "en", "pour", "que", "qui", "dans",
    "sur", "avec", "pas", "plus", "nous", "vous", "il", "est", "sont", "avons", "avez", "faut",
    "serveur", "configuration", "r\xe9union", "projet", "version", "mise", "\xe0", "jour",
    "fichier", "rapport", "semaine", "prochaine", "probl\xe8me", "solution", "merci", "demain",
    "\xe9quipe", "base", "donn\xe9" "es", "r\xe9seau", "sauvegarde", "lundi", "janvier", "client",
    "commande", "livraison", "test", "r\xe9sultat", "question", "document", "page", "adresse",
    "message", "liste", "discussion", "d\xe9j\xe0", "peut-\xeatre", "c'est", "n'est", "l'\xe9quipe",
    "aujourd'hui", "tr\xe8s", "bien", "aussi", "encore", "apr\xe8s", "avant", "entre", "tout",
    "the", "of", "and", "to", "in", "is", "that", "for", "it", "with", "as", "was", "on", "be",
    "at", "by", "this", "have", "from", "patch", "build", "release", "kernel", "bug", "fix",
    "branch", "review", "mailbox", "upgrade", "disk", "backup", "queue", "would", "should",
    "I", "we", "they", "not", "but", "if", "or", "all", "new", "old", "first", "last", "next",
    "2003", "14", "v2.4.20", "10:30", "RFC", "SMTP", "IMAP", "DNS", "HTTP", "Postfix", "SQL",
};
const char* const sentenceEnds[] = {".", ".", ".", ".", "?", "!", "...", ":-)", ";-)", ":)"};
const char* const urls[] = {
    "https://www.exemple.fr/projets/2003/compte-rendu.html",
    "http://lists.exemple.net/pipermail/technique/2003-January/004512.html",
    "<https://bugs.exemple.org/show_bug.cgi?id=4711>",
    "ftp://ftp.exemple.org/pub/outils/sauvegarde-1.4.2.tar.gz",
    "www.exemple.com/doc/faq.html#migration",
};
const char* const people[] = {
    "Jean Dupont <jean.dupont@exemple.org>",
    "Camille Morel <camille.morel@exemple.fr>",
    "\"Luc Bernard\" <luc.bernard@exemple.com>",
    "Sophie Lambert <sophie.lambert@exemple.fr>",
    "Marc Petit <marc.petit@exemple.net>",
};
const char* const names[] = {"Jean Dupont", "Camille Morel", "Luc Bernard", "Sophie Lambert", "Marc Petit"};
const char* const attributions[] = {
    "Le mar. 14 janv. 2003 \xe0 09:12, %s a \xe9" "crit :",
    "On Mon, 13 Jan 2003 17:22:33 +0100, %s wrote:",
    "%s a \xe9" "crit :",
    "Le 13/01/2003 18:05, %s a \xe9" "crit :",
    "Quoting %s:",
};

const char boundary[] = "------------060108020807080204050702";

const char headers[] =
    "Return-Path: <technique-bounces@lists.exemple.net>\n"
    "Received: from lists.exemple.net (lists.exemple.net [192.0.2.25])\n"
    "\tby mx1.exemple.fr (Postfix) with ESMTP id 4A1B2C3D4E\n"
    "\tfor <camille.morel@exemple.fr>; Tue, 14 Jan 2003 09:12:44 +0100 (CET)\n"
    "Received: from [192.0.2.77] (port=51234 helo=portable.exemple.org)\n"
    "\tby lists.exemple.net with esmtpsa (TLS1.0:RSA_AES_256_CBC_SHA1:32)\n"
    "\t(Exim 4.10) id 18YQpQ-0003kW-00; Tue, 14 Jan 2003 09:12:40 +0100\n"
    "Message-ID: <3E23C2A8.5070104@exemple.org>\n"
    "Date: Tue, 14 Jan 2003 09:12:40 +0100\n"
    "From: Jean Dupont <jean.dupont@exemple.org>\n"
    "Organization: Exemple SARL\n"
    "User-Agent: Mozilla/5.0 (Windows; U; Windows NT 5.1; fr-FR; rv:1.2.1) Gecko/20021130\n"
    "X-Accept-Language: fr, en\n"
    "MIME-Version: 1.0\n"
    "To: Liste technique <technique@lists.exemple.net>\n"
    "Cc: Camille Morel <camille.morel@exemple.fr>, \"Luc Bernard\" <luc.bernard@exemple.com>\n"
    "Subject: Re: [technique] Migration du serveur de messagerie\n"
    "References: <3E22A1B0.9030503@exemple.fr> <20030113172233.GA1234@exemple.com>\n"
    "In-Reply-To: <20030113172233.GA1234@exemple.com>\n"
    "Content-Type: multipart/mixed;\n"
    " boundary=\"------------060108020807080204050702\"\n"
    "X-BeenThere: technique@lists.exemple.net\n"
    "X-Mailman-Version: 2.1\n"
    "Precedence: list\n"
    "List-Id: Discussions techniques <technique.lists.exemple.net>\n"
    "List-Unsubscribe: <http://lists.exemple.net/mailman/listinfo/technique>,\n"
    "\t<mailto:technique-request@lists.exemple.net?subject=unsubscribe>\n"
    "List-Archive: <http://lists.exemple.net/pipermail/technique>\n"
    "Sender: technique-bounces@lists.exemple.net\n"
    "\n"
    "This is a multi-part message in MIME format.\n";

const char textPartHeaders[] =
    "Content-Type: text/plain; charset=windows-1252; format=flowed\n"
    "Content-Transfer-Encoding: 8bit\n"
    "\n";

const char signature[] =
    "-- \n"
    "Camille Morel - Service informatique\n"
    "T\xe9l. : 01 23 45 67 89 - https://www.exemple.fr/\n";

const char forwardedHeaders[] =
    "-----Original Message-----\n"
    "From: Direction [mailto:direction@exemple.fr]\n"
    "Sent: Monday, January 13, 2003 3:02 PM\n"
    "To: Tout le personnel\n"
    "Subject: Intervention sur le r\xe9seau vendredi\n"
    "\n";

const char attachmentHeaders[] =
    "Content-Type: application/pdf;\n"
    " name=\"compte-rendu.pdf\"\n"
    "Content-Transfer-Encoding: base64\n"
    "Content-Disposition: attachment;\n"
    " filename=\"compte-rendu.pdf\"\n"
    "\n";

const char base64Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Lines of running text, wrapped before 72 columns, each line prefixed.
void paragraph(randomSource& random, std::string& out, const char* prefix) {
    const std::size_t wordCount = 25 + random.below(60);
    std::string line = prefix;
    const std::size_t prefixLength = line.size();
    bool sentenceStart = true;
    for (std::size_t i = 0; i < wordCount; ++i) {
        std::string word;
        if (random.chance(2)) {
            word = random.pick(urls);
        } else if (random.chance(1)) {
            word = random.pick(names);
        } else {
            word = random.pick(words);
            if (sentenceStart && word[0] >= 'a' && word[0] <= 'z') word[0] = static_cast<char>(word[0] - 'a' + 'A');
        }
        sentenceStart = false;
        if (i + 1 == wordCount || random.chance(7)) {
            const char* end = random.pick(sentenceEnds);
            word += end[0] == '.' || end[0] == '?' || end[0] == '!' ? end : (std::string(" ") + end);
            sentenceStart = true;
        } else if (random.chance(8)) {
            word += ',';
        }
        if (line.size() > prefixLength && line.size() + 1 + word.size() > 72) {
            out += line;
            out += '\n';
            line = prefix;
        }
        if (line.size() > prefixLength) line += ' ';
        line += word;
    }
    out += line;
    out += "\n\n";
}

// "NAME wrote:" in one of its usual shapes, with its line end.
std::string attribution(randomSource& random) {
    std::string line = random.pick(attributions);
    line.replace(line.find("%s"), 2, random.pick(names));
    return line + '\n';
}

// One message of the thread: an answer above (or between) quoted text of
// the messages before, and a signature.
void threadMessage(randomSource& random, std::string& out) {
    if (random.chance(30)) paragraph(random, out, "");
    out += attribution(random);
    const std::size_t quoted = 1 + random.below(3);
    for (std::size_t i = 0; i < quoted; ++i) {
        paragraph(random, out, "> ");
        if (random.chance(40)) {
            out += "> " + attribution(random);
            paragraph(random, out, ">> ");
            if (random.chance(30)) paragraph(random, out, ">>> ");
        }
    }
    const std::size_t answers = 1 + random.below(3);
    for (std::size_t i = 0; i < answers; ++i) {
        paragraph(random, out, "");
        if (random.chance(10)) out += "______________________________________________\n\n";
        if (random.chance(10)) out += "PS: voir aussi " + std::string(random.pick(urls)) + "\n\n";
        if (random.chance(8)) out += "*** IMPORTANT *** la mise \xe0 jour se fera ce soir.\n\n";
    }
    out += signature;
    out += '\n';
}

void attachment(randomSource& random, std::string& out, std::size_t bytes) {
    for (std::size_t written = 0; written < bytes; written += 77) {
        for (int i = 0; i < 76; ++i) out += base64Digits[random.below(64)];
        out += '\n';
    }
}

}  // namespace

std::string mailSample(std::size_t size) {
    randomSource random;
    std::string message = headers;
    message.reserve(size + 4096);
    message += "--";
    message += boundary;
    message += '\n';
    message += textPartHeaders;

    // A tenth of the message is the attachment, the forwarded section about
    // a twentieth; the thread fills the rest.
    const std::size_t attachmentBytes = size / 10;
    const std::size_t threadEnd = size - attachmentBytes - size / 20;
    do {
        threadMessage(random, message);
    } while (message.size() < threadEnd);

    message += forwardedHeaders;
    do {
        paragraph(random, message, "");
    } while (message.size() < size - attachmentBytes);

    message += "--";
    message += boundary;
    message += '\n';
    message += attachmentHeaders;
    attachment(random, message, attachmentBytes);
    message += "\n--";
    message += boundary;
    message += "--\n";
    return message;
}

}  // namespace postsift::bench
