// The programs' version and their maker's web address.
#pragma once

namespace veskaro {

// The project's version, set once in CMakeLists.txt.
extern const char* const VERSION;

inline constexpr const char* kWebsite = "https://veskaro.example.org";

}  // namespace veskaro
