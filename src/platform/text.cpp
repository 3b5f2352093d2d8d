#include "platform/text.h"

#include <cstdlib>
#include <cstring>

Text::Text(const char* bytes) {
    if (bytes) {
        append(bytes, std::strlen(bytes));
    }
}

Text::Text(const char* bytes, size_t length) { append(bytes, length); }

Text::Text(const Text& other) { append(other.data_, other.size_); }

Text::Text(Text&& other) noexcept
    : data_(other.data_), size_(other.size_), capacity_(other.capacity_) {
    other.data_ = nullptr;
    other.size_ = other.capacity_ = 0;
}

Text& Text::operator=(const Text& other) {
    if (this != &other) {
        size_ = 0;
        append(other.data_, other.size_);
    }
    return *this;
}

Text& Text::operator=(Text&& other) noexcept {
    if (this != &other) {
        std::free(data_);
        data_ = other.data_;
        size_ = other.size_;
        capacity_ = other.capacity_;
        other.data_ = nullptr;
        other.size_ = other.capacity_ = 0;
    }
    return *this;
}

Text::~Text() { std::free(data_); }

void Text::reserve(size_t capacity) {
    if (capacity <= capacity_) {
        return;
    }
    size_t grown = capacity_ ? capacity_ * 2 : 16;
    if (grown < capacity) {
        grown = capacity;
    }
    char* bigger = static_cast<char*>(std::realloc(data_, grown + 1));
    if (!bigger) {
        // Out of memory in a program this small means the system is failing;
        // carrying on with a truncated text would show or write a lie.
        std::abort();
    }
    data_ = bigger;
    capacity_ = grown;
}

void Text::append(const char* bytes) {
    if (bytes) {
        append(bytes, std::strlen(bytes));
    }
}

void Text::append(const char* bytes, size_t length) {
    if (!bytes || length == 0) {
        return;
    }
    // Appending a piece of this very text must survive the buffer moving.
    bool inside = data_ && bytes >= data_ && bytes < data_ + size_;
    size_t offset = inside ? static_cast<size_t>(bytes - data_) : 0;
    reserve(size_ + length);
    std::memmove(data_ + size_, inside ? data_ + offset : bytes, length);
    size_ += length;
    data_[size_] = '\0';
}

bool Text::operator==(const Text& other) const {
    return size_ == other.size_ && std::memcmp(c_str(), other.c_str(), size_) == 0;
}

bool Text::operator==(const char* other) const {
    if (!other) {
        return size_ == 0;
    }
    size_t length = std::strlen(other);
    return size_ == length && std::memcmp(c_str(), other, size_) == 0;
}
