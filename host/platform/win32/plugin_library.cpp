#include <windows.h>

#include "platform/plugin_library.h"

namespace postsift::platform {

static std::string lastErrorText() {
    char* text = nullptr;
    const DWORD code = GetLastError();
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string message = text != nullptr ? text : "error " + std::to_string(code);
    if (text != nullptr) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
    return message;
}

pluginLibrary::pluginLibrary(const std::string& path) {
    handle_ = LoadLibraryA(path.c_str());
    if (handle_ == nullptr) error_ = path + ": " + lastErrorText();
}

pluginLibrary::~pluginLibrary() {
    if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(handle_));
}

void* pluginLibrary::byName(const char* name) {
    if (handle_ == nullptr) return nullptr;
    void* symbol = reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
    if (symbol == nullptr) error_ = std::string("the plug-in has no export ") + name;
    return symbol;
}

void* pluginLibrary::byOrdinal(unsigned ordinal) {
    if (handle_ == nullptr) return nullptr;
    void* symbol = reinterpret_cast<void*>(
        GetProcAddress(static_cast<HMODULE>(handle_), MAKEINTRESOURCEA(ordinal)));
    if (symbol == nullptr) error_ = "the plug-in has no export at ordinal " + std::to_string(ordinal);
    return symbol;
}

bool pluginLibrary::hasOrdinals() { return true; }

const char* pluginLibrary::fileName() { return "postsift.dll"; }

char pluginLibrary::separator() { return '\\'; }

std::string pluginLibrary::programFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return ".\\";
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

}  // namespace postsift::platform
