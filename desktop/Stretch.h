#pragma once
// A window that holds a grid or a list grows with its frame: the grid or list (and the frames
// that hold it) take the extra width and height, controls below it move down, controls to its
// right move right, and controls that span its width below it widen with it. Positions are the
// models' own (twips), so the window's code sees the sizes the user sees.
#include "forms/Form.h"

#include <vector>

namespace desktop {

class Stretch {
  public:
    explicit Stretch(forms::Form& form);
    // Whether the window has a grid or list to stretch.
    bool active() const { return !chain_.empty(); }
    // Sets the growth over the designed size, in twips (never below the design).
    void grow(int dxTwips, int dyTwips);

  private:
    void shift(int ddx, int ddy);

    forms::Form& form_;
    std::vector<forms::Control*> chain_; // the grid or list, then each container out to the form
    int dx_ = 0, dy_ = 0;
};

} // namespace desktop
