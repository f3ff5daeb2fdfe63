#pragma once
#include <string>

namespace postsift::host {

// Real speech through eSpeak NG (the espeak-ng program), for --speak and
// --wav. The text goes to it on its standard input, never on a command line.

// False, with a message that says what to install, when espeak-ng cannot be started.
bool speechAvailable(std::string& error);

// `voice`: the plug-in language's code ("fr"), which names eSpeak NG's voice.
// An empty `wavPath` plays the speech; otherwise it is written to that file.
bool speakText(const std::string& utf8Text, const std::string& voice, const std::string& wavPath, std::string& error);

}  // namespace postsift::host
