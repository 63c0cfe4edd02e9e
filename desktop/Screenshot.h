#pragma once
// Rendering a window to a PNG without a display: the chosen window is grabbed once it has been
// shown for a while, then every open window is closed through its model.
#include <string>

namespace desktop {

struct ScreenshotRequest {
    std::string path;  // empty: no screenshot; "-": paint the window but write no file
    int afterMs = 500; // how long the window is shown first
    // Which window: the one with this name, or else the N-th shown (1 = the first).
    std::string formName;
    int ordinal = 1;
    // Give up (and close everything) when the window has not been shown by then.
    int timeoutMs = 30000;

    bool wanted() const { return !path.empty(); }
    // Timing a run to its first painted window should not pay for encoding a PNG.
    bool writesFile() const { return path != "-"; }
    bool matches(const std::string& name, int shownCount) const {
        return formName.empty() ? shownCount == ordinal : name == formName;
    }
};

// From IDJ_SCREENSHOT (the PNG path), IDJ_SCREENSHOT_FORM (a window name or a number) and
// IDJ_SCREENSHOT_DELAY_MS; no screenshot when IDJ_SCREENSHOT is unset.
ScreenshotRequest screenshotFromEnvironment();
// "frmJournal" or "2" into the request's window choice.
void chooseWindow(ScreenshotRequest& r, const std::string& nameOrOrdinal);

} // namespace desktop
