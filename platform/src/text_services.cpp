// Text services over GBK byte strings.
#include <cstring>

#include "platform/runtime.h"

std::size_t textLength(std::string_view text) { return text.size(); }

std::string joinTexts(std::initializer_list<std::string_view> texts) {
    std::size_t size = 0;
    for (const std::string_view text : texts) {
        size += text.size();
    }
    std::string joined;
    joined.reserve(size);
    for (const std::string_view text : texts) {
        joined.append(text);
    }
    return joined;
}

int compareTexts(std::string_view a, std::string_view b) {
    // char_traits<char> compares as unsigned char, like memcmp.
    const int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

void releaseText(std::string& text) { std::string().swap(text); }
