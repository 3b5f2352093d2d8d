// The registry calls over the Windows W functions; names are converted from
// GBK with code page 936.
#pragma once

#include "platform/registry.h"

class WindowsRegistry : public Registry {
  public:
    bool openKey(RegistryRoot root, const char* keyPath, RegistryAccess access,
                 RegistryKey* key) override;
    bool createKey(RegistryRoot root, const char* keyPath, RegistryKey* key) override;
    bool queryValueInfo(RegistryKey key, const char* valueName, uint32_t* type,
                        uint32_t* size) override;
    bool queryValueData(RegistryKey key, const char* valueName, uint32_t* type, void* data,
                        uint32_t* size) override;
    bool setDwordValue(RegistryKey key, const char* valueName, uint32_t value) override;
    bool closeKey(RegistryKey key) override;
};
