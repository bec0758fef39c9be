// The bytes of a multi-line box's text: storage with free room in front of the text.
#include "box_bytes.h"

#include <algorithm>
#include <cstring>

namespace {

void copyInto(BoxBytes& box, std::size_t at, std::string_view bytes) {
    if (!bytes.empty()) {
        std::memcpy(box.storage.get() + at, bytes.data(), bytes.size());
    }
}

}  // namespace

std::string_view boxBytesView(const BoxBytes& box) {
    return {box.storage.get() + box.start, box.capacity - box.start};
}

void setBoxBytes(BoxBytes& box, std::string_view bytes) {
    if (bytes.size() > box.capacity || bytes.size() < box.capacity / 4) {
        box.storage.reset();
        if (!bytes.empty()) {
            box.storage = std::make_unique_for_overwrite<char[]>(bytes.size());
        }
        box.capacity = bytes.size();
    }
    box.start = box.capacity - bytes.size();
    copyInto(box, box.start, bytes);
}

void prependBoxBytes(BoxBytes& box, std::string_view bytes) {
    if (bytes.size() > box.start) {
        const std::string_view text = boxBytesView(box);
        const std::size_t capacity = std::max<std::size_t>(2 * (text.size() + bytes.size()), 64);
        BoxBytes remade{std::make_unique_for_overwrite<char[]>(capacity), capacity,
                        capacity - text.size()};
        copyInto(remade, remade.start, text);
        box = std::move(remade);
    }
    box.start -= bytes.size();
    copyInto(box, box.start, bytes);
}
