#include "forms/StaticControls.h"

namespace forms {

Label::Label(Form& f, std::string name, std::string caption, Control* container)
    : Control(f, std::move(name), Kind::Label, container), designCaption(std::move(caption)) {
    Caption = designCaption;
}

void Label::reset() {
    Control::reset();
    Caption = designCaption;
}

Frame::Frame(Form& f, std::string name, std::string caption, Control* container, Kind kind)
    : Control(f, std::move(name), kind, container), designCaption(std::move(caption)) {
    Caption = designCaption;
}

void Frame::reset() {
    Control::reset();
    Caption = designCaption;
}

ImageList::ImageList(Form& f, std::string name, std::vector<std::string> k)
    : Control(f, std::move(name), Kind::ImageList), keys(std::move(k)) {}

} // namespace forms
