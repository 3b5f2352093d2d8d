// What Pixmora.exe carries besides its code: the icon Explorer shows, the
// manifest that picks the common controls and the version information.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "driver.h"

using namespace e2e;

namespace {

#pragma pack(push, 2)
struct IconDirectoryEntry { // one image of an RT_GROUP_ICON
    BYTE width;             // 0 means 256
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
struct IconDirectory {
    WORD reserved;
    WORD type;
    WORD count;
    IconDirectoryEntry entries[1];
};
#pragma pack(pop)

class ExeResources : public ::testing::Test {
  protected:
    void SetUp() override {
        module = LoadLibraryExW(pixmoraPath().c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module, nullptr);
    }
    void TearDown() override { FreeLibrary(module); }

    std::vector<BYTE> resource(LPCWSTR type, LPCWSTR name) const {
        HRSRC found = FindResourceW(module, name, type);
        if (!found) {
            return {};
        }
        const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
        return std::vector<BYTE>(data, data + SizeofResource(module, found));
    }

    HMODULE module = nullptr;
};

BOOL CALLBACK takeFirstName(HMODULE, LPCWSTR, LPWSTR name, LPARAM param) {
    *reinterpret_cast<ULONG_PTR*>(param) = reinterpret_cast<ULONG_PTR>(name);
    return FALSE;
}

TEST_F(ExeResources, DefaultIconHas16To64PixelImagesIn32BitColour) {
    // The first icon group in the exe is the one Explorer shows for it.
    ULONG_PTR first = 0;
    EnumResourceNamesW(module, RT_GROUP_ICON, takeFirstName, reinterpret_cast<LONG_PTR>(&first));
    ASSERT_TRUE(IS_INTRESOURCE(first)) << "the icon group has a name, not a number";
    EXPECT_EQ(first, 1u);

    std::vector<BYTE> group = resource(RT_GROUP_ICON, MAKEINTRESOURCEW(first));
    ASSERT_GE(group.size(), sizeof(IconDirectory));
    const IconDirectory* directory = reinterpret_cast<const IconDirectory*>(group.data());
    std::set<int> sizes;
    for (WORD i = 0; i < directory->count; ++i) {
        const IconDirectoryEntry& entry = directory->entries[i];
        EXPECT_EQ(entry.width, entry.height);
        EXPECT_EQ(entry.bitCount, 32) << int(entry.width) << " px";
        std::vector<BYTE> image = resource(RT_ICON, MAKEINTRESOURCEW(entry.id));
        ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
        const BITMAPINFOHEADER* header = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
        EXPECT_EQ(header->biBitCount, 32);
        EXPECT_EQ(header->biWidth, entry.width);
        sizes.insert(entry.width);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 64}));
}

TEST_F(ExeResources, ManifestAsksForCommonControls6OfItsOwnArchitecture) {
    std::vector<BYTE> manifest = resource(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID);
    ASSERT_FALSE(manifest.empty());
    std::string text(manifest.begin(), manifest.end());
    EXPECT_NE(text.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    // This is the 64-bit build; the shipped 32-bit one names x86.
    EXPECT_NE(text.find("processorArchitecture=\"amd64\""), std::string::npos);
    EXPECT_EQ(text.find("processorArchitecture=\"x86\""), std::string::npos);
    EXPECT_EQ(text.find("dpiAware"), std::string::npos);
}

TEST_F(ExeResources, VersionIs100AndProductPixmora) {
    std::wstring path = pixmoraPath();
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);

    wchar_t* product = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\080404B0\\ProductName",
                               reinterpret_cast<void**>(&product), &length));
    EXPECT_STREQ(product, L"Pixmora");
    wchar_t* version = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\080404B0\\ProductVersion",
                               reinterpret_cast<void**>(&version), &length));
    EXPECT_STREQ(version, L"1.00");
}

} // namespace
