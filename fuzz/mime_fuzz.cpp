// The MIME decoding stage alone, text in, text out, as getFilteredText runs
// it: no state of its own, so nothing is set up or torn down around it.
//
// Input: a byte choosing the attachment phrase (none, empty, the French and
// the German build's, or one with stray '%' signs), then the message, up to
// a NUL byte, where an engine's text ends.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_input.h"
#include "mime/mime_stage.h"

namespace {

const char* const phrases[] = {nullptr, "", "Pi\xe8" "ce jointe : %s.", "Anhang: %s.", "%s %% %d %s %n"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzInput input(data, size);
    postsift::mime::stageOptions options;
    options.attachmentPhrase = phrases[input.byte() % (sizeof phrases / sizeof phrases[0])];
    const std::string message = input.text();

    postsift::mime::textBuffer out;
    postsift::mime::stageFindings found;
    const postsift::mime::stageOutcome outcome =
        postsift::mime::decodeMessage(message.data(), message.size(), options, out, found);
    if (outcome != postsift::mime::stageOutcome::decoded) return 0;
    // What the scanner reads: no NUL that would end it early, and no more
    // than a fixed multiple of the message (announcements and the headers
    // written for parts are the only things that grow).
    if (out.size() > 0 && std::memchr(out.bytes().begin, 0, out.size()) != nullptr) std::abort();
    if (out.size() > 4 * message.size() + 4096) std::abort();
    return 0;
}
