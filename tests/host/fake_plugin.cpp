// A plug-in with the ten exports whose answers show what its host did: which
// factory made the filter, which configuration changes arrived in which
// order, how many texts were filtered and how many bytes each had; the two
// registration exports say on standard output that they were called, and
// fail when FAKE_REGISTRATION_FAILS is set. Like the
// real scanners, it writes to standard output while it filters: every
// carriage return of the text, and a flood of bytes for a text that asks for
// one, so that a host's capture of that output can be put to the test.
#if defined(_WIN32)
#define POSTSIFT_API
#else
#define POSTSIFT_API __attribute__((visibility("default")))
#endif
#include "postsift.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct fakeFilter {
    explicit fakeFilter(const char* maker) : origin(maker) {}
    std::string origin;
    bool active = false;
    std::string changes;
    int runs = 0;
    std::string result;
};

fakeFilter* fake(void* filter) { return static_cast<fakeFilter*>(filter); }

}  // namespace

extern "C" {

int32_t POSTSIFT_CDECL getObject(int32_t type, void** out) {
    if (type == POSTSIFT_OBJECT_FILTER || type == POSTSIFT_OBJECT_FILTER_ALT) *out = new fakeFilter("getObject");
    return *out != nullptr ? 1 : 0;
}

postsiftResult POSTSIFT_STDCALL DllRegisterServer(void) {
    std::puts("[DllRegisterServer]");
    std::fflush(stdout);
    return std::getenv("FAKE_REGISTRATION_FAILS") != nullptr ? static_cast<postsiftResult>(0x80004005ul) : 0;
}

postsiftResult POSTSIFT_STDCALL DllUnregisterServer(void) {
    std::puts("[DllUnregisterServer]");
    std::fflush(stdout);
    return std::getenv("FAKE_REGISTRATION_FAILS") != nullptr ? static_cast<postsiftResult>(0x80004005ul) : 0;
}

void* POSTSIFT_STDCALL _zelNewFilter(uint32_t, uint32_t) { return new fakeFilter("_zelNewFilter"); }

int32_t POSTSIFT_STDCALL _zelDeleteFilter(uint32_t, void* filter) {
    delete fake(filter);
    return 0;
}

int32_t POSTSIFT_STDCALL _zelSetFilter(uint32_t, void* filter) {
    fake(filter)->active = true;
    return 0;
}

int32_t POSTSIFT_STDCALL _zelDeactivateFilter(uint32_t, void* filter) {
    fake(filter)->active = false;
    return 0;
}

int32_t POSTSIFT_STDCALL _zelGetFilteredText(uint32_t, void* filter, const char* text, const char** out) {
    fakeFilter& self = *fake(filter);
    if (!self.active) {
        *out = text;
        return 0;
    }
    ++self.runs;
    std::string body;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '\r') {
            std::fputc('\r', stdout);
        } else {
            body += *c;
        }
    }
    if (std::strstr(text, "FLOOD") != nullptr) {
        const std::string flood(300000, '~');
        std::fwrite(flood.data(), 1, flood.size(), stdout);
    }
    if (std::strstr(text, "SILENCE") != nullptr) {
        *out = nullptr;
        return 0;
    }
    self.result = "[" + self.origin + " run " + std::to_string(self.runs) + ", " + std::to_string(std::strlen(text)) +
                  " bytes" + self.changes + "]\n" + body;
    *out = self.result.c_str();
    return 0;
}

// Refuses the key "[REFUSED]", as the real plug-in refuses a symbol that
// is already defined.
int32_t POSTSIFT_STDCALL _zelUpdateFilter(uint32_t, void* filter, const char* key, const char* value) {
    if (key == nullptr || std::strcmp(key, "[REFUSED]") == 0) return 2;
    fake(filter)->changes += value != nullptr ? std::string(" set ") + key + "=" + value : std::string(" unset ") + key;
    return 0;
}

int32_t POSTSIFT_STDCALL _zelActivateFilter(uint32_t unused, void* filter) { return _zelSetFilter(unused, filter); }

}  // extern "C"
