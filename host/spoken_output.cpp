#include "spoken_output.h"

#include <cstring>

#include "platform/console.h"
#include "progress_line.h"
#include "text_encoding.h"

namespace postsift::host {

spokenOutput::spokenOutput(std::FILE* out, bool raw, std::string separator, bool keepForSpeech,
                           progressLine& progress)
    : out_(out),
      raw_(raw),
      separator_(std::move(separator)),
      keepForSpeech_(keepForSpeech),
      progress_(progress),
      toTerminal_(out == stdout && platform::standardOutputIsTerminal()) {}

std::string spokenOutput::encoded(const std::string& text) const { return raw_ ? text : windows1252ToUtf8(text); }

void spokenOutput::write(const char* spoken) {
    std::string text = spoken != nullptr ? spoken : "";
    if (!text.empty() && text.back() != '\n') text += '\n';
    if (toTerminal_) progress_.clear();
    if (written_++ > 0) {
        std::fputs(separator_.c_str(), out_);
        std::fputc('\n', out_);
    }
    const std::string bytes = encoded(text);
    std::fwrite(bytes.data(), 1, bytes.size(), out_);
    if (keepForSpeech_) {
        if (!speech_.empty() && !text.empty()) speech_ += "\n";
        speech_ += windows1252ToUtf8(text);
    }
}

void spokenOutput::echoStray(const std::string& stray) {
    if (stray.empty()) return;
    progress_.clear();
    const std::string bytes = encoded(stray);
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

bool spokenOutput::finish() { return std::fflush(out_) == 0 && !std::ferror(out_); }

}  // namespace postsift::host
