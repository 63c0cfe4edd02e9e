#pragma once
// Everything a window model needs.
#include "forms/Buttons.h"
#include "forms/ComboBox.h"
#include "forms/Constants.h"
#include "forms/Control.h"
#include "forms/DatePicker.h"
#include "forms/FlexGrid.h"
#include "forms/Form.h"
#include "forms/Host.h"
#include "forms/ListView.h"
#include "forms/Menu.h"
#include "forms/StaticControls.h"
#include "forms/TextBox.h"

namespace forms {

class PictureBox : public Frame {
  public:
    PictureBox(Form& f, std::string name, Control* container = nullptr)
        : Frame(f, std::move(name), {}, container, Kind::PictureBox) {}
};

} // namespace forms
