#include "message_text.h"

#include "ascii_text.h"
#include "html_stripping.h"

namespace postsift::host {

namespace {

// Deeper nesting than this is no mail program's doing; it is not walked.
constexpr int deepestPart = 32;

// The next line of `text` from `at`, without its line end; `at` moves past it.
std::string_view nextLine(std::string_view text, std::size_t& at) {
    const std::size_t end = text.find('\n', at);
    const std::size_t stop = end == std::string_view::npos ? text.size() : end;
    std::string_view line = text.substr(at, stop - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    at = end == std::string_view::npos ? text.size() : end + 1;
    return line;
}

bool looksLikeField(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == 0 || colon == std::string_view::npos) return false;
    for (std::size_t i = 0; i < colon; ++i)
        if (line[i] <= ' ' || line[i] > '~') return false;
    return true;
}

// The header of an entity and where its body starts. An entity that does
// not open with a field has no header: all of it is body.
std::size_t readHeader(std::string_view entity, std::vector<headerField>& header) {
    std::size_t at = 0;
    while (at < entity.size()) {
        const std::size_t lineStart = at;
        const std::string_view line = nextLine(entity, at);
        if (line.empty()) return at;
        if (isBlank(line.front()) && !header.empty()) {
            header.back().value += ' ';
            header.back().value += trimmed(line);
        } else if (looksLikeField(line)) {
            const std::size_t colon = line.find(':');
            header.push_back({std::string(line.substr(0, colon)), std::string(trimmed(line.substr(colon + 1)))});
        } else {
            return lineStart;  // a body with no empty line before it
        }
    }
    return at;
}

// A parameter of a structured field ("boundary" of Content-Type), or empty.
std::string parameterOf(std::string_view value, std::string_view name) {
    std::size_t at = value.find(';');
    while (at != std::string_view::npos) {
        std::size_t start = at + 1;
        while (start < value.size() && isBlank(value[start])) ++start;
        if (startsWithNoCase(value.substr(start), name)) {
            std::size_t equals = start + name.size();
            while (equals < value.size() && isBlank(value[equals])) ++equals;
            if (equals < value.size() && value[equals] == '=') {
                std::size_t begin = equals + 1;
                while (begin < value.size() && isBlank(value[begin])) ++begin;
                if (begin < value.size() && value[begin] == '"') {
                    const std::size_t close = value.find('"', begin + 1);
                    return std::string(value.substr(begin + 1, (close == std::string_view::npos ? value.size() : close) -
                                                                   begin - 1));
                }
                std::size_t end = begin;
                while (end < value.size() && value[end] != ';' && !isBlank(value[end])) ++end;
                return std::string(value.substr(begin, end - begin));
            }
        }
        at = value.find(';', start);
    }
    return std::string();
}

// "text/plain" of "Text/Plain; charset=...".
std::string mediaType(std::string_view value) {
    return asciiLowered(trimmed(value.substr(0, value.find(';'))));
}

std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) lines.emplace_back(nextLine(text, at));
    return lines;
}

int hexValue(char c) {
    if (isAsciiDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void walk(std::string_view entity, int depth, messageText& text, bool top) {
    std::vector<headerField> header;
    const std::size_t bodyStart = readHeader(entity, header);
    const std::string_view body = entity.substr(bodyStart);
    if (top) text.header = header;
    if (asciiLowered(headerValue(header, "content-disposition")).compare(0, 10, "attachment") == 0) return;
    const std::string contentType = headerValue(header, "content-type");
    const std::string type = contentType.empty() ? "text/plain" : mediaType(contentType);
    if (type.compare(0, 10, "multipart/") == 0) {
        const std::string boundary = parameterOf(contentType, "boundary");
        if (boundary.empty() || depth >= deepestPart) return;
        const std::string delimiter = "--" + boundary;
        std::size_t at = 0;
        std::size_t partStart = std::string_view::npos;
        while (at < body.size()) {
            const std::size_t lineStart = at;
            const std::string_view line = nextLine(body, at);
            if (line.compare(0, delimiter.size(), delimiter) != 0) continue;
            if (partStart != std::string_view::npos) walk(body.substr(partStart, lineStart - partStart), depth + 1, text, false);
            if (line.compare(delimiter.size(), 2, "--") == 0) return;
            partStart = at;
        }
        if (partStart != std::string_view::npos) walk(body.substr(partStart), depth + 1, text, false);
        return;
    }
    const bool html = type == "text/html";
    if (type != "text/plain" && type != "text" && !html) return;
    const std::string encoding = asciiLowered(trimmed(headerValue(header, "content-transfer-encoding")));
    std::string decoded = encoding == "quoted-printable" ? decodeQuotedPrintable(body)
                          : encoding == "base64"         ? decodeBase64(body)
                                                         : std::string(body);
    if (html) decoded = textOfHtml(decoded);
    text.parts.push_back({html, linesOf(decoded)});
}

}  // namespace

std::string headerValue(const std::vector<headerField>& header, std::string_view name) {
    for (const headerField& field : header)
        if (field.name.size() == name.size() && startsWithNoCase(field.name, name)) return field.value;
    return std::string();
}

bool hasHeaderField(const std::vector<headerField>& header, std::string_view name) {
    for (const headerField& field : header)
        if (field.name.size() == name.size() && startsWithNoCase(field.name, name)) return true;
    return false;
}

std::string decodeQuotedPrintable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '=') {
            out += text[i];
            continue;
        }
        // A soft line break: "=" at the end of a line, blanks allowed after it.
        std::size_t after = i + 1;
        while (after < text.size() && isBlank(text[after])) ++after;
        if (after < text.size() && (text[after] == '\n' || text[after] == '\r')) {
            if (text[after] == '\r' && after + 1 < text.size() && text[after + 1] == '\n') ++after;
            i = after;
            continue;
        }
        if (i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
            continue;
        }
        out += '=';
    }
    return out;
}

std::string decodeBase64(std::string_view text) {
    std::string out;
    out.reserve(text.size() / 4 * 3);
    unsigned bits = 0;
    int count = 0;
    for (const char c : text) {
        int value;
        if (isAsciiUpper(c)) {
            value = c - 'A';
        } else if (isAsciiLower(c)) {
            value = c - 'a' + 26;
        } else if (isAsciiDigit(c)) {
            value = c - '0' + 52;
        } else if (c == '+') {
            value = 62;
        } else if (c == '/') {
            value = 63;
        } else {
            continue;  // line ends, padding and damage alike
        }
        bits = (bits << 6) | static_cast<unsigned>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>((bits >> count) & 0xff);
        }
    }
    return out;
}

messageText readMessageText(std::string_view raw) {
    messageText text;
    walk(raw, 0, text, true);
    bool plain = false;
    for (const textPart& part : text.parts) plain = plain || !part.html;
    if (plain) {
        std::vector<textPart> kept;
        for (textPart& part : text.parts)
            if (!part.html) kept.push_back(std::move(part));
        text.parts = std::move(kept);
    }
    return text;
}

}  // namespace postsift::host
