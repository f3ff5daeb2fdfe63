// The module path as captured at load: the same on every system; only how
// the name is found (module_file.cpp of each side) differs.
#include "platform/module_file.h"

namespace postsift::platform {
namespace {

// Written at load, before any filter exists, and only read after that.
constexpr unsigned capacity = 512;
char capturedPath[capacity];
unsigned capturedLength = 0;

}  // namespace

const char* moduleFilePath() { return capturedPath; }

unsigned moduleFilePathLength() { return capturedLength; }

void captureModuleFilePath() { capturedLength = moduleFileName(capturedPath, capacity); }

}  // namespace postsift::platform
