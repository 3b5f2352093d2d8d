#include "fakes/fake_registry.h"

#include <algorithm>
#include <cstring>

namespace {

// Names are GBK: a byte of 0x80 or above starts a two-byte character, and
// that character's trail byte is neither a letter to fold nor a separator.
size_t charLength(const std::string& text, size_t i) {
    return static_cast<unsigned char>(text[i]) >= 0x80 && i + 1 < text.size() ? 2 : 1;
}

// Windows compares names without regard to case; only ASCII letters are
// folded here, never the trail byte of a two-byte character.
std::string lower(std::string text) {
    for (size_t i = 0; i < text.size(); i += charLength(text, i)) {
        char& c = text[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// Every key from the root down to keyPath, e.g. "a", "a\b", "a\b\c".
std::vector<std::string> keyChain(const std::string& keyPath) {
    std::vector<std::string> chain;
    for (size_t i = 0; i < keyPath.size(); i += charLength(keyPath, i)) {
        if (keyPath[i] == '\\') {
            chain.push_back(keyPath.substr(0, i));
        }
    }
    if (!keyPath.empty()) {
        chain.push_back(keyPath);
    }
    return chain;
}

bool isAtOrBelow(const std::string& key, const std::string& top) {
    if (key.compare(0, top.size(), top) != 0) {
        return false;
    }
    // The next character after `top` must be a backslash of its own, not the
    // trail byte of a character that `top` only began.
    size_t i = 0;
    while (i < top.size()) {
        i += charLength(key, i);
    }
    return key.size() == top.size() || (i == top.size() && key[i] == '\\');
}

} // namespace

void FakeRegistry::createKeyPath(const std::string& keyPath) {
    for (const std::string& key : keyChain(lower(keyPath))) {
        keys_[key];
    }
}

void FakeRegistry::setValue(const std::string& keyPath, const std::string& name, uint32_t type,
                            std::vector<uint8_t> bytes) {
    createKeyPath(keyPath);
    keys_[lower(keyPath)][lower(name)] = FakeValue{type, std::move(bytes)};
}

void FakeRegistry::setDword(const std::string& keyPath, const std::string& name, uint32_t value) {
    setValue(keyPath, name, RegistryType::Dword,
             {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
              static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)});
}

void FakeRegistry::setString(const std::string& keyPath, const std::string& name,
                             const std::string& text) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    setValue(keyPath, name, RegistryType::String, std::move(bytes));
}

void FakeRegistry::deleteKeyTree(const std::string& keyPath) {
    std::string top = lower(keyPath);
    for (auto it = keys_.begin(); it != keys_.end();) {
        it = isAtOrBelow(it->first, top) ? keys_.erase(it) : std::next(it);
    }
}

bool FakeRegistry::hasKey(const std::string& keyPath) const {
    return keyPath.empty() || keys_.count(lower(keyPath)) != 0;
}

std::optional<FakeValue> FakeRegistry::value(const std::string& keyPath,
                                             const std::string& name) const {
    auto key = keys_.find(lower(keyPath));
    if (key == keys_.end()) {
        return std::nullopt;
    }
    auto found = key->second.find(lower(name));
    if (found == key->second.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::map<std::string, FakeValue> FakeRegistry::values(const std::string& keyPath) const {
    auto key = keys_.find(lower(keyPath));
    return key == keys_.end() ? std::map<std::string, FakeValue>() : key->second;
}

std::vector<std::string> FakeRegistry::keyPaths() const {
    std::vector<std::string> paths;
    for (const auto& key : keys_) {
        paths.push_back(key.first);
    }
    return paths;
}

void FakeRegistry::failCall(RegistryCall call, int occurrence, const std::string& valueName,
                            const std::string& keyPath) {
    faults_.push_back(Fault{call, occurrence, lower(valueName), lower(keyPath)});
}

void FakeRegistry::clearFaults() {
    faults_.clear();
    deniedKeys_.clear();
}

void FakeRegistry::denyAccess(const std::string& keyPath) {
    deniedKeys_.push_back(lower(keyPath));
}

bool FakeRegistry::injectFault(RegistryCall call, const std::string& keyPath,
                               const std::string& valueName) {
    bool fail = false;
    for (Fault& fault : faults_) {
        if (fault.call != call || (!fault.valueName.empty() && fault.valueName != valueName) ||
            (!fault.keyPath.empty() && fault.keyPath != keyPath)) {
            continue;
        }
        ++fault.seen;
        if (fault.occurrence == 0 || fault.occurrence == fault.seen) {
            fail = true;
        }
    }
    return fail;
}

bool FakeRegistry::denied(const std::string& keyPath) const {
    return std::any_of(deniedKeys_.begin(), deniedKeys_.end(),
                       [&](const std::string& top) { return isAtOrBelow(keyPath, top); });
}

const FakeRegistry::Handle* FakeRegistry::handle(RegistryKey key) const {
    auto found = handles_.find(key);
    return found == handles_.end() ? nullptr : &found->second;
}

bool FakeRegistry::record(RegistryCall call, const std::string& keyPath,
                          const std::string& valueName, bool succeeded) {
    log.push_back(RegistryCallRecord{call, keyPath, valueName, succeeded});
    return succeeded;
}

bool FakeRegistry::openKey(RegistryRoot, const char* keyPath, RegistryAccess access,
                           RegistryKey* key) {
    std::string path = lower(keyPath ? keyPath : "");
    bool ok = !injectFault(RegistryCall::Open, path, "") && !denied(path) && hasKey(path);
    if (ok) {
        *key = nextHandle_++;
        handles_[*key] = Handle{path, access == RegistryAccess::Write};
    }
    return record(RegistryCall::Open, path, "", ok);
}

bool FakeRegistry::createKey(RegistryRoot, const char* keyPath, RegistryKey* key) {
    std::string path = lower(keyPath ? keyPath : "");
    bool ok = !injectFault(RegistryCall::Create, path, "") && !denied(path);
    if (ok) {
        createKeyPath(path);
        *key = nextHandle_++;
        handles_[*key] = Handle{path, true};
    }
    return record(RegistryCall::Create, path, "", ok);
}

bool FakeRegistry::queryValueInfo(RegistryKey key, const char* valueName, uint32_t* type,
                                  uint32_t* size) {
    const Handle* open = handle(key);
    std::string name = lower(valueName ? valueName : "");
    std::string path = open ? open->keyPath : "";
    std::optional<FakeValue> found = open ? value(path, name) : std::nullopt;
    bool ok = open && found && !injectFault(RegistryCall::QueryInfo, path, name);
    if (ok) {
        *type = found->type;
        *size = static_cast<uint32_t>(found->bytes.size());
    }
    return record(RegistryCall::QueryInfo, path, name, ok);
}

bool FakeRegistry::queryValueData(RegistryKey key, const char* valueName, uint32_t* type,
                                  void* data, uint32_t* size) {
    const Handle* open = handle(key);
    std::string name = lower(valueName ? valueName : "");
    std::string path = open ? open->keyPath : "";
    std::optional<FakeValue> found = open ? value(path, name) : std::nullopt;
    // As Windows does, a buffer too small for the value is an error.
    bool ok = open && found && found->bytes.size() <= *size &&
              !injectFault(RegistryCall::QueryData, path, name);
    if (ok) {
        std::memcpy(data, found->bytes.data(), found->bytes.size());
        *type = found->type;
        *size = static_cast<uint32_t>(found->bytes.size());
    }
    return record(RegistryCall::QueryData, path, name, ok);
}

bool FakeRegistry::setDwordValue(RegistryKey key, const char* valueName, uint32_t value) {
    const Handle* open = handle(key);
    std::string name = lower(valueName ? valueName : "");
    std::string path = open ? open->keyPath : "";
    // A key opened for reading refuses writes, and a key deleted meanwhile is gone.
    bool ok = open && open->writable && hasKey(path) && !injectFault(RegistryCall::Set, path, name);
    if (ok) {
        setDword(path, name, value);
    }
    return record(RegistryCall::Set, path, name, ok);
}

bool FakeRegistry::closeKey(RegistryKey key) {
    const Handle* open = handle(key);
    std::string path = open ? open->keyPath : "";
    bool ok = open && !injectFault(RegistryCall::Close, path, "");
    if (ok) {
        handles_.erase(key);
    }
    return record(RegistryCall::Close, path, "", ok);
}
