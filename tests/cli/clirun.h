// Running kovel-cli from the tests, as a program in a folder (the repository root, where
// shape/ is, by default).
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace clirun {

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string out, err;
    std::vector<std::string> lines;        // stdout lines
    std::map<std::string, std::string> at; // name -> value of the name=value lines
};

inline std::string slurp(const fs::path &p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline std::string quoted(const std::string &s) { return "'" + s + "'"; }

// Runs `kovel-cli <args>` in `dir` (the repository root by default) with `input` as the
// input file named on the command line (or on standard input).
inline CliRun runCli(const std::string &args, const std::string &input, bool viaStdin = false,
           const std::string &dir = KOVEL_SOURCE_DIR)
{
    static int counter = 0;
    const fs::path base = fs::temp_directory_path() /
                          ("kovel_cli_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
    const fs::path in = base.string() + ".in", out = base.string() + ".out", err = base.string() + ".err";
    std::ofstream(in, std::ios::binary) << input;
    std::string command = "cd " + quoted(dir) + " && " + quoted(KOVEL_CLI) + " " + args;
    if (viaStdin)
        command += " < " + quoted(in.string());
    else if (!input.empty())
        command += " " + quoted(in.string());
    command += " > " + quoted(out.string()) + " 2> " + quoted(err.string());
    CliRun r;
    const int raw = std::system(command.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = slurp(out);
    r.err = slurp(err);
    fs::remove(in);
    fs::remove(out);
    fs::remove(err);
    std::stringstream ss(r.out);
    std::string line;
    while (std::getline(ss, line)) {
        r.lines.push_back(line);
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos)
            r.at[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return r;
}

} // namespace clirun
