// The ten exported functions. No exception may cross into the engine: each
// export catches everything and answers as it would for a failure.
#include "platform/export_marks.h"
// The marks above must come first: the public header marks its declarations
// with them.
#include "postsift.h"

#include <new>

#include "filter/epost_sift.h"
#include "filter/localized_epost_sift.h"
#include "interface/registration.h"

using postsift::epostSift;

namespace {

epostSift* filterOf(void* filter) { return static_cast<epostSift*>(filter); }

}  // namespace

extern "C" {

int32_t POSTSIFT_CDECL getObject(int32_t type, void** out) {
    try {
        if (type == 1 || type == 7) {
            epostSift* filter = new (std::nothrow) postsift::localizedEpostSift;
            if (filter != nullptr) *out = filter;
        }
        return *out != nullptr ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

postsiftResult POSTSIFT_STDCALL DllRegisterServer(void) {
    try {
        return postsift::registerServer();
    } catch (...) {
        return postsift::resultFail;
    }
}

postsiftResult POSTSIFT_STDCALL DllUnregisterServer(void) {
    try {
        return postsift::unregisterServer();
    } catch (...) {
        return postsift::resultOk;
    }
}

void* POSTSIFT_STDCALL _zelNewFilter(uint32_t, uint32_t) {
    try {
        return new (std::nothrow) epostSift;
    } catch (...) {
        return nullptr;
    }
}

int32_t POSTSIFT_STDCALL _zelDeleteFilter(uint32_t, void* filter) {
    try {
        if (filter != nullptr) filterOf(filter)->deleteFilter();
    } catch (...) {
    }
    return 0;
}

int32_t POSTSIFT_STDCALL _zelSetFilter(uint32_t, void* filter) {
    try {
        return filterOf(filter)->activateFilter();
    } catch (...) {
        return 0;
    }
}

int32_t POSTSIFT_STDCALL _zelDeactivateFilter(uint32_t, void* filter) {
    try {
        return filterOf(filter)->deactivateFilter();
    } catch (...) {
        return 0;
    }
}

int32_t POSTSIFT_STDCALL _zelGetFilteredText(uint32_t, void* filter, const char* text, const char** out) {
    try {
        return filterOf(filter)->getFilteredText(text, out, 0);
    } catch (...) {
        return 0;
    }
}

int32_t POSTSIFT_STDCALL _zelUpdateFilter(uint32_t, void* filter, const char* key, const char* value) {
    try {
        return filterOf(filter)->updateFilter(key, value);
    } catch (...) {
        return 2;
    }
}

int32_t POSTSIFT_STDCALL _zelActivateFilter(uint32_t, void*) POSTSIFT_SAME_FUNCTION_AS(_zelSetFilter);

}  // extern "C"
