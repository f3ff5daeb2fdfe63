// HTML to text at the edges: references, unclosed constructs, raw text.
#include <gtest/gtest.h>

#include "mime/html_text.h"
#include "mime_test_support.h"

using namespace postsift::mime;

namespace {

std::string text(const std::string& html) {
    textBuffer in;
    in.put(html.data(), html.size());
    textBuffer out;
    htmlToText(in, out);
    return textOf(out);
}

}  // namespace

TEST(HtmlText, NumericReferences) {
    EXPECT_EQ(text("&#233;&#xE9;&#XE9;&#00233;x"), "\xe9\xe9\xe9\xe9x\n");
    // Nothing, surrogates and numbers beyond Unicode are no character; the
    // C1 range is read as Windows-1252, as browsers do.
    EXPECT_EQ(text("a&#0;&#xD800;&#x110000;&#99999999999999999999;b"), "ab\n");
    EXPECT_EQ(text("&#150;&#x80;&#8217"), "\x96\x80\x92\n");
}

TEST(HtmlText, NamedReferences) {
    EXPECT_EQ(text("&eacute;&Eacute;&EACUTE; &hellip;&euro;&OElig;"), "\xe9\xc9&EACUTE; \x85\x80\x8c\n");
    EXPECT_EQ(text("AT&T &amp &amp; &unknown; & &;"), "AT&T & & &unknown; & &;\n");
    // Known to HTML but not to Windows-1252: left out, with no blank left over.
    EXPECT_EQ(text("a &alpha; b &#x4E2D;c"), "a b c\n");
    EXPECT_EQ(text("a&nbsp;&nbsp; &#160;b"), "a b\n");
}

TEST(HtmlText, WhatIsLeftOut) {
    EXPECT_EQ(text("<script>if (a<b) x='</p><b>';</SCRIPT >after"), "after\n");
    EXPECT_EQ(text("<style type=\"text/css\">p{}</style><title>T</title>body"), "body\n");
    EXPECT_EQ(text("a<!-- <p>b</p> -- - --->c<!DOCTYPE html><?xml x?>d"), "acd\n");
    EXPECT_EQ(text("<a title=\"x>y\" alt='p>q' href=it's>link</a>"), "link\n");
    // What never closes runs to the end, as in a browser.
    EXPECT_EQ(text("text <a href=\"x"), "text\n");
    EXPECT_EQ(text("text <!-- open"), "text\n");
    EXPECT_EQ(text("text <script>x"), "text\n");
    EXPECT_EQ(text("1 < 2 <3 </ >x"), "1 < 2 <3 </ >x\n");
}

TEST(HtmlText, LinesAndBlanks) {
    EXPECT_EQ(text("<P>one\n  two</p><DIV>three</div>"), "one two\nthree\n");
    EXPECT_EQ(text("<br>a<br><br><br><br>b<br>"), "a\n\nb\n");
    EXPECT_EQ(text("<table><tr><td>1</td><td> 2 </td></tr><tr><th>3</th></tr></table>"), "1 2\n3\n");
    EXPECT_EQ(text("<ul><li>x</li><li>y</ul>z"), "x\ny\nz\n");
    EXPECT_EQ(text("<pre>a  b\n  c</pre>d"), "a  b\n  c\nd\n");
    EXPECT_EQ(text(std::string("a\0b", 3)), "ab\n");
    EXPECT_EQ(text(""), "");
}

TEST(HtmlText, LongUnclosedConstructsStayLinear) {
    // Each of these would make a scanner that backs up go over the rest of
    // the text again at every byte.
    const std::string rest(4 << 20, 'x');
    EXPECT_EQ(text("a<a href=\"" + rest), "a\n");
    EXPECT_EQ(text("a<!--" + rest), "a\n");
    EXPECT_EQ(text("a<script>" + std::string(1 << 20, '<')), "a\n");
    EXPECT_EQ(text(std::string(1 << 20, '&')).size(), (1u << 20) + 1);
}

TEST(HtmlText, BlockquotesBecomeQuoteMarks) {
    EXPECT_EQ(text("Hi<blockquote>one<blockquote>two<br>three</blockquote>four</blockquote>Bye"),
              "Hi\n> one\n>> two\n>> three\n> four\nBye\n");
    // Empty lines keep their marks; still one empty line at most in a row.
    EXPECT_EQ(text("<blockquote>a<br><br>b<blockquote>c<br><br><br>d</blockquote></blockquote>"),
              "> a\n>\n> b\n>> c\n>>\n>> d\n");
    // Every line a quote holds is marked, however it was broken.
    EXPECT_EQ(text("<blockquote>\n  <pre>x\n  y</pre>\n</blockquote>"), "> x\n>   y\n");
    EXPECT_EQ(text("<blockquote>a&#10;b<p>c</p></blockquote>"), "> a b\n> c\n");
    // A character with no form in Windows-1252 leaves no marks behind.
    EXPECT_EQ(text("<blockquote>a<br>&#x4E2D;<br>b</blockquote>"), "> a\n>\n> b\n");
}

TEST(HtmlText, UnbalancedBlockquotes) {
    EXPECT_EQ(text("a</blockquote>b<blockquote>c"), "a\nb\n> c\n");
    EXPECT_EQ(text("<blockquote>x</blockquote></blockquote></blockquote><blockquote>y</blockquote>z"),
              "> x\n> y\nz\n");
    EXPECT_EQ(text("<blockquote><blockquote>deep"), ">> deep\n");
    // Marks stop at 32, but the depth is still counted beyond them.
    std::string nested;
    for (int i = 0; i < 40; ++i) nested += "<blockquote>";
    nested += "x";
    for (int i = 0; i < 40; ++i) nested += "</blockquote>";
    EXPECT_EQ(text(nested + "y"), std::string(32, '>') + " x\ny\n");
}

namespace {
const std::string rule(32, '_');
}

TEST(HtmlText, EarlierMessageContainersBeginWithARule) {
    EXPECT_EQ(text("Parfait, merci.<br><div class=\"mail_quote\">Le jeu. 12 juin 2025 \xe0 14:14, Bruno "
                   "&lt;b@exemple.fr&gt; a \xe9" "crit :<blockquote>Tu viens jeudi ?</blockquote></div>"),
              "Parfait, merci.\n" + rule + "\nLe jeu. 12 juin 2025 \xe0 14:14, Bruno <b@exemple.fr> a \xe9" "crit :\n"
              "> Tu viens jeudi ?\n");
    EXPECT_EQ(text("a<hr style=\"width:98%\" tabindex=-1>b<HR/>"), "a\n" + rule + "\nb\n" + rule + "\n");
    EXPECT_EQ(text("Hi<div style=\"border:none;border-top:solid #E1E1E1 1.0pt;padding:3.0pt 0cm 0cm 0cm\">"
                   "<p><b>From:</b> B</p></div>"),
              "Hi\n" + rule + "\nFrom: B\n");
    // A container inside a quote is quoted with it.
    EXPECT_EQ(text("<blockquote>a<div class=reply>b</div></blockquote>"), "> a\n> " + rule + "\n> b\n");
}

TEST(HtmlText, WhatMakesATopBorder) {
    for (const char* style : {"border-top-style:dotted", "BORDER-TOP: 1px SOLID", "border: 1px solid #ccc",
                              "border:none;border-top:solid", "border-style: solid none none",
                              "border-top: medium double red !important", "border-top: .5pt solid"}) {
        EXPECT_EQ(text(std::string("<div style=\"") + style + "\">a</div>"), rule + "\na\n") << style;
    }
    for (const char* style : {"border-top:none", "border-top: 0", "border:none", "border-top:solid 0pt",
                              "border-top:hidden", "border-top:solid;border-top-style:none",
                              "border:1px solid;border-width:0 0 0 0", "border-bottom:solid 1px",
                              "border-left: 1px solid #ccc", "border-top-color: red", "border-top"}) {
        EXPECT_EQ(text(std::string("<div style=\"") + style + "\">a</div>"), "a\n") << style;
    }
}

TEST(HtmlText, ContainerNamesAndAttributeSpellings) {
    for (const char* tag : {"<div class=\"x_quoted\">", "<div id=\"divRplyFwdMsg\">", "<div class=cite-prefix>",
                            "<div class='x MAIL_QUOTE y'>", "<div CLASS=\"Quote\">", "<div class=\"re&#112;ly\">",
                            "<div id = \"fwd\">", "<div title='a>b' class=forwarded>", "<div class=\"reply\"style=\"\">",
                            "<div class=\"QUO&#x54;E\">", "<section\nclass=\"quote\">",
                            "<div style='border-top:&#32;1px solid'>"}) {
        EXPECT_EQ(text(std::string(tag) + "a</div>"), rule + "\na\n") << tag;
    }
    for (const char* tag : {"<div class=\"quota\">", "<div class=\"rep ly\">", "<div title=\"reply\">",
                            "<div data-class=\"quote\">", "<div class=\"fw d\" data-x='fwd'>",
                            "<div class=\"x\" title=\"class=quote\">"}) {
        EXPECT_EQ(text(std::string(tag) + "a</div>"), "a\n") << tag;
    }
}

TEST(HtmlText, NestedContainersGiveOneRule) {
    EXPECT_EQ(text("<div class=quote><div>x</div><div class=quote>y</div>"
                   "<blockquote class=\"mail_quote\">q</blockquote><hr>z</div><div class=reply>w</div>"),
              rule + "\nx\ny\n> q\nz\n" + rule + "\nw\n");
    // An hr right before a container: one rule, not a run of them.
    EXPECT_EQ(text("a<hr><br><div id=\"divRplyFwdMsg\"><b>From:</b> B</div>"), "a\n" + rule + "\n\nFrom: B\n");
    // Elements that never close are no containers: they would hide the rule
    // of every container after them.
    EXPECT_EQ(text("<img class=\"quote-icon\">text<div class=\"reply\">x</div>"), "text\n" + rule + "\nx\n");
    // A container that never closes, or a tag that never ends, harms nothing.
    EXPECT_EQ(text("a<div class=quote>b"), "a\n" + rule + "\nb\n");
    EXPECT_EQ(text("a<div class=\"quote"), "a\n");
}
