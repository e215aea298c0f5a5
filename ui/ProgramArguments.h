#pragma once
#include <string>
#include <vector>

// What the program was asked to do on its command line: `brelvik [--] [FILE]`, or one of the two
// options that answer on the terminal without opening a window.
struct ProgramArguments {
    enum Request { Run, Help, Version, Mistake };
    Request request = Run;
    std::string picture;  // FILE, empty when none was given
    std::string mistake;  // why the arguments were refused
};

// Reads the arguments after the program's name. --help and --version win wherever they stand
// before "--", so they can be answered before the toolkit (and its display) is started.
ProgramArguments ParseProgramArguments(const std::vector<std::string>& args);

std::string ProgramUsageText();  // the extensions from the table of picture kinds
extern const char* const ProgramVersionText;
