// kovel-cli: the command-line front end. Each subcommand is one function
//
//     int runName(int argc, char **argv);
//
// called with argv[0] the subcommand's name and argv[1..] its arguments. It writes its
// results to standard output and its messages (Japanese) to standard error, and returns
// the exit status: 0 success, 1 a refused calculation or a file that cannot be used,
// 2 a usage error (wrong arguments, a malformed input line, an output that cannot be a
// file of its own), kOutputFailed when output could not be written.
#pragma once

#include <string>

// The exit status of a run whose output (a file or standard output) could not be written.
inline constexpr int kOutputFailed = 3;

// kovel-cli calc [FILE]: one beam check (or an automatic size selection) from
// name=value lines; the result fields as name=value lines.
int runCalc(int argc, char **argv);

// The full description of `calc` (its input names and output lines).
std::string calcHelp();
