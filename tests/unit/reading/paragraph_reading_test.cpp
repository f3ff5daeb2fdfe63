// Lines read as the sentences they make. The unit tests hold the French
// build: its words after which no sentence ends are French.
#include <random>
#include <string>
#include <vector>

#include "reading_fixture.h"

using namespace postsift;

TEST_F(ReadingPass, WrappedParagraphsAreJoinedAndEndTheirSentence) {
    rule("[READ PARAGRAPHS]", "true");
    EXPECT_EQ(read("La reunion de demain est deplacee a jeudi parce que la salle du premier\n"
                   "etage est reservee par la direction pour toute la journee\n\n"
                   "Bonjour,\nCamille\n- un\n- deux\n"
                   "> cite sur une ligne longue de plus de quarante caracteres ici\n> et sa suite\n"
                   "Note: pas une ligne de texte\n"
                   "Ceci est une ligne assez longue pour passer pour du texte\r\nreplie.\r\n"),
              "La reunion de demain est deplacee a jeudi parce que la salle du premier etage est reservee par la "
              "direction pour toute la journee.\n\nBonjour.\nCamille.\n- un.\n- deux.\n"
              "> cite sur une ligne longue de plus de quarante caracteres ici et sa suite.\n"
              "Note: pas une ligne de texte\n"
              "Ceci est une ligne assez longue pour passer pour du texte replie.\r\n");
}

// An item goes on in the line below it; a table's lines, a heading and a
// line of another quote depth keep theirs.
TEST_F(ReadingPass, ItemsGoOnButTablesHeadingsAndQuotesKeepTheirLines) {
    rule("[READ PARAGRAPHS]", "true");
    EXPECT_EQ(read("1. le budget de la salle\ndes f\xeates et\nla buvette\n2. les cong\xe9s\n"
                   "Nom     Prix\nPain    deux\nORDRE DU JOUR\nle budget\n> cit\xe9 sans fin\nsuite hors citation\n"),
              "1. le budget de la salle des f\xeates et la buvette.\n2. les cong\xe9s.\n"
              "Nom     Prix.\nPain    deux.\nORDRE DU JOUR.\nle budget.\n> cit\xe9 sans fin.\nsuite hors citation.\n");
}

// Lines whose columns stand three spaces apart are a table's, wherever the
// gap stands in the line, long or short: neither line of each table joins
// the other.
TEST_F(ReadingPass, ColumnsThreeSpacesApartKeepTheirLines) {
    rule("[READ PARAGRAPHS]", "true");
    EXPECT_EQ(read("Le premier poste du budget   douze euros\nla salle des fetes de la ville   vingt euros\n\n"
                   "Le second poste du budget   trente euros\net la buvette du dimanche soir pour en finir   ok\n\n"
                   "a   b\nc   d\n"),
              "Le premier poste du budget   douze euros.\nla salle des fetes de la ville   vingt euros.\n\n"
              "Le second poste du budget   trente euros.\net la buvette du dimanche soir pour en finir   ok.\n\n"
              "a   b.\nc   d.\n");
}

namespace {

// Paragraphs, lists and short blocks made at random, each with the text a
// reader would say: the model the rule is compared with.
class randomMail {
public:
    explicit randomMail(unsigned seed) : random_(seed) {}

    // A message of a few pieces apart by blank lines, what each says, and
    // which of them are paragraphs.
    void make(std::string& message, std::vector<std::string>& said, std::vector<bool>& paragraphs) {
        message.clear();
        said.clear();
        paragraphs.clear();
        const int pieces = pick(2, 6);
        for (int i = 0; i < pieces; ++i) {
            std::string text;
            std::string expected;
            const int kind = pick(0, 3);
            switch (kind) {
                case 0: list(text, expected); break;
                case 1: shortBlock(text, expected); break;
                default: paragraph(text, expected); break;
            }
            paragraphs.push_back(kind >= 2);
            if (i > 0) message += "\n";
            message += text;
            said.push_back(expected);
        }
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    // Small words of eight letters at most ("\xe9t\xe9" is "summer"), words
    // after which no sentence ends, and names that come only after one of
    // them (or in the middle of a line).
    std::string word() {
        static const char* const words[] = {"moulin", "roue",     "eau",    "farine", "meunier", "village",
                                            "tourne", "reste",    "ouvert", "grand",  "petit",   "vieux",
                                            "\xe9t\xe9", "hiver", "jour",   "soir",   "chemin",  "pierre"};
        static const char* const continuing[] = {"de", "la", "le", "et", "\xe0", "pour", "avec", "sur"};
        static const char* const names[] = {"Paris", "Lyon", "Marie", "Lucien"};
        const int choice = pick(0, 9);
        if (choice == 0) return std::string(continuing[pick(0, 7)]) + "|" + names[pick(0, 3)];
        if (choice <= 2) return continuing[pick(0, 7)];
        return words[pick(0, 17)];
    }

    // Sentences of small words, the first capitalised; the last ends with a
    // full stop or with nothing, which the reader then adds.
    void paragraph(std::string& text, std::string& expected) {
        std::vector<std::string> words;
        const int sentences = pick(1, 4);
        for (int s = 0; s < sentences; ++s) {
            const int count = pick(4, 16);
            for (int w = 0; w < count; ++w) {
                std::string next = word();
                if (w == 0 && next[0] >= 'a') next[0] = static_cast<char>(next[0] - 'a' + 'A');
                if (w + 1 < count && pick(0, 9) == 0) next += ",";
                const std::size_t bar = next.find('|');
                if (bar != std::string::npos) {
                    words.push_back(next.substr(0, bar));
                    next.erase(0, bar + 1);
                }
                words.push_back(next);
            }
            if (s + 1 < sentences || pick(0, 1) == 0) words.back() += ".";
        }
        // Wrapped at 38 to 90 columns, indented or quoted.
        const int width = pick(38, 90);
        const int layout = pick(0, 3);
        const std::string prefix = layout == 0   ? "> "
                                   : layout == 1 ? std::string(pick(1, 30), ' ')
                                   : layout == 2 ? "\t"
                                                 : "";
        std::string line;
        for (const std::string& w : words) {
            if (!line.empty() && static_cast<int>(line.size() + 1 + w.size()) > width) {
                text += prefix + line + "\n";
                line.clear();
            }
            line += (line.empty() ? "" : " ") + w;
        }
        text += prefix + line + "\n";
        expected = prefix;
        for (const std::string& w : words) expected += (&w == &words.front() ? "" : " ") + w;
        if (expected.back() != '.') expected += ".";
        expected += "\n";
    }

    void list(std::string& text, std::string& expected) {
        const int items = pick(2, 5);
        for (int i = 0; i < items; ++i) {
            std::string item = pick(0, 1) == 0 ? "- " : std::to_string(i + 1) + ". ";
            const int count = pick(1, 5);
            for (int w = 0; w < count; ++w) {
                std::string next = w == count - 1 ? "moulin" : word();
                if (next.find('|') != std::string::npos) next[next.find('|')] = ' ';
                item += (w > 0 ? " " : "") + next;
            }
            text += item + "\n";
            expected += item + ".\n";
        }
    }

    // An address, a table of contents: three or four short lines of names.
    void shortBlock(std::string& text, std::string& expected) {
        static const char* const names[] = {"Mairie", "Villeneuve", "Rue Haute", "Jean Dupont", "Place du Moulin",
                                            "Sommaire", "Nouvelles", "Photos"};
        const int lines = pick(3, 4);
        for (int i = 0; i < lines; ++i) {
            const std::string line = names[pick(0, 7)];
            text += line + "\n";
            expected += line + ".\n";
        }
    }

    std::mt19937 random_;
};

// The pieces of a spoken text; in a paragraph, a line end that stays after
// a sentence's end is said as the blank it replaced.
std::vector<std::string> piecesOf(const std::string& spoken, const std::vector<bool>& paragraphs) {
    std::vector<std::string> pieces;
    std::string text;
    for (std::size_t i = 0; i < spoken.size(); ++i) {
        if (spoken[i] == '\r' && i + 1 < spoken.size() && spoken[i + 1] == '\n') continue;
        text += spoken[i];
    }
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\n\n", start)) != std::string::npos; start = end + 2)
        pieces.push_back(text.substr(start, end + 1 - start));
    pieces.push_back(text.substr(start));
    for (std::size_t i = 0; i < pieces.size() && i < paragraphs.size(); ++i) {
        std::string& piece = pieces[i];
        if (!paragraphs[i]) continue;
        const bool quoted = piece.compare(0, 2, "> ") == 0;
        for (std::size_t at; (at = piece.find(".\n")) != std::string::npos && at + 2 < piece.size();) {
            std::size_t next = at + 2;
            if (quoted && piece.compare(next, 2, "> ") == 0) next += 2;
            while (next < piece.size() && (piece[next] == ' ' || piece[next] == '\t')) ++next;
            const unsigned char c = static_cast<unsigned char>(piece[next]);
            // Only before a capital: a sentence begins there.
            if (!(c >= 'A' && c <= 'Z')) break;
            piece.replace(at, next - at, ". ");
        }
    }
    return pieces;
}

}  // namespace

// Paragraphs wrapped at any width, indented or quoted, are read as their
// sentences; lists and short blocks keep their lines; with LF and CR LF.
TEST_F(ReadingPass, ParagraphsListsAndBlocksAreReadAsTheModelSays) {
    rule("[READ PARAGRAPHS]", "true");
    randomMail mail(20250311);
    std::string message;
    std::vector<std::string> said;
    std::vector<bool> paragraphs;
    for (int round = 0; round < 400; ++round) {
        mail.make(message, said, paragraphs);
        std::string crlf;
        for (char c : message) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        for (const std::string& text : {message, crlf}) {
            const std::vector<std::string> pieces = piecesOf(read(text), paragraphs);
            ASSERT_EQ(pieces.size(), said.size()) << text;
            for (std::size_t i = 0; i < said.size(); ++i) ASSERT_EQ(pieces[i], said[i]) << "in:\n" << text;
        }
    }
}
