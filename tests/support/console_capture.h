// Captures what the code under test prints on standard output.
#pragma once

#include <iostream>
#include <sstream>
#include <string>

namespace veskaro::testing {

class ConsoleCapture {
public:
    ConsoleCapture() : previous_(std::cout.rdbuf(captured_.rdbuf())) {}
    ~ConsoleCapture() { std::cout.rdbuf(previous_); }
    ConsoleCapture(const ConsoleCapture&) = delete;
    ConsoleCapture& operator=(const ConsoleCapture&) = delete;
    std::string text() const { return captured_.str(); }

private:
    std::ostringstream captured_;
    std::streambuf* previous_;
};

}  // namespace veskaro::testing
