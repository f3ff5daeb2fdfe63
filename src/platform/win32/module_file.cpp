#include <windows.h>

#include "platform/module_file.h"

namespace postsift::platform {

unsigned moduleFileName(char* buffer, unsigned capacity) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&moduleFileName), &module))
        return 0;
    const DWORD length = GetModuleFileNameA(module, buffer, capacity);
    // A path cut to the buffer's size is not terminated on older systems.
    if (length >= capacity) {
        buffer[capacity - 1] = '\0';
        return capacity - 1;
    }
    return length;
}

}  // namespace postsift::platform

// The loader's entry point: the static initialisers have run, so the module
// path is all that is left to capture.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) postsift::platform::captureModuleFilePath();
    return TRUE;
}
