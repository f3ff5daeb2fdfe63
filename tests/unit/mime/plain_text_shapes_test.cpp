// Text sent as plain text that is not plain: HTML documents, character
// references, and plain alternatives that only point at their HTML one.
// What must stay plain matters as much as what must not.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "mime/html_shape.h"
#include "mime_test_support.h"

using namespace postsift::mime;

namespace {

std::string withCrLf(const std::string& text) {
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return crlf;
}

std::string bodyOf(const std::string& message) {
    const std::size_t blank = message.find("\n\n");
    return blank == std::string::npos ? "" : message.substr(blank + 2);
}

// What the stage makes of a text/plain body.
std::string readBody(const std::string& body) {
    return bodyOf(runStage("Subject: s\nContent-Type: text/plain; charset=us-ascii\n\n" + body).text);
}

}  // namespace

TEST(PlainText, HtmlDocumentsByTheirStartOrByTheirLines) {
    const std::pair<const char*, bool> cases[] = {
        {"\n  \t\n<!DOCTYPE html>\n<p>x</p>\n", true},
        {"<!doctype HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">", true},
        {"<HTML xmlns:o=\"urn:x\">", true},
        {"<head>\n<title>Offer</title>", true},
        {"<x-html>\n<html>\n<head>\n<title>Offer</title>\n</head>\n", true},
        {"<div align=center>\n<font size=2>\n<b>Sale</b><br>\nAll week long.<br>\n", true},
        {"First line<br>\nSecond line<br>\nThird line</p>\nfooter\n", true},
        {"<!-- saved -->\n<meta name=x\ncontent=y>\n<table>\n<tr>\n", true},
        // Prose and mail that merely show markup.
        {"<header>\nNews\n", false},
        {"<htmlish>\n", false},
        {"Hi Bob,\nuse <b> for bold and <i> for italics.\nThanks\n", false},
        {"Put this at the top:\n<p class=x>\nand this at the end:\n</p>\nDone.\n", false},
        {"<anna@example.org>\n<bob@example.org>\n<carl@example.org>\n", false},
        {"<http://a.example/>\n<http://b.example/>\n<http://c.example/>\n", false},
        {"<b>Note</b>\n<i>two lines only</i>\n", false},
        {"", false},
    };
    for (const auto& c : cases) {
        const std::string text = c.first;
        EXPECT_EQ(isHtmlDocument(spanOf(text)), c.second) << text;
        EXPECT_EQ(isHtmlDocument(spanOf(withCrLf(text))), c.second) << "with CR LF: " << text;
    }
}

TEST(PlainText, AnHtmlDocumentIsReadAsHtmlAndProseAboutHtmlStaysAsItIs) {
    EXPECT_EQ(readBody("<html><body><p>Caf&eacute; <b>ouvert</b></p></body></html>\n"), "Caf\xe9 ouvert\n");
    for (const char* prose : {"Write <b> before the word, &amp; after it write </b>.\n",
                              "Tom & Jerry, AT&T and R&D; cost < 5 & > 3.\n", "&amp &#; &#0; &bogus; &AMP;\n"}) {
        EXPECT_FALSE(runStage(std::string("Subject: s\n\n") + prose).changed) << prose;
    }
}

namespace {

// Random plain text made of pieces, each with what it reads as: words,
// blanks, line ends, references, things that look like references and are
// none, and at most one tag, which leaves every reference as written. No
// piece runs into the next to make a reference of their own.
struct piece {
    const char* text;
    const char* read;
};

const piece references[] = {{"&amp;", "&"},       {"&#233;", "\xe9"},  {"&#xE9;", "\xe9"}, {"&eacute;", "\xe9"},
                            {"&#8220;", "\x93"},  {"&#X2019;", "\x92"}, {"&pound;", "\xa3"}, {"&#150;", "\x96"},
                            {"&#x1F600;", ""}};
const piece others[] = {{"word", "word"},   {" ", " "},           {"\n", "\n"},       {"AT&T", "AT&T"},
                        {"R&D;", "R&D;"},  {"&#;", "&#;"},       {"&#0;", "&#0;"},   {"&bogus;", "&bogus;"},
                        {"&amp", "&amp"},  {"& ", "& "},         {"&#x110000;", "&#x110000;"},
                        {"<3", "<3"},      {"a < b", "a < b"},   {"<ann@x.org>", "<ann@x.org>"},
                        {"&#12345678901234567890;", "&#12345678901234567890;"}};
const char* const tags[] = {" <b> ", " </p> ", " <a href=x> ", " <BR/> "};

}  // namespace

TEST(PlainText, ReferencesAgreeWithASimpleModel) {
    std::mt19937 random(7);
    auto pick = [&](std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random); };
    for (int round = 0; round < 500; ++round) {
        std::string text = "start ";
        std::string read = "start ";
        bool hasReference = false;
        const bool withTag = pick(4) == 0;
        const std::size_t count = 1 + pick(30);
        for (std::size_t i = 0; i < count; ++i) {
            if (withTag && i == count / 2) {
                const char* tag = tags[pick(sizeof tags / sizeof tags[0])];
                text += tag;
                read += tag;
            }
            const bool reference = pick(3) == 0;
            const piece& p = reference ? references[pick(sizeof references / sizeof references[0])]
                                       : others[pick(sizeof others / sizeof others[0])];
            hasReference = hasReference || reference;
            text += p.text;
            read += p.read;
        }
        text += "\n";
        read += "\n";
        // Text that is read as it is keeps its line ends; decoded text has
        // each CR LF as a line feed.
        const bool decoded = hasReference && !withTag;
        EXPECT_EQ(readBody(text), decoded ? read : text) << text;
        EXPECT_EQ(readBody(withCrLf(text)), decoded ? read : withCrLf(text)) << "with CR LF: " << text;
    }
}

namespace {

// Which alternative the stage reads: "plain", "html", or what it read.
std::string readAlternative(const std::string& plainPart, const std::string& otherPart) {
    const std::string text = runStage("Subject: s\nContent-Type: multipart/alternative; boundary=b\n\n--b\n" + plainPart +
                                      "\n--b\n" + otherPart + "\n--b--\n")
                                 .text;
    const bool plain = text.find("plain-mark") != std::string::npos;
    const bool html = text.find("html-mark") != std::string::npos;
    return plain && !html ? "plain" : html && !plain ? "html" : text;
}

std::string plainPart(const std::string& text) { return "Content-Type: text/plain\n\n" + text + "\nplain-mark"; }

}  // namespace

TEST(Alternatives, APlaceholderGivesWayToTheHtml) {
    const std::string html = "Content-Type: text/html\n\n<p>html-mark</p>";
    const std::string placeholders[] = {
        "***** This is an HTML Message ! *****",
        "To read this newsletter, please use an HTML-capable mail program.",
        "If you can read this, your e-mail client does not support HTML.",
        "The rest of this message is in HTML format.\nYou can ignore the code you see below.",
        "Ce message est au format HTML.",
        "Votre logiciel de messagerie ne supporte pas le HTML.",
        "Pour lire ce courriel, utilisez un lecteur compatible HTML.",
        "Dies ist eine HTML-Nachricht.",
        "Ihr E-Mail-Programm unterst\xfctzt kein HTML.\nBitte nutzen Sie ein HTML-f\xe4higes Programm.",
    };
    for (const std::string& placeholder : placeholders) {
        // The mark counts as text: the placeholder must stay short with it.
        EXPECT_EQ(readAlternative(plainPart(placeholder), html), "html") << placeholder;
    }
    // Empty, and sent in base64 and UTF-8 ("Dies ist eine HTML-Nachricht.").
    EXPECT_EQ(readAlternative("Content-Type: text/plain\n\n \n\n", html), "html");
    EXPECT_EQ(readAlternative("Content-Type: text/plain; charset=utf-8\nContent-Transfer-Encoding: base64\n\n"
                              "RGllcyBpc3QgZWluZSBIVE1MLU5hY2hyaWNodC4=",
                              html),
              "html");
    // The HTML within a multipart of its own.
    EXPECT_EQ(readAlternative(plainPart("This is an HTML message."),
                              "Content-Type: multipart/related; boundary=r\n\n--r\n" + html + "\n--r--"),
              "html");
}

TEST(Alternatives, APlainTextWithContentStaysPreferred) {
    const std::string html = "Content-Type: text/html\n\n<p>html-mark</p>";
    std::string longer = "This is an HTML message, and here is its text as well.\n";
    for (int line = 0; line < 8; ++line) longer += "The meeting moves to the small room on the second floor.\n";
    const std::string texts[] = {
        "Hi Anna,\nthe slides are attached.\nBen",
        "I fixed the HTML of the page, see you tomorrow.",
        "Here is the newsletter in plain text; the HTML one has pictures.",
        longer,
    };
    for (const std::string& text : texts) EXPECT_EQ(readAlternative(plainPart(text), html), "plain") << text;
    // A placeholder with no HTML beside it is all there is to read.
    EXPECT_EQ(readAlternative(plainPart("This is an HTML message."),
                              "Content-Type: application/pdf; name=x.pdf\n\nJVBERi0x"),
              "plain");
}
