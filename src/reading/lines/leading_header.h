#pragma once
#include "reading/lines/message_line.h"

namespace postsift {

// The lines of a message's leading header block as the scanner reads them,
// shared with the reading pass, which must stop where the scanner's header
// stops.
//
// A header is written by programs, not by people, and a field there need not
// look like a body line that begins with a word and a colon: its name may
// hold '_' ("X_Id:") or '*', and its value may follow the colon without a
// blank ("DomainKey-Signature:a=rsa-sha1;"). Either way it is a field, and its
// folded lines belong to it; read as text, it would end the header there and
// lose the sender, date and subject that come after it.

// A field line of the leading header: a name (no blank, no colon, not
// beginning with '>', '*' or '_'), then ':', unless "//" follows (a link at the top of a
// text without a header: "http://..."); or blanks, a keyword as the body
// scanner knows one, and ':'.
bool isLeadingFieldLine(const messageLine& line);
// The same, with the line's header keyword as headerKeywordEnd finds it
// (both null when it has none), which the reading pass asks of every field
// line: a name without '*', '>' and '_' is a keyword, found in one walk.
bool isLeadingFieldLine(const messageLine& line, const char*& keyword, const char*& keywordEnd);

// A line beginning with '>' inside the leading header: a line mangled on its
// way (">Received: by ...", ">From ..."). It belongs to the header, with the
// lines after it that begin with a blank, when the header goes on after it.
// `first` is such a line; the run of them (each with its blank-led lines) is
// passed over, and where a field line follows the run, that is where the
// header goes on. Null when none follows: the header ends before the run.
const char* headerGoesOnAfterQuotedLines(const messageLine& first, const char* textEnd);

}  // namespace postsift
