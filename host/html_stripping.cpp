#include "html_stripping.h"

#include <cstdlib>

#include "ascii_text.h"

namespace postsift::host {

namespace {

bool isOneOf(const std::string& name, std::initializer_list<const char*> names) {
    for (const char* candidate : names)
        if (name == candidate) return true;
    return false;
}

// Tags that end a line where a browser would.
bool endsLine(const std::string& name) {
    return isOneOf(name, {"br", "p", "div", "tr", "li", "h1", "h2", "h3", "h4", "h5", "h6", "table", "hr",
                          "blockquote", "ul", "ol", "dd", "dt", "pre", "center", "form", "title"});
}

// Elements whose content is never shown as text.
bool hidesContent(const std::string& name) { return isOneOf(name, {"style", "script", "head"}); }

// The character of an entity, or empty when the entity is not known; only
// the ones that mail writers use often, as matching goes by words.
std::string entityText(std::string_view entity) {
    const std::string name = asciiLowered(entity);
    if (name == "nbsp") return " ";
    if (name == "amp") return "&";
    if (name == "lt") return "<";
    if (name == "gt") return ">";
    if (name == "quot") return "\"";
    if (name == "apos") return "'";
    if (name.size() < 2 || name[0] != '#') return std::string();
    const bool hex = name[1] == 'x';
    const std::string digits = name.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 7) return std::string();
    const long code = std::strtol(digits.c_str(), nullptr, hex ? 16 : 10);
    if (code == 8211 || code == 8212) return "-";
    if (code == 8216 || code == 8217) return "'";
    if (code == 8220 || code == 8221) return "\"";
    // A byte of the part's own charset, or a blank: it only separates words.
    if (code > 0 && code < 256) return std::string(1, static_cast<char>(code));
    return " ";
}

}  // namespace

std::string textOfHtml(std::string_view html) {
    std::string out;
    int quoteDepth = 0;
    bool lineStart = true;
    auto put = [&](char c) {
        if (lineStart && c != '\n' && quoteDepth > 0) out += "> ";
        out += c;
        lineStart = c == '\n';
    };
    std::size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '&') {
            const std::size_t semicolon = html.find(';', i + 1);
            if (semicolon != std::string_view::npos && semicolon - i <= 10) {
                const std::string text = entityText(html.substr(i + 1, semicolon - i - 1));
                if (!text.empty()) {
                    for (char t : text) put(t);
                    i = semicolon + 1;
                    continue;
                }
            }
            put(c);
            ++i;
            continue;
        }
        if (c != '<') {
            if (c != '\r') put(c);
            ++i;
            continue;
        }
        if (html.compare(i, 4, "<!--") == 0) {
            const std::size_t end = html.find("-->", i + 4);
            i = end == std::string_view::npos ? html.size() : end + 3;
            continue;
        }
        const bool closing = i + 1 < html.size() && html[i + 1] == '/';
        std::size_t nameStart = i + (closing ? 2 : 1);
        if (nameStart >= html.size() || !(isAsciiLetter(html[nameStart]) || html[nameStart] == '!')) {
            put(c);  // a '<' of the text
            ++i;
            continue;
        }
        std::size_t nameEnd = nameStart;
        while (nameEnd < html.size() && (isAsciiAlnum(html[nameEnd]) || html[nameEnd] == '!')) ++nameEnd;
        const std::string name = asciiLowered(html.substr(nameStart, nameEnd - nameStart));
        const std::size_t tagEnd = html.find('>', nameEnd);
        if (tagEnd == std::string_view::npos) break;
        i = tagEnd + 1;
        if (!closing && hidesContent(name)) {
            // Up to the closing tag, whatever its case.
            std::size_t end = i;
            while (end < html.size()) {
                end = html.find("</", end);
                if (end == std::string_view::npos || startsWithNoCase(html.substr(end + 2), name)) break;
                end += 2;
            }
            if (end == std::string_view::npos) break;
            i = end;
            continue;
        }
        if (name == "blockquote") quoteDepth += closing ? (quoteDepth > 0 ? -1 : 0) : 1;
        if (endsLine(name)) {
            if (!lineStart) put('\n');
        } else if (name == "td" || name == "th") {
            put(' ');
        }
    }
    return out;
}

}  // namespace postsift::host
