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
