#pragma once
#include <string>
#include <vector>

#include "email/email_scanner.h"
#include "email/parse_driver.h"
#include "email_grammar.hpp"

namespace emailtest {

// A token as the tests write it: its name, its text in quotes for the tokens
// that carry one, and the scanner's condition after it.
inline std::string describe(int token) {
    switch (token) {
        case 0: return "END";
        case LEX_WORD: return "LEX_WORD";
        case KEYWORD: return "KEYWORD";
        case ID: return "ID";
        case ADDRESS: return "ADDRESS";
        case CRLF: return "CRLF";
        case FORWARDED_KEYWORD: return "FORWARDED_KEYWORD";
        case ORIGINAL_MESSAGE_KEYWORD: return "ORIGINAL_MESSAGE_KEYWORD";
        case LEX_FOR_WORD: return "LEX_FOR_WORD";
        case LEX_FOR_CRLF: return "LEX_FOR_CRLF";
        case NEWLINE: return "NEWLINE";
        case LEXX_EOF: return "LEXX_EOF";
        case ORIGINAL_MESSAGE: return "ORIGINAL_MESSAGE";
        case '<': return "'<'";
        case '@': return "'@'";
        case '>': return "'>'";
        default: return "token " + std::to_string(token);
    }
}

inline bool carriesText(int token) {
    return token == LEX_WORD || token == KEYWORD || token == ID || token == ADDRESS || token == CRLF ||
           token == FORWARDED_KEYWORD || token == ORIGINAL_MESSAGE_KEYWORD || token == LEX_FOR_WORD ||
           token == LEX_FOR_CRLF;
}

// Hands `text` to the scanner as the parse driver does and reads tokens up
// to the end of the input (at most a few thousand, in case it never ends).
// No filter is served: the one an earlier test parsed for is gone, and the
// scanner asks the filter served for its header rules.
inline std::vector<std::string> scan(const std::string& text) {
    postsift::currentFilter = nullptr;
    postsift::emailInputText = text.c_str();
    postsift::emailInputPos = 0;
    postsift::emailInputLength = text.size();
    postsift::resetEmailScanner();
    std::vector<std::string> result;
    for (int count = 0; count < 5000; ++count) {
        const int token = postsift::nextEmailToken();
        std::string line = describe(token);
        if (carriesText(token)) line += " '" + std::string(postsift::tokenText) + "'";
        line += ' ';
        line += postsift::emailScannerCondition();
        result.push_back(line);
        if (token == 0) break;
    }
    return result;
}

}  // namespace emailtest
