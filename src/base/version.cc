#include "base/version.h"

namespace veskaro {

const char* const VERSION = VESKARO_VERSION;

}  // namespace veskaro
