// kovel-cli text PROJECT.kvl OUT.txt: the text report of a project file, written by the
// same writer as the menu's text export.
#pragma once

// argv[0] is "text", argv[1] the project file, argv[2] the report file (replaced when it
// exists). Returns 0 on success, 1 when the project cannot be read, 2 on a usage error
// (also a report file that is the project or is not a regular file), 3 when the report
// cannot be written.
int runText(int argc, char **argv);
