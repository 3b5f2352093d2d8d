#include "sources/game_video_settings.h"

const char* const VideoKeyPath = "Software\\Blizzard Entertainment\\Warcraft III\\Video";
const char* const ResHeightPath =
    "Software\\Blizzard Entertainment\\Warcraft III\\Video\\resheight";
const char* const ResWidthPath = "Software\\Blizzard Entertainment\\Warcraft III\\Video\\reswidth";

namespace {

// Closes a key on every path out of an operation.
class OpenKey {
  public:
    OpenKey(Registry& registry) : registry_(registry) {}
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() {
        if (key_) {
            registry_.closeKey(key_);
        }
    }

    bool open(RegistryRoot root, const char* keyPath, RegistryAccess access) {
        return registry_.openKey(root, keyPath, access, &key_);
    }
    bool create(RegistryRoot root, const char* keyPath) {
        return registry_.createKey(root, keyPath, &key_);
    }
    RegistryKey get() const { return key_; }

  private:
    Registry& registry_;
    RegistryKey key_ = 0;
};

} // namespace

RegistryPath splitRegistryPath(const char* fullPath) {
    RegistryPath path;
    if (!fullPath) {
        return path;
    }
    // A GBK trail byte can be 0x5C, so walk whole characters to find the
    // last backslash that really is one.
    const char* lastSeparator = nullptr;
    const char* p = fullPath;
    while (*p) {
        if (static_cast<unsigned char>(*p) >= 0x80) {
            p += p[1] ? 2 : 1;
            continue;
        }
        if (*p == '\\') {
            lastSeparator = p;
        }
        ++p;
    }
    if (!lastSeparator) {
        path.valueName = Text(fullPath);
        return path;
    }
    path.keyPath = Text(fullPath, static_cast<size_t>(lastSeparator - fullPath));
    path.valueName = Text(lastSeparator + 1);
    return path;
}

bool registryValueExists(Registry& registry, RegistryRoot root, const char* fullPath) {
    RegistryPath path = splitRegistryPath(fullPath);
    OpenKey key(registry);
    if (!key.open(root, path.keyPath.c_str(), RegistryAccess::Read)) {
        return false;
    }
    uint32_t type = 0;
    uint32_t size = 0;
    return registry.queryValueInfo(key.get(), path.valueName.c_str(), &type, &size);
}

int32_t readRegistryNumber(Registry& registry, RegistryRoot root, const char* fullPath) {
    RegistryPath path = splitRegistryPath(fullPath);
    OpenKey key(registry);
    if (!key.open(root, path.keyPath.c_str(), RegistryAccess::Read)) {
        return 0;
    }
    uint32_t type = 0;
    uint32_t size = 0;
    if (!registry.queryValueInfo(key.get(), path.valueName.c_str(), &type, &size)) {
        return 0;
    }
    // Only a DWORD is a number: a text "768" or four binary bytes read as 0.
    if (type != RegistryType::Dword) {
        return 0;
    }
    unsigned char bytes[4] = {};
    size = sizeof bytes;
    if (!registry.queryValueData(key.get(), path.valueName.c_str(), &type, bytes, &size) ||
        type != RegistryType::Dword || size != sizeof bytes) {
        return 0;
    }
    uint32_t value = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                     static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    return static_cast<int32_t>(value);
}

bool writeRegistryNumber(Registry& registry, RegistryRoot root, const char* fullPath,
                         int32_t value) {
    RegistryPath path = splitRegistryPath(fullPath);
    OpenKey key(registry);
    if (!key.open(root, path.keyPath.c_str(), RegistryAccess::Write) &&
        !key.create(root, path.keyPath.c_str())) {
        return false;
    }
    return registry.setDwordValue(key.get(), path.valueName.c_str(), static_cast<uint32_t>(value));
}
