// The program's version and its maker's web address.
#pragma once

#define VESKARO_WEBSITE "https://veskaro.example.org"

namespace veskaro {

inline constexpr const char* VERSION = "1.0.0";

}  // namespace veskaro
