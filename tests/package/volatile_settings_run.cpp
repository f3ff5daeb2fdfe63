// Runs a program while the plug-in's settings key exists as a volatile key,
// under which Windows creates no lasting sub-key: the plug-in's
// DllRegisterServer then fails, as it does for a user who may not write the
// settings. Its exit code is the program's; the key goes afterwards.
// Usage: volatile_settings_run KEY PROGRAM [ARGUMENT...]
//   KEY: the settings key below HKEY_LOCAL_MACHINE, which must not exist.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct heldKey {
    HKEY key = nullptr;
    ~heldKey() {
        if (key != nullptr) RegCloseKey(key);
    }
};

struct heldProcess {
    PROCESS_INFORMATION info{};
    ~heldProcess() {
        if (info.hThread != nullptr) CloseHandle(info.hThread);
        if (info.hProcess != nullptr) CloseHandle(info.hProcess);
    }
};

// One argument as the program's C runtime reads it back: quoted when it
// holds a blank or a quote (backslashes double only before a quote), else
// as it is, for programs such as setups that read their switches bare.
std::string quoted(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, '\\');
    return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: volatile_settings_run KEY PROGRAM [ARGUMENT...]\n", stderr);
        return 125;
    }
    heldKey settings;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, argv[1], 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &settings.key, &disposition) != ERROR_SUCCESS ||
        disposition != REG_CREATED_NEW_KEY) {
        std::fprintf(stderr, "volatile_settings_run: cannot create HKLM\\%s as a new volatile key\n", argv[1]);
        return 125;
    }
    std::string command;
    for (int i = 2; i < argc; ++i) command += (i > 2 ? " " : "") + quoted(argv[i]);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    heldProcess program;
    DWORD status = 125;
    // The standard handles are inherited, so that what the program says
    // on standard error reaches the caller.
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &program.info)) {
        std::fprintf(stderr, "volatile_settings_run: cannot start %s (error %lu)\n", argv[2], GetLastError());
    } else if (WaitForSingleObject(program.info.hProcess, INFINITE) != WAIT_OBJECT_0 ||
               !GetExitCodeProcess(program.info.hProcess, &status)) {
        status = 125;
    }
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, argv[1]);
    return static_cast<int>(status);
}
