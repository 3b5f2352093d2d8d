#include "platform/win/registry_win.h"

#include <windows.h>

#include "platform/win/gbk.h"

namespace {

HKEY rootKey(RegistryRoot root) {
    switch (root) {
    case RegistryRoot::CurrentUser: {
        return HKEY_CURRENT_USER;
    }
    }
    return HKEY_CURRENT_USER;
}

HKEY toHkey(RegistryKey key) {
    return reinterpret_cast<HKEY>(key);
}

RegistryKey fromHkey(HKEY key) {
    return reinterpret_cast<RegistryKey>(key);
}

} // namespace

bool WindowsRegistry::openKey(RegistryRoot root, const char* keyPath, RegistryAccess access,
                              RegistryKey* key) {
    HKEY opened = nullptr;
    REGSAM sam = access == RegistryAccess::Read ? KEY_READ : KEY_WRITE;
    if (RegOpenKeyExW(rootKey(root), gbkToWide(keyPath).c_str(), 0, sam, &opened) !=
        ERROR_SUCCESS) {
        return false;
    }
    *key = fromHkey(opened);
    return true;
}

bool WindowsRegistry::createKey(RegistryRoot root, const char* keyPath, RegistryKey* key) {
    HKEY created = nullptr;
    if (RegCreateKeyW(rootKey(root), gbkToWide(keyPath).c_str(), &created) != ERROR_SUCCESS) {
        return false;
    }
    *key = fromHkey(created);
    return true;
}

bool WindowsRegistry::queryValueInfo(RegistryKey key, const char* valueName, uint32_t* type,
                                     uint32_t* size) {
    DWORD valueType = 0;
    DWORD valueSize = 0;
    if (RegQueryValueExW(toHkey(key), gbkToWide(valueName).c_str(), nullptr, &valueType, nullptr,
                         &valueSize) != ERROR_SUCCESS) {
        return false;
    }
    *type = valueType;
    *size = valueSize;
    return true;
}

bool WindowsRegistry::queryValueData(RegistryKey key, const char* valueName, uint32_t* type,
                                     void* data, uint32_t* size) {
    DWORD valueType = 0;
    DWORD valueSize = *size;
    if (RegQueryValueExW(toHkey(key), gbkToWide(valueName).c_str(), nullptr, &valueType,
                         static_cast<BYTE*>(data), &valueSize) != ERROR_SUCCESS) {
        return false;
    }
    *type = valueType;
    *size = valueSize;
    return true;
}

bool WindowsRegistry::setDwordValue(RegistryKey key, const char* valueName, uint32_t value) {
    DWORD data = value;
    return RegSetValueExW(toHkey(key), gbkToWide(valueName).c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

bool WindowsRegistry::closeKey(RegistryKey key) {
    return RegCloseKey(toHkey(key)) == ERROR_SUCCESS;
}
