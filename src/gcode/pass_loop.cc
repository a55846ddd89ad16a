#include "gcode/pass_loop.h"

namespace veskaro {

PassDepths pass_depths(float step, float limit, const Where& where, const std::function<void()>& at_first_pass) {
    PassDepths depths;
    for_each_pass(step, limit, where, [&](float depth) {
        if (depths.count == 0 && at_first_pass) at_first_pass();
        depths.deepest = depth;
        ++depths.count;
    });
    return depths;
}

}  // namespace veskaro
