#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "platform/child_process.h"

extern char** environ;

namespace postsift::platform {
namespace {

// A pipe whose ends close themselves and never leak into other children.
struct pipeEnds {
    int fd[2] = {-1, -1};
    bool open() { return pipe2(fd, O_CLOEXEC) == 0; }
    void close(int end) {
        if (fd[end] >= 0) ::close(fd[end]);
        fd[end] = -1;
    }
    ~pipeEnds() {
        close(0);
        close(1);
    }
};

std::string nameOf(const std::string& setting) { return setting.substr(0, setting.find('=')); }

// This process's environment with the given settings in place.
std::vector<std::string> childEnvironment(const std::vector<std::string>& settings) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string current = *entry;
        bool replaced = false;
        for (const std::string& setting : settings) replaced = replaced || nameOf(setting) == nameOf(current);
        if (!replaced) result.push_back(current);
    }
    result.insert(result.end(), settings.begin(), settings.end());
    return result;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

bool readSome(int fd, std::string& into) {
    char buffer[16384];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got > 0) into.append(buffer, static_cast<std::size_t>(got));
    return got > 0 || (got < 0 && (errno == EINTR || errno == EAGAIN));
}

// Feeds the input and drains both outputs until the child has closed them.
// A child that stops reading early gets no more input; SIGPIPE is held back
// for this thread meanwhile so that it cannot end the caller.
void exchange(pipeEnds& in, pipeEnds& out, pipeEnds& err, const std::string& input, childRun& run) {
    sigset_t pipeSignal, previous;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);

    std::size_t written = 0;
    if (input.empty()) in.close(1);
    if (in.fd[1] >= 0) fcntl(in.fd[1], F_SETFL, fcntl(in.fd[1], F_GETFL) | O_NONBLOCK);
    while (in.fd[1] >= 0 || out.fd[0] >= 0 || err.fd[0] >= 0) {
        pollfd watched[3] = {{in.fd[1], POLLOUT, 0}, {out.fd[0], POLLIN, 0}, {err.fd[0], POLLIN, 0}};
        if (poll(watched, 3, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (watched[0].revents != 0) {
            const ssize_t put = write(in.fd[1], input.data() + written, input.size() - written);
            if (put > 0) written += static_cast<std::size_t>(put);
            if ((put < 0 && errno != EAGAIN && errno != EINTR) || written == input.size()) in.close(1);
        }
        if (watched[1].revents != 0 && !readSome(out.fd[0], run.output)) out.close(0);
        if (watched[2].revents != 0 && !readSome(err.fd[0], run.errors)) err.close(0);
    }

    // Take away a SIGPIPE that the early stop raised, then unblock.
    const timespec now = {0, 0};
    while (sigtimedwait(&pipeSignal, nullptr, &now) == SIGPIPE) {
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

}  // namespace

childStart runChild(const std::vector<std::string>& command, const std::string& input,
                    const std::vector<std::string>& environment, childRun& run, std::string& error) {
    run = childRun();
    if (command.empty()) {
        error = "no program to run";
        return childStart::failed;
    }
    pipeEnds in, out, err;
    if (!in.open() || !out.open() || !err.open()) {
        error = std::string("cannot create a pipe: ") + std::strerror(errno);
        return childStart::failed;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.fd[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out.fd[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.fd[1], STDERR_FILENO);

    std::vector<std::string> arguments = command;
    std::vector<std::string> settings = childEnvironment(environment);
    std::vector<char*> argv = pointersTo(arguments);
    std::vector<char*> envp = pointersTo(settings);
    pid_t child = -1;
    const int failure = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failure != 0) {
        error = command[0] + ": " + std::strerror(failure);
        return failure == ENOENT ? childStart::notFound : childStart::failed;
    }
    in.close(0);
    out.close(1);
    err.close(1);
    exchange(in, out, err, input, run);

    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            error = std::string("cannot wait for ") + command[0] + ": " + std::strerror(errno);
            return childStart::failed;
        }
    }
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return childStart::started;
}

}  // namespace postsift::platform
