#include "reading/pass/heard_text.h"

#include "filter/epost_sift.h"
#include "filter/option_value.h"
#include "reading/pass/rule_table.h"

namespace postsift {

bool quotedTextIsHeard(const ruleSetting& setting) {
    const filterEntry* option = setting.entry(optionIncludeForwardedText);
    return option == nullptr || option->value() == nullptr || valueSaysTrue(*option);
}

}  // namespace postsift
