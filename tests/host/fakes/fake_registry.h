// An in-memory registry that behaves as Windows does where the program relies
// on it, and can be told to fail any single call.
//
//   FakeRegistry reg;
//   reg.setDword(VideoKeyPath, "resheight", 768);      // creates the key path
//   reg.failCall(RegistryCall::Set, 2);                // the 2nd set fails
//   reg.failCall(RegistryCall::Open, 0, "", "Software\\X"); // every open of that key
//   reg.denyAccess(VideoKeyPath);                      // open and create refused
//   ... run code ...
//   reg.value(VideoKeyPath, "reswidth")                // std::optional<FakeValue>
//   reg.log                                             // every call, in order
//
// Only HKEY_CURRENT_USER exists; key and value names compare case-insensitively
// (ASCII letters), as Windows does. Names are GBK: the trail byte of a two-byte
// character is never folded nor taken for a backslash. The empty key path is
// the root itself.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

enum class RegistryCall { Open, Create, QueryInfo, QueryData, Set, Close };

struct FakeValue {
    uint32_t type = 0;
    std::vector<uint8_t> bytes;

    bool operator==(const FakeValue& other) const {
        return type == other.type && bytes == other.bytes;
    }
};

struct RegistryCallRecord {
    RegistryCall call;
    std::string keyPath;   // the key the call named or acted on
    std::string valueName; // empty for open, create and close
    bool succeeded;
};

class FakeRegistry : public Registry {
  public:
    // Seeding and inspecting. Paths are key paths without the root.
    void createKeyPath(const std::string& keyPath);
    void setValue(const std::string& keyPath, const std::string& name, uint32_t type,
                  std::vector<uint8_t> bytes);
    void setDword(const std::string& keyPath, const std::string& name, uint32_t value);
    void setString(const std::string& keyPath, const std::string& name, const std::string& text);
    void deleteKeyTree(const std::string& keyPath);
    bool hasKey(const std::string& keyPath) const;
    std::optional<FakeValue> value(const std::string& keyPath, const std::string& name) const;
    // Every value under one key, by lower-cased name.
    std::map<std::string, FakeValue> values(const std::string& keyPath) const;
    // Every key path that exists, lower-cased.
    std::vector<std::string> keyPaths() const;

    // Faults. `occurrence` 0 fails every matching call, N fails only the N-th
    // matching call. An empty valueName or keyPath matches any.
    void failCall(RegistryCall call, int occurrence = 0, const std::string& valueName = "",
                  const std::string& keyPath = "");
    void clearFaults();
    // Opening or creating this key (or anything below it) is refused.
    void denyAccess(const std::string& keyPath);

    // Keys opened or created and not (successfully) closed.
    size_t openHandles() const { return handles_.size(); }
    // The calls made, in order.
    std::vector<RegistryCallRecord> log;

    bool openKey(RegistryRoot root, const char* keyPath, RegistryAccess access,
                 RegistryKey* key) override;
    bool createKey(RegistryRoot root, const char* keyPath, RegistryKey* key) override;
    bool queryValueInfo(RegistryKey key, const char* valueName, uint32_t* type,
                        uint32_t* size) override;
    bool queryValueData(RegistryKey key, const char* valueName, uint32_t* type, void* data,
                        uint32_t* size) override;
    bool setDwordValue(RegistryKey key, const char* valueName, uint32_t value) override;
    bool closeKey(RegistryKey key) override;

  private:
    struct Fault {
        RegistryCall call;
        int occurrence;
        std::string valueName;
        std::string keyPath;
        int seen = 0;
    };
    struct Handle {
        std::string keyPath;
        bool writable;
    };

    bool injectFault(RegistryCall call, const std::string& keyPath, const std::string& valueName);
    bool denied(const std::string& keyPath) const;
    const Handle* handle(RegistryKey key) const;
    bool record(RegistryCall call, const std::string& keyPath, const std::string& valueName,
                bool succeeded);

    std::map<std::string, std::map<std::string, FakeValue>> keys_; // lower-cased path -> values
    std::vector<Fault> faults_;
    std::vector<std::string> deniedKeys_;
    std::map<RegistryKey, Handle> handles_;
    RegistryKey nextHandle_ = 0x100;
};
