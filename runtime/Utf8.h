#pragma once
// Texts are UTF-8 throughout; lengths the user sees are in characters, not bytes.
#include <cstddef>
#include <string_view>

namespace rt {

constexpr bool isUtf8Continuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

inline size_t charCount(std::string_view s) {
    size_t n = 0;
    for (unsigned char c : s)
        n += !isUtf8Continuation(c);
    return n;
}

// Where the character after the first `chars` characters starts (the size when there are fewer).
inline size_t byteOffset(std::string_view s, size_t chars) {
    size_t i = 0;
    while (i < s.size() && chars > 0) {
        ++i;
        while (i < s.size() && isUtf8Continuation(static_cast<unsigned char>(s[i])))
            ++i;
        --chars;
    }
    return i;
}

} // namespace rt
