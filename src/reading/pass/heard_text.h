#pragma once

namespace postsift {

class ruleSetting;

// Whether the listener hears quoted text and earlier messages: the scanner
// leaves them out only when "[INCLUDE FORWARDED TEXT]" is there with a value
// that does not say "true". What is left out inside them is not news to the
// listener.
bool quotedTextIsHeard(const ruleSetting& setting);

}  // namespace postsift
