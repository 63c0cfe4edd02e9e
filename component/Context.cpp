#include "component/Context.h"

namespace idj {

Context& ctx() {
    static Context c;
    return c;
}

} // namespace idj
