#pragma once

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <pty.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// Runs the built pelmorix-cli as a separate process.
struct CliResult
{
    std::string strOut;
    std::string strErr;
    int nStatus;
};

inline std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream stream;
    stream << file.rdbuf();
    return stream.str();
}

// strArgs are shell words; strInput is what the program reads on standard input. Standard output
// goes to strOutPath when one is given (and is then not read back).
inline CliResult RunCli(const std::string& strArgs, const std::string& strInput,
                        const std::string& strOutPath = "")
{
    const auto dir = std::filesystem::temp_directory_path() /
                     ("pelmorix-cli-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "in", std::ios::binary) << strInput;
    const std::string strOut = strOutPath.empty() ? (dir / "out").string() : strOutPath;
    const std::string strCommand = std::string(PELMORIX_CLI_PATH) + " " + strArgs + " <" +
                                   (dir / "in").string() + " >" + strOut + " 2>" +
                                   (dir / "err").string();
    const int nRaw = std::system(strCommand.c_str());
    CliResult result{ReadWholeFile(dir / "out"), ReadWholeFile(dir / "err"),
                     WIFEXITED(nRaw) ? WEXITSTATUS(nRaw) : -1};
    std::filesystem::remove_all(dir);
    return result;
}

// What a bounded generator writes into the program's standard input through a pipe: strHead,
// nRepeats copies of strFill, then strTail. The program may stop reading early.
struct PipeFeed
{
    std::string strHead;
    std::string strFill;
    std::size_t nRepeats = 0;
    std::string strTail;
};

#if defined(__SANITIZE_ADDRESS__)
constexpr bool CLI_UNDER_ASAN = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool CLI_UNDER_ASAN = true;
#else
constexpr bool CLI_UNDER_ASAN = false;
#endif
#else
constexpr bool CLI_UNDER_ASAN = false;
#endif

// Runs the program with feed piped into it, its address space limited to nMemoryLimit bytes (not
// under AddressSanitizer, which reserves far more) and killed after nSeconds, so that neither the
// program nor the test can hang or exhaust the machine.
inline CliResult RunCliFed(const std::string& strArgs, const PipeFeed& feed,
                           std::size_t nMemoryLimit, unsigned nSeconds = 120)
{
    const auto dir =
        std::filesystem::temp_directory_path() / ("pelmorix-cli-fed-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string strCommand = "exec " + std::string(PELMORIX_CLI_PATH) + " " + strArgs + " >" +
                                   (dir / "out").string() + " 2>" + (dir / "err").string();
    int fds[2];
    if (::pipe(fds) != 0)
        return {"", "pipe failed", -1};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[0], STDIN_FILENO);
        ::close(fds[0]);
        ::close(fds[1]);
        if (!CLI_UNDER_ASAN) {
            const rlimit limit{nMemoryLimit, nMemoryLimit};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        ::alarm(nSeconds);
        ::execl("/bin/sh", "sh", "-c", strCommand.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[0]);
    // A program that stops reading closes the pipe; the write then fails instead of killing us.
    const auto oldHandler = std::signal(SIGPIPE, SIG_IGN);
    const auto writeAll = [&](const char* p, std::size_t n) {
        while (n > 0) {
            const ssize_t nWritten = ::write(fds[1], p, n);
            if (nWritten <= 0)
                return false;
            p += nWritten;
            n -= std::size_t(nWritten);
        }
        return true;
    };
    bool bOpen = writeAll(feed.strHead.data(), feed.strHead.size());
    const std::size_t nPerChunk =
        std::max<std::size_t>(1, (1 << 16) / std::max<std::size_t>(1, feed.strFill.size()));
    std::string strChunk;
    for (std::size_t i = 0; i < nPerChunk; ++i)
        strChunk += feed.strFill;
    for (std::size_t nLeft = feed.nRepeats; bOpen && nLeft > 0;) {
        const std::size_t n = std::min(nLeft, nPerChunk);
        bOpen = writeAll(strChunk.data(), n * feed.strFill.size());
        nLeft -= n;
    }
    if (bOpen)
        writeAll(feed.strTail.data(), feed.strTail.size());
    ::close(fds[1]);
    std::signal(SIGPIPE, oldHandler);
    int nRaw = 0;
    ::waitpid(pid, &nRaw, 0);
    CliResult result{ReadWholeFile(dir / "out"), ReadWholeFile(dir / "err"),
                     WIFEXITED(nRaw) ? WEXITSTATUS(nRaw) : 128 + WTERMSIG(nRaw)};
    std::filesystem::remove_all(dir);
    return result;
}

// Runs the program with its standard error on a pseudo-terminal, as in an interactive shell, and
// standard input empty; strErr is everything the terminal received. Killed after nSeconds.
inline CliResult RunCliOnTerminal(const std::string& strArgs, unsigned nSeconds = 120)
{
    const auto dir =
        std::filesystem::temp_directory_path() / ("pelmorix-cli-tty-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string strCommand = "exec " + std::string(PELMORIX_CLI_PATH) + " " + strArgs +
                                   " </dev/null >" + (dir / "out").string();
    int nMaster = -1, nSlave = -1;
    if (::openpty(&nMaster, &nSlave, nullptr, nullptr, nullptr) != 0)
        return {"", "openpty failed", -1};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(nSlave, STDERR_FILENO);
        ::close(nSlave);
        ::close(nMaster);
        ::alarm(nSeconds);
        ::execl("/bin/sh", "sh", "-c", strCommand.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(nSlave);
    // The terminal reports an error instead of the end once the program has closed its side.
    std::string strTerminal;
    char buffer[4096];
    for (ssize_t n; (n = ::read(nMaster, buffer, sizeof buffer)) > 0;)
        strTerminal.append(buffer, std::size_t(n));
    ::close(nMaster);
    int nRaw = 0;
    ::waitpid(pid, &nRaw, 0);
    CliResult result{ReadWholeFile(dir / "out"), strTerminal,
                     WIFEXITED(nRaw) ? WEXITSTATUS(nRaw) : 128 + WTERMSIG(nRaw)};
    std::filesystem::remove_all(dir);
    return result;
}
