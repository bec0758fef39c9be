// The bytes of a multi-line box's text, kept so that a line put on top costs only that line.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

// The text lies at the end of its storage, with free room in front of it: prepending copies only
// the prefix, until the room runs out and the storage is remade with room as large as the text
// (so prepending n bytes in pieces costs O(n) in all). The room is never written before it is
// used, so it takes address space but, in large storage, no memory pages.
struct BoxBytes {
    std::unique_ptr<char[]> storage;
    std::size_t capacity = 0;  // bytes in storage
    std::size_t start = 0;     // where the text begins in storage
};

// The text, valid until the next change.
std::string_view boxBytesView(const BoxBytes& box);

// Replaces the whole text; bytes must not lie inside the text. Storage more than four times the
// text's size is given back.
void setBoxBytes(BoxBytes& box, std::string_view bytes);

// Puts bytes in front of the text; bytes must not lie inside the text.
void prependBoxBytes(BoxBytes& box, std::string_view bytes);
