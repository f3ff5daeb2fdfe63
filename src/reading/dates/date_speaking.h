#pragma once
#include <cstddef>
#include <string>

#include "reading/dates/date_reading.h"
#include "reading/dates/date_words.h"

namespace postsift {

// Appends the date as `words` say it: the pattern without a time, on the
// hour or with a time, as the date is. The day's name comes from the date
// itself, never from what a text called it. The date is said as it stands:
// toLocalTime first for the local time.
void speakDate(const dateTime& date, const dateWords& words, std::string& spoken);

// Reads the whole text as a date (readDate), says it in local time and
// appends it. False, appending nothing, when the text is no complete date
// or the system cannot place it: the caller then says the text as it is.
bool speakDateText(const char* text, std::size_t length, const dateWords& words, std::string& spoken);

}  // namespace postsift
