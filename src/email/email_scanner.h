#pragma once
#include <cstddef>

// The e-mail scanner: one process-wide instance that cuts the message text
// handed over by the parse driver into the grammar's tokens. The token codes
// are those of the grammar's generated header (email_grammar.hpp).
namespace postsift {

// The text of the last token: it lies in the scanner's buffer, NUL-terminated
// in place, and is valid only until the next call of nextEmailToken.
extern const char* tokenText;

// The input: the message text, the read position and the length in bytes
// (the terminating NUL is not part of the input). resetEmailScanner takes
// the whole text into the scanner's own buffer at once, so the position
// moves to the length there; the text itself is only read.
extern const char* emailInputText;
extern std::size_t emailInputPos;
extern std::size_t emailInputLength;

// The length of a word that the grammar hands to an operation: for the
// token that the scanner matched last it is known without counting; any
// other text (a literal of the scanner's, a test's word) is measured.
std::size_t tokenTextLength(const char* text);

// The next token's code, 0 at the end of the input.
int nextEmailToken();

// Back to the first condition, at line start, with the input above copied
// into the scanner's buffer: each parse scans its own text from its first
// byte, whatever the last one left. False when the copy cannot be made (the
// scan then finds the input empty).
bool resetEmailScanner();

// The same for a text that the caller hands over instead of lending it: a
// buffer from malloc of length + scannerEndBytes bytes (support/
// scanner_text.h) whose first `length` bytes are the text. The scanner reads
// it in place, with no copy, and frees it.
// False when flex cannot count that many bytes (the buffer is freed).
bool adoptEmailScannerInput(char* buffer, std::size_t length);

// Frees the scanner's copy of the input once the parse is over; further
// requests report end of input.
void releaseEmailScannerInput();

// The name of the current start condition ("INITIAL", "HEADER_SECTION" ...),
// for diagnostics and tests.
const char* emailScannerCondition();

}  // namespace postsift
