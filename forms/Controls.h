#pragma once
// Everything a window model needs.
#include "forms/Constants.h"
#include "forms/Control.h"
#include "forms/FlexGrid.h"
#include "forms/Form.h"
#include "forms/Host.h"
#include "forms/ListView.h"

namespace forms {

class PictureBox : public Frame {
  public:
    PictureBox(Form& f, std::string name, Control* container = nullptr)
        : Frame(f, std::move(name), {}, container, Kind::PictureBox) {}
};

} // namespace forms
