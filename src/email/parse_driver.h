#pragma once

namespace postsift {

class epostSift;

// The filter whose operations the grammar's actions call; set by
// parseEmailText before each parse.
extern epostSift* currentFilter;

// Runs the e-mail grammar over the scanner's tokens: 0 when the text was
// accepted, 1 when the parse stopped at a syntax error.
int parseEmail();

// The grammar's error reporter: one trace line per error.
void reportParseError(const char* message);

}  // namespace postsift
