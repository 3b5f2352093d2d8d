// The few C++ runtime entry points the program needs, over the C heap. The
// library's own versions throw std::bad_alloc or call std::terminate, and
// either one links in the unwinder and a name demangler: some 200 KiB for a
// program that never throws.
#include <cstdlib>
#include <new>

void* operator new(std::size_t size) {
    void* block = std::malloc(size ? size : 1);
    if (!block) {
        std::abort();
    }
    return block;
}

void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

extern "C" void __cxa_pure_virtual() { std::abort(); }
