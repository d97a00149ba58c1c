// kovel-cli: the command-line front end. Each subcommand is one function
//
//     int runName(int argc, char **argv);
//
// called with argv[0] the subcommand's name and argv[1..] its arguments. It writes its
// results to standard output and its messages (Japanese) to standard error, and returns
// the exit status: 0 success, 1 a refused calculation or a file that cannot be used,
// 2 a usage error (wrong arguments, a malformed input line).
#pragma once

#include <string>

// kovel-cli calc [FILE]: one beam check (or an automatic size selection) from
// name=value lines; the result fields as name=value lines.
int runCalc(int argc, char **argv);

// The full description of `calc` (its input names and output lines).
std::string calcHelp();
