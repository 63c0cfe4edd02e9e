#include "desktop/Screenshot.h"

#include <cstdlib>

namespace desktop {

void chooseWindow(ScreenshotRequest& r, const std::string& which) {
    r.formName.clear();
    r.ordinal = 1;
    if (which.empty()) return;
    if (which.find_first_not_of("0123456789") == std::string::npos) {
        r.ordinal = std::max(std::atoi(which.c_str()), 1);
        return;
    }
    r.formName = which;
}

ScreenshotRequest screenshotFromEnvironment() {
    ScreenshotRequest r;
    if (const char* p = std::getenv("IDJ_SCREENSHOT")) r.path = p;
    if (const char* f = std::getenv("IDJ_SCREENSHOT_FORM")) chooseWindow(r, f);
    if (const char* d = std::getenv("IDJ_SCREENSHOT_DELAY_MS")) r.afterMs = std::max(std::atoi(d), 0);
    return r;
}

} // namespace desktop
