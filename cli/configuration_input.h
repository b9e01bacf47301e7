// Reading a configuration file as every q4k command does: the restore's record check first, and
// a file without records is no configuration.
#pragma once

#include <ostream>
#include <string>

// Reads the named file ("-": standard input) into `bytes`; on failure writes the German reason,
// naming the file and its first bad record, to `verdict` and returns the exit code.
int ReadConfiguration(const std::string& name, std::string& bytes, std::ostream& verdict);
