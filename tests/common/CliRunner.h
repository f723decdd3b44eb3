#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

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

// strArgs are shell words; strInput is what the program reads on standard input.
inline CliResult RunCli(const std::string& strArgs, const std::string& strInput)
{
    const auto dir = std::filesystem::temp_directory_path() /
                     ("pelmorix-cli-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "in", std::ios::binary) << strInput;
    const std::string strCommand = std::string(PELMORIX_CLI_PATH) + " " + strArgs + " <" +
                                   (dir / "in").string() + " >" + (dir / "out").string() + " 2>" +
                                   (dir / "err").string();
    const int nRaw = std::system(strCommand.c_str());
    CliResult result{ReadWholeFile(dir / "out"), ReadWholeFile(dir / "err"),
                     WIFEXITED(nRaw) ? WEXITSTATUS(nRaw) : -1};
    std::filesystem::remove_all(dir);
    return result;
}
