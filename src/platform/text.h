// Text: the program's string type. It owns a NUL-terminated byte string in the
// GBK code page (the encoding every text of the program uses), kept on the C
// heap so that the shipped executable pulls in none of the C++ library's string
// machinery. An empty Text holds no allocation; c_str() is then "".
#pragma once

#include <cstddef>

class Text {
  public:
    Text() = default;
    // Copies a NUL-terminated string; a null pointer is the empty text.
    explicit Text(const char* bytes);
    // Copies exactly `length` bytes, which may include NULs.
    Text(const char* bytes, size_t length);
    Text(const Text& other);
    Text(Text&& other) noexcept;
    Text& operator=(const Text& other);
    Text& operator=(Text&& other) noexcept;
    ~Text();

    const char* c_str() const { return data_ ? data_ : ""; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    // Appends bytes; a null pointer appends nothing.
    void append(const char* bytes);
    void append(const char* bytes, size_t length);
    void append(char byte) { append(&byte, 1); }

    bool operator==(const Text& other) const;
    bool operator!=(const Text& other) const { return !(*this == other); }
    bool operator==(const char* other) const;
    bool operator!=(const char* other) const { return !(*this == other); }

  private:
    void reserve(size_t capacity);

    char* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};
