#pragma once
// The date picker.
#include "forms/Control.h"

namespace forms {

class DatePicker : public Control {
  public:
    DatePicker(Form& f, std::string name, Control* container = nullptr);
    void reset() override;
    rt::Date Value() const { return value_; }
    void setValue(rt::Date d);

  private:
    rt::Date value_{};
};

} // namespace forms
