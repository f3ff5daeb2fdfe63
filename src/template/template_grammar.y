/* The header summary template: runs of plain text and substitutions of the
 * form '{' name '?' text '|' text '}'. No rule recovers from errors. */

%code {
#include "support/trace.h"
#include "template/template_evaluation.h"

int cfglex();
static void cfgerror(const char* message);

/* The template grammar never nests: the stack stays far below this. */
#define YYINITDEPTH 150
#define YYMAXDEPTH 150
}

%define api.prefix {cfg}
%define api.value.type {const char*}

%token CFG_TEXT 257
%token SUBST_TEXT_DEFINED 258
%token SUBST_TEXT_UNDEFINED 259
%token CFG_VAR 260
%token CFG_NEWLINE 261

/* No conflicts: a substitution opens with its own token '{', and the text
 * between substitutions is one token, so the parser never has to choose
 * between extending a list and closing it. */
%expect 0

%start cfg_rule

%%

cfg_rule
    : cfg_substitution
    | cfg_plain_text
    | cfg_rule cfg_substitution
    | cfg_rule cfg_plain_text
    ;

cfg_plain_text
    : plain_text
    ;

cfg_substitution
    : substitution
    ;

plain_text
    : CFG_TEXT { postsift::appendTemplateText($1); }
    ;

substitution
    : '{' cfg_variable '?' cfgvar_defined '|' cfgvar_undefined '}' { postsift::completeSubstitution(); }
    ;

cfg_variable
    : CFG_VAR { postsift::takeConditionSymbol($1); }
    ;

cfgvar_defined
    : SUBST_TEXT_DEFINED { postsift::takeThenText($1); }
    ;

cfgvar_undefined
    : SUBST_TEXT_UNDEFINED { postsift::takeElseText($1); }
    ;

%%

static void cfgerror(const char* message) {
    postsift::traceMessage("cfg parser error! %s", postsift::printable(message));
}

namespace postsift {

int parseTemplate() { return cfgparse(); }

}  // namespace postsift
