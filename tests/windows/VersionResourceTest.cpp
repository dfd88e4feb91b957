#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "identity/Identity.h"
#include "platform/windows/Wide.h"

namespace {

// One text of the version resource of the program file, in its Czech Unicode block.
std::string versionText(const std::vector<char>& block, const std::string& key) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\040504B0\\" + platform::widen(key);
    if (!::VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) {
        return {};
    }
    return platform::narrow(static_cast<const wchar_t*>(value));
}

TEST(VersionResource, NamesTheProductItsMakerAndVersion) {
    const std::wstring program = platform::widen(SUMORA_EXE_PATH);
    const DWORD size = ::GetFileVersionInfoSizeW(program.c_str(), nullptr);
    ASSERT_GT(size, 0u) << SUMORA_EXE_PATH << " has no version resource";
    std::vector<char> block(size);
    ASSERT_TRUE(::GetFileVersionInfoW(program.c_str(), 0, size, block.data()));

    EXPECT_EQ(versionText(block, "FileVersion"), "2.00.0072");
    EXPECT_EQ(versionText(block, "ProductVersion"), "2.00.0072");
    EXPECT_EQ(versionText(block, "ProductName"), identity::kProductName);
    EXPECT_EQ(versionText(block, "CompanyName"), identity::kCompanyName);
    EXPECT_EQ(versionText(block, "Comments"), identity::kComments);

    void* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", &fixed, &length));
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    EXPECT_EQ(info->dwFileVersionMS, (2u << 16) | 0u) << "2.0";
    EXPECT_EQ(info->dwFileVersionLS, (0u << 16) | 72u) << "0.72";
}

TEST(VersionResource, CarriesTheIconAndTheManifest) {
    const std::wstring program = platform::widen(SUMORA_EXE_PATH);
    const HMODULE module = ::LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)), nullptr)
        << "icon group 1";
    const HRSRC manifest = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(manifest, nullptr);
    const auto* text = static_cast<const char*>(::LockResource(::LoadResource(module, manifest)));
    const std::string body(text, ::SizeofResource(module, manifest));
    EXPECT_NE(body.find("<dpiAware"), std::string::npos) << body;
    ::FreeLibrary(module);
}

}  // namespace
