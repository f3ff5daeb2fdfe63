#include <windows.h>

#include <algorithm>
#include <cstring>
#include <thread>

#include "platform/child_process.h"

namespace postsift::platform {
namespace {

// A handle that closes itself.
struct ownedHandle {
    HANDLE handle = nullptr;
    ownedHandle() = default;
    ownedHandle(const ownedHandle&) = delete;
    ownedHandle& operator=(const ownedHandle&) = delete;
    ~ownedHandle() { close(); }
    void close() {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
        handle = nullptr;
    }
};

// A pipe whose `childEnd` is inherited by the child and whose other end is not.
bool makePipe(ownedHandle& readEnd, ownedHandle& writeEnd, bool childReads) {
    SECURITY_ATTRIBUTES inherit = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    if (!CreatePipe(&readEnd.handle, &writeEnd.handle, &inherit, 0)) return false;
    return SetHandleInformation(childReads ? writeEnd.handle : readEnd.handle, HANDLE_FLAG_INHERIT, 0) != 0;
}

// Quotes one argument so that the child's runtime splits it back as it was.
std::string quoted(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) return argument;
    std::string out = "\"";
    for (std::size_t i = 0;; ++i) {
        std::size_t backslashes = 0;
        while (i < argument.size() && argument[i] == '\\') {
            ++i;
            ++backslashes;
        }
        if (i == argument.size()) {
            out.append(backslashes * 2, '\\');
            break;
        }
        if (argument[i] == '"') {
            out.append(backslashes * 2 + 1, '\\');
        } else {
            out.append(backslashes, '\\');
        }
        out += argument[i];
    }
    return out + "\"";
}

bool sameName(const std::string& a, const std::string& b) {
    const std::string nameA = a.substr(0, a.find('=', 1));
    const std::string nameB = b.substr(0, b.find('=', 1));
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, nameA.c_str(), -1, nameB.c_str(), -1) == CSTR_EQUAL;
}

// An environment block: this process's settings with the given ones in place.
std::string environmentBlock(const std::vector<std::string>& settings) {
    std::string block;
    char* current = GetEnvironmentStringsA();
    for (const char* entry = current; entry != nullptr && *entry != '\0'; entry += std::strlen(entry) + 1) {
        bool replaced = false;
        for (const std::string& setting : settings) replaced = replaced || sameName(setting, entry);
        if (!replaced) block.append(entry).push_back('\0');
    }
    if (current != nullptr) FreeEnvironmentStringsA(current);
    for (const std::string& setting : settings) block.append(setting).push_back('\0');
    block.push_back('\0');
    return block;
}

void drain(HANDLE from, std::string& into) {
    char buffer[16384];
    DWORD got = 0;
    while (ReadFile(from, buffer, sizeof buffer, &got, nullptr) && got > 0) into.append(buffer, got);
}

void feed(HANDLE to, const std::string& input) {
    std::size_t written = 0;
    while (written < input.size()) {
        DWORD put = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(input.size() - written, 65536));
        if (!WriteFile(to, input.data() + written, chunk, &put, nullptr)) return;  // the child stopped reading
        written += put;
    }
}

}  // namespace

childStart runChild(const std::vector<std::string>& command, const std::string& input,
                    const std::vector<std::string>& environment, childRun& run, std::string& error) {
    run = childRun();
    if (command.empty()) {
        error = "no program to run";
        return childStart::failed;
    }
    ownedHandle inRead, inWrite, outRead, outWrite, errRead, errWrite;
    if (!makePipe(inRead, inWrite, true) || !makePipe(outRead, outWrite, false) || !makePipe(errRead, errWrite, false)) {
        error = "cannot create a pipe (error " + std::to_string(GetLastError()) + ")";
        return childStart::failed;
    }
    std::string commandLine;
    for (const std::string& argument : command) commandLine += (commandLine.empty() ? "" : " ") + quoted(argument);
    std::string block = environment.empty() ? std::string() : environmentBlock(environment);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inRead.handle;
    startup.hStdOutput = outWrite.handle;
    startup.hStdError = errWrite.handle;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                        block.empty() ? nullptr : block.data(), nullptr, &startup, &process)) {
        const DWORD code = GetLastError();
        error = command[0] + ": cannot start it (error " + std::to_string(code) + ")";
        return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? childStart::notFound
                                                                              : childStart::failed;
    }
    ownedHandle child, thread;
    child.handle = process.hProcess;
    thread.handle = process.hThread;
    // Only the child may hold these now, or the pipes would never end.
    inRead.close();
    outWrite.close();
    errWrite.close();

    std::thread writer([&] {
        feed(inWrite.handle, input);
        inWrite.close();
    });
    std::thread errorReader([&] { drain(errRead.handle, run.errors); });
    drain(outRead.handle, run.output);
    errorReader.join();
    writer.join();

    DWORD status = 0;
    WaitForSingleObject(child.handle, INFINITE);
    GetExitCodeProcess(child.handle, &status);
    run.status = static_cast<int>(status);
    return childStart::started;
}

}  // namespace postsift::platform
