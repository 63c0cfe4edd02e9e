#include "forms/Host.h"

#include "forms/ScriptedHost.h"

namespace forms {

namespace {
Host*& current() {
    static Host* h = nullptr;
    return h;
}
} // namespace

Host& host() {
    static ScriptedHost fallback;
    return current() ? *current() : fallback;
}

void setHost(Host* h) {
    current() = h;
}

} // namespace forms
