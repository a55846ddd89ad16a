// The files the programs read: a project, a G-code program.  A file that
// cannot be read is worded one way everywhere, with the system's reason:
// "cannot read '<path>': No such file or directory".
#pragma once

#include <fstream>
#include <string>

namespace veskaro {

// "cannot read '<path>': <the text of errno value `error`>".
std::string cannot_read(const std::string& path, int error);

// Opens `path` for reading.  Throws RunError(cannot_read(...)) when it
// cannot be opened, and for a folder ("Is a directory"), which a stream
// would open and then read as empty.
std::ifstream open_input(const std::string& path);

// After a read of `path` went bad: throws RunError(cannot_read(...)) with
// the reason the system gave the failing read (an input/output error when
// it gave none).
[[noreturn]] void fail_reading(const std::string& path);

}  // namespace veskaro
