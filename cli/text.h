// kovel-cli text PROJECT.kvl OUT.txt: the text report of a project file, written by the
// same writer as the menu's text export.
#pragma once

// argv[0] is "text", argv[1] the project file, argv[2] the report file (replaced when it
// exists). Returns 0 on success, 1 when a file cannot be read or written, 2 on a usage error.
int runText(int argc, char **argv);
