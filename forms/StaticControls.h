#pragma once
// Controls that show but take no input: labels, frames and image lists.
#include "forms/Control.h"

namespace forms {

class Label : public Control {
  public:
    Label(Form& f, std::string name, std::string caption = {}, Control* container = nullptr);
    void reset() override;
    std::string designCaption;
};

class Frame : public Control {
  public:
    Frame(Form& f, std::string name, std::string caption = {}, Control* container = nullptr,
          Kind kind = Kind::Frame);
    void reset() override;
    std::string designCaption;
};

class ImageList : public Control {
  public:
    ImageList(Form& f, std::string name, std::vector<std::string> keys);
    std::vector<std::string> keys;
};

} // namespace forms
