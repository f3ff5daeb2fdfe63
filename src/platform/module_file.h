#pragma once

namespace postsift::platform {

// The full path of the module (library or program) that holds this code,
// captured once when it is loaded: by the library's entry point on Windows,
// by a load-time constructor elsewhere. The empty text when the platform
// cannot tell.
const char* moduleFilePath();
unsigned moduleFilePathLength();

// Captures the path again. A program that holds the library's code (a unit
// test) runs no library entry point on Windows, so it asks for itself.
void captureModuleFilePath();

// Writes the full path of the module into buffer, cut to capacity - 1 bytes
// and NUL-terminated; returns the number of characters written, 0 when the
// platform cannot tell. Each side of the platform layer has its own.
unsigned moduleFileName(char* buffer, unsigned capacity);

}  // namespace postsift::platform
