// Command lines that q4k prints for the user to paste: each word quoted as the platform's shell
// takes it literally, the program named as the user started it.
#pragma once

#include <string>
#include <vector>

enum class ShellSyntax {
    Posix,   // sh and its relatives: single quotes
    Windows, // cmd.exe: double quotes, backslashes as the C runtime reads them (PowerShell takes the
             // quoted arguments alike, but runs a quoted program name only after "& ")
};

// The word unchanged when the shell takes it as it is, otherwise quoted.
std::string QuoteWord(const std::string& word, ShellSyntax syntax);

// The program and its arguments as one line, each word quoted where it needs it.
std::string CommandLine(const std::string& program, const std::vector<std::string>& arguments, ShellSyntax syntax);

// argv[0] as a word that starts the program again: a relative path with a slash is joined to the
// directory it was started in, a bare name (found on PATH) stays as it is.
std::string PosixProgram(const std::string& argv0, const std::string& directory);
