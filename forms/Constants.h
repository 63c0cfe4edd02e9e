#pragma once
// The windowing constants the component's windows use, numbered as the original toolkit numbers them.
#include <cstdint>

namespace forms {

enum KeyCode : int {
    vbKeyBack = 8,
    vbKeyTab = 9,
    vbKeyReturn = 13,
    vbKeyShift = 16,
    vbKeyControl = 17,
    vbKeyEscape = 27,
    vbKeySpace = 32,
    vbKeyEnd = 35,
    vbKeyHome = 36,
    vbKeyLeft = 37,
    vbKeyUp = 38,
    vbKeyRight = 39,
    vbKeyDown = 40,
    vbKeyDelete = 46,
    vbKeyApps = 93,
    vbKeyF1 = 112,
    vbKeyF9 = 120,
};

enum ShiftMask : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };
enum MouseButton : int { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum MousePointer : int { vbDefault = 0, vbHourglass = 11 };

enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

enum MsgBoxResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7
};

// Unload modes of QueryUnload.
enum UnloadMode : int { vbFormControlMenu = 0, vbFormCode = 1 };

// Colours are 0x00BBGGRR; values with the high bit set name a system colour.
using Colour = uint32_t;
constexpr Colour rgb(int r, int g, int b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}
constexpr Colour vbRed = rgb(255, 0, 0);
constexpr Colour vbCyan = rgb(0, 255, 255);
constexpr Colour vbBlack = 0;
constexpr Colour vbWindowText = 0x80000008u;
constexpr Colour vbHighlightText = 0x8000000Eu;
constexpr Colour vbHighlight = 0x8000000Du;
constexpr Colour vbWindowBackground = 0x80000005u;
constexpr Colour vbButtonFace = 0x8000000Fu;

// Grid sort codes.
enum SortCode : int {
    flexSortNone = 0,
    flexSortGenericAscending = 1,
    flexSortGenericDescending = 2,
    flexSortNumericAscending = 3,
    flexSortNumericDescending = 4,
    flexSortStringNoCaseAscending = 5,
    flexSortStringNoCaseDescending = 6,
    flexSortStringAscending = 7,
    flexSortStringDescending = 8,
};

// What a click selects in a grid.
enum SelectionMode : int {
    flexSelectionFree = 0,
    flexSelectionByRow = 1,
};

// Alignments (grid and list).
enum Alignment : int {
    flexAlignLeftTop = 0,
    flexAlignLeftCenter = 1,
    flexAlignRightCenter = 7,
    lvwColumnLeft = 0,
    lvwColumnRight = 1,
    lvwColumnCenter = 2,
};

} // namespace forms
