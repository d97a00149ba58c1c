// A beam as name=value lines, as `kovel-cli calc` reads it, and its check as the
// name=value pairs it prints.
#pragma once

#include "sections/namedbeam.h"

#include <string>
#include <utility>
#include <vector>

namespace sections {

// Reads name=value lines (UTF-8, CR LF or LF, an optional byte-order mark; blank lines
// and lines starting with # are skipped). Returns an empty string, or the Japanese
// message naming the first faulty line ("3行目「...」: ..."). `warnings` (optional)
// receives the number warnings, each starting with its line ("3行目: ...").
std::string readNamedLines(const std::string &data, NamedBeam &named, std::vector<std::string> *warnings = nullptr);

// The reported texts of a computed check, in the order `kovel-cli calc` prints them (the
// results and the section of the field table, then M0..M100).
std::vector<std::pair<std::string, std::string>> resultFields(const NamedCheck &check);

} // namespace sections
