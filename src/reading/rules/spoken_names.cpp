#include "reading/rules/spoken_names.h"

#include <cstring>
#include <string>

#include "filter/epost_sift.h"
#include "filter/language_phrases.h"
#include "reading/lines/sender_name.h"
#include "reading/pass/rule_table.h"
#include "support/reserved_names.h"

namespace postsift {

readingRule* makeSpokenNames(const ruleSetting& setting, ruleRoom& room) {
    return room.make<spokenNames>(
        setting.filter, phraseOf(setting.filter, symbolRoleAddress, buildLanguagePhrases().roleAddress));
}

bool spokenNames::isSenderLine(const lineFacts& line, passState& state) {
    if (!senderLooked_) {
        senderLooked_ = true;
        sender_ = reservedSymbol(filter_, symbolSender);
    }
    return sender_ != nullptr && state.keywordSymbol(line) == sender_;
}

lineTaken spokenNames::take(const lineFacts& line, passState& state, readingOutput& out) {
    // Of the header blocks, not a folded line; of the body, an unquoted
    // line that signed text did not read past its "- ".
    const messageLine& text = line.line;
    if (line.header ? line.folded : text.depth != 0 || text.content != text.prefixEnd) return lineTaken::passed();
    if (line.keywordEnd == nullptr || !isSenderLine(line, state)) return lineTaken::passed();
    lineFacts next;
    if (state.lines.next(line, next) && next.line.isFolded()) return lineTaken::passed();
    mailbox box;
    if (!readMailbox(line.keywordEnd, text.end, box)) return lineTaken::passed();

    std::string said;
    if (!box.name.empty()) {
        said = nameAsSaid(box.name);
    } else if (isRoleName(box.local)) {
        said = box.local;
        const char* filling = rolePhrase_ != nullptr ? std::strstr(rolePhrase_, "%s") : nullptr;
        if (rolePhrase_ != nullptr) {
            said += ' ';
            said.append(rolePhrase_, filling != nullptr ? filling : rolePhrase_ + std::strlen(rolePhrase_));
            if (filling != nullptr) said += box.domain + (filling + 2);
        }
    } else {
        said = localPartAsWords(box.local);
    }
    out.put(text.begin, line.keywordEnd);
    out.put(" ");
    out.put(said.c_str());
    if (!box.address.empty()) {
        out.put(" <");
        out.put(box.address.c_str());
        out.put(">");
    }
    out.put(text.end, text.next);
    return lineTaken::upTo(text.next);
}

}  // namespace postsift
