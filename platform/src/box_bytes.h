// The bytes of a multi-line box's text, kept so that a line put on top costs only that line.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

// The text lies at the end of its storage, with free room in front of it: prepending copies only
// the prefix, until the room runs out and the storage is remade with room as large as the text
// (so prepending n bytes in pieces costs O(n) in all). The room is never written before it is
// used, so it takes address space but, in large storage, no memory pages.
class BoxBytes {
public:
    BoxBytes() = default;
    BoxBytes(const BoxBytes& other) { *this = other.view(); }
    BoxBytes& operator=(const BoxBytes& other) {
        if (this != &other) {
            *this = other.view();
        }
        return *this;
    }
    // A moved-from text is empty.
    BoxBytes(BoxBytes&& other) noexcept { swap(other); }
    BoxBytes& operator=(BoxBytes&& other) noexcept {
        BoxBytes taken(std::move(other));
        swap(taken);
        return *this;
    }

    // Replaces the whole text; bytes must not lie inside this text. Storage more than four
    // times the text's size is given back.
    BoxBytes& operator=(std::string_view bytes) {
        if (bytes.size() > capacity_ || bytes.size() < capacity_ / 4) {
            storage_.reset();
            if (!bytes.empty()) {
                storage_ = std::make_unique_for_overwrite<char[]>(bytes.size());
            }
            capacity_ = bytes.size();
        }
        start_ = capacity_ - bytes.size();
        copyTo(start_, bytes);
        return *this;
    }

    // Puts bytes in front of the text; bytes must not lie inside this text.
    void prepend(std::string_view bytes) {
        if (bytes.size() > start_) {
            const std::size_t size = this->size() + bytes.size();
            const std::size_t capacity = std::max<std::size_t>(2 * size, 64);
            auto storage = std::make_unique_for_overwrite<char[]>(capacity);
            const std::string_view text = view();
            storage_.swap(storage);
            capacity_ = capacity;
            start_ = capacity - text.size();
            copyTo(start_, text);
        }
        start_ -= bytes.size();
        copyTo(start_, bytes);
    }

    std::string_view view() const { return {storage_.get() + start_, size()}; }
    std::size_t size() const { return capacity_ - start_; }
    bool empty() const { return size() == 0; }

private:
    void swap(BoxBytes& other) noexcept {
        storage_.swap(other.storage_);
        std::swap(capacity_, other.capacity_);
        std::swap(start_, other.start_);
    }

    void copyTo(std::size_t at, std::string_view bytes) {
        if (!bytes.empty()) {
            std::memcpy(storage_.get() + at, bytes.data(), bytes.size());
        }
    }

    std::unique_ptr<char[]> storage_;
    std::size_t capacity_ = 0;  // bytes in storage_
    std::size_t start_ = 0;     // where the text begins in storage_
};
