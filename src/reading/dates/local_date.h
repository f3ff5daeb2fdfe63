#pragma once
#include "reading/dates/date_reading.h"

namespace postsift {

// A date that names its zone becomes the computer's local date and time of
// the same moment, and has no zone any more. A date without a zone stays as
// it is: nothing says where it was written. False, with the date left
// unchanged, when the system cannot place the moment.
bool toLocalTime(dateTime& date);

}  // namespace postsift
