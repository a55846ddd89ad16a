// The programs' version and their maker's web address.
#pragma once

namespace veskaro {

// The project's version, set once in CMakeLists.txt.
extern const char* const VERSION;

inline constexpr const char* kWebsite = "https://veskaro.example.org";

// The words of every program's first line after its comment mark ("#" as
// the generator writes it, ";" as veskaro-post does), before the address.
inline constexpr const char* kProgramTitle = " Created with VESKARO G-Code Generator - ";

}  // namespace veskaro
