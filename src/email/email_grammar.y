/* The e-mail grammar: turns the scanner's tokens into calls of the filter's
 * grammar operations. It builds no tree; every rule that matters calls one
 * operation of currentFilter, which appends to the filter's output.
 *
 * A token's text lies in the scanner's buffer and is only good until the
 * next token is scanned. Every state entered by shifting a token with text
 * has a default reduction only, which the generated parser performs without
 * reading a lookahead, so each action below sees its text intact. */

%code requires {
#include <cstddef>
}

%code {
#include "email/email_scanner.h"
#include "email/parse_driver.h"
#include "filter/epost_sift.h"

/* The lists are left-recursive: a message of any length stays within a
 * dozen entries, so the stacks never grow. */
#define YYINITDEPTH 150
#define YYMAXDEPTH 150

static int emaillex() {
    const int token = postsift::nextEmailToken();
    emaillval = postsift::tokenText;
    return token;
}

static void emailerror(const char* message) { postsift::reportParseError(message); }

#define FILTER (postsift::currentFilter)
}

%define api.prefix {email}
%define api.value.type {const char*}

/* The codes are fixed: the scanner and its tests rely on them. */
%token LEX_WORD 257
%token KEYWORD 258
%token ID 259
%token ADDRESS 260
%token CRLF 261
%token FORWARDED_KEYWORD 262
%token ORIGINAL_MESSAGE_KEYWORD 263
%token LEX_FOR_WORD 264
%token LEX_FOR_CRLF 265
%token NEWLINE 266
%token LEXX_EOF 267
%token ORIGINAL_MESSAGE 268

/* Where a list could be extended or closed, it is extended: a KEYWORD
 * after a header block, a LEX_WORD or CRLF after plain text, a LEX_FOR_WORD
 * or LEX_FOR_CRLF after forwarded text. */
%expect 10

%start email_text

%%

email_text
    : email_header                  { FILTER->completeEntireHeader(); }
    | plain_text
    | forwarded_text
    | forwarded_header              { FILTER->completeEntireHeader(); }
    | email_text email_header
    | email_text plain_text
    | email_text forwarded_text
    | email_text forwarded_header
    ;

email_header
    : header_item
    | email_header header_item
    ;

header_item
    : keyword optional_header_item_content end_of_line
    ;

keyword
    : KEYWORD                       { FILTER->beginHeaderItem($1, 0); }
    ;

end_of_line
    : NEWLINE                       { FILTER->completeHeaderItem(); }
    | LEXX_EOF                      { FILTER->completeHeaderItem(); }
    ;

optional_header_item_content
    : %empty
    | header_item_content
    ;

header_item_content
    : LEX_WORD                      { FILTER->addHeaderItemWord($1, 0); }
    | address                       { FILTER->completeAddress(0); }
    | header_item_content LEX_WORD  { FILTER->addHeaderItemWord($2, 0); }
    | header_item_content address   { FILTER->completeAddress(0); }
    ;

address
    : id '@' domain
    | '<' id '@' domain '>'
    ;

id
    : ID                            { FILTER->setAddressId($1); }
    ;

domain
    : ADDRESS                       { FILTER->setAddressDomain($1); }
    ;

plain_text
    : LEX_WORD                      { FILTER->addPlainText($1, 0); }
    | CRLF                          { FILTER->addPlainText($1, 0); }
    | plain_text LEX_WORD           { FILTER->addPlainText($2, 0); }
    | plain_text CRLF               { FILTER->addPlainText($2, 0); }
    ;

forwarded_text
    : '>' forwarded_plain_text
    | original_section_beginning forwarded_plain_text
    ;

original_section_beginning
    : %empty
    | ORIGINAL_MESSAGE              { FILTER->beginForwardedSection(); }
    ;

forwarded_plain_text
    : LEX_FOR_WORD                          { FILTER->addPlainText($1, 1); }
    | LEX_FOR_CRLF                          { FILTER->addPlainText($1, 1); }
    | forwarded_plain_text LEX_FOR_WORD     { FILTER->addPlainText($2, 1); }
    | forwarded_plain_text LEX_FOR_CRLF     { FILTER->addPlainText($2, 1); }
    ;

forwarded_header
    : forwarded_header_item
    ;

forwarded_header_item
    : forwarded_keyword forwarded_optional_header_item_content end_of_line
    ;

forwarded_keyword
    : FORWARDED_KEYWORD             { FILTER->beginHeaderItem($1, 1); }
    | ORIGINAL_MESSAGE_KEYWORD      { FILTER->beginHeaderItem($1, 1); }
    ;

forwarded_optional_header_item_content
    : %empty
    | forwarded_header_item_content
    ;

forwarded_header_item_content
    : LEX_WORD                                  { FILTER->addHeaderItemWord($1, 1); }
    | address                                   { FILTER->completeAddress(1); }
    | forwarded_header_item_content LEX_WORD    { FILTER->addHeaderItemWord($2, 1); }
    | forwarded_header_item_content address     { FILTER->completeAddress(1); }
    ;

%%

int postsift::parseEmail() { return emailparse(); }
