// The registry as the program sees it: the handful of calls the game's
// settings store is built from, one method per Windows call, so that the logic
// above can be run against a fake and every single call can be made to fail.
// All names are GBK texts; the Windows side converts them to UTF-16.
#pragma once

#include <cstdint>

enum class RegistryRoot { CurrentUser };

enum class RegistryAccess { Read, Write };

// Registry value types, with the numbers Windows gives them.
namespace RegistryType {
constexpr uint32_t None = 0;
constexpr uint32_t String = 1;       // REG_SZ
constexpr uint32_t ExpandString = 2; // REG_EXPAND_SZ
constexpr uint32_t Binary = 3;       // REG_BINARY
constexpr uint32_t Dword = 4;        // REG_DWORD
constexpr uint32_t MultiString = 7;  // REG_MULTI_SZ
constexpr uint32_t Qword = 11;       // REG_QWORD
} // namespace RegistryType

// An open key. Zero is never a valid key.
using RegistryKey = uintptr_t;

class Registry {
  public:
    virtual ~Registry() = default;

    // RegOpenKeyEx. An empty key path opens the root itself.
    virtual bool openKey(RegistryRoot root, const char* keyPath, RegistryAccess access,
                         RegistryKey* key) = 0;
    // RegCreateKey: creates every missing key on the path and opens the last.
    virtual bool createKey(RegistryRoot root, const char* keyPath, RegistryKey* key) = 0;
    // RegQueryValueEx without data: the value's type and size in bytes.
    virtual bool queryValueInfo(RegistryKey key, const char* valueName, uint32_t* type,
                                uint32_t* size) = 0;
    // RegQueryValueEx with data: fills at most *size bytes and sets *size and
    // *type to what was read.
    virtual bool queryValueData(RegistryKey key, const char* valueName, uint32_t* type,
                                void* data, uint32_t* size) = 0;
    // RegSetValueEx with a REG_DWORD holding `value`.
    virtual bool setDwordValue(RegistryKey key, const char* valueName, uint32_t value) = 0;
    // RegCloseKey.
    virtual bool closeKey(RegistryKey key) = 0;
};
