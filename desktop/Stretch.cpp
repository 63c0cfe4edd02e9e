#include "desktop/Stretch.h"

#include <algorithm>

namespace desktop {

Stretch::Stretch(forms::Form& form) : form_(form) {
    forms::Control* largest = nullptr;
    for (forms::Control* c : form.controls()) {
        if (c->kind() != forms::Kind::FlexGrid && c->kind() != forms::Kind::ListView) continue;
        if (!largest || c->Width * c->Height > largest->Width * largest->Height) largest = c;
    }
    for (forms::Control* c = largest; c; c = c->container())
        chain_.push_back(c);
}

void Stretch::grow(int dx, int dy) {
    if (!active()) return;
    dx = std::max(dx, 0);
    dy = std::max(dy, 0);
    if (dx == dx_ && dy == dy_) return;
    shift(dx - dx_, dy - dy_);
    dx_ = dx;
    dy_ = dy;
}

void Stretch::shift(int ddx, int ddy) {
    for (forms::Control* grown : chain_) {
        // Where it was before this step decides which siblings sit below or to its right.
        const int right = grown->Left + grown->Width, bottom = grown->Top + grown->Height;
        for (forms::Control* c : form_.controls()) {
            if (c == grown || c->container() != grown->container() || c->kind() == forms::Kind::Menu ||
                c->kind() == forms::Kind::ImageList)
                continue;
            if (c->Top >= bottom) {
                if (c->Left == grown->Left && c->Width == grown->Width) c->Width += ddx;
                c->Top += ddy;
            } else if (c->Left >= right) {
                c->Left += ddx;
            }
            c->touch();
        }
        grown->Width += ddx;
        grown->Height += ddy;
        grown->touch();
    }
}

} // namespace desktop
