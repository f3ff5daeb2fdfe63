#include <cstring>

#include "email/email_scanner.h"

// The scanner's own record of its last match (flex's yytext and yyleng under
// the scanner's prefix): the text is NUL-terminated in place at that length
// until the next match.
extern char* emailtext;
extern int emailleng;

std::size_t postsift::tokenTextLength(const char* text) {
    if (text != nullptr && text == emailtext) return static_cast<std::size_t>(emailleng);
    return std::strlen(text);
}
