// The resources as they are inside the plug-in that ships: loaded as a data
// file, template 101 for the language 0x0411 is read back field by field, so
// that what windres made of the source is checked, not the source.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "dialog/search_dialog_template.h"

namespace zms {
namespace {

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

class PluginResources : public ::testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryExA(ZMS_PLUGIN_FILE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << ZMS_PLUGIN_FILE << " " << GetLastError();
    }
    void TearDown() override {
        if (module) FreeLibrary(module);
    }
    // The bytes of a resource, empty when there is none.
    std::vector<unsigned char> Bytes(LPCSTR type, LPCSTR name, WORD language) {
        HRSRC found = FindResourceExA(module, type, name, language);
        if (!found) return {};
        HGLOBAL loaded = LoadResource(module, found);
        const auto* data = static_cast<const unsigned char*>(LockResource(loaded));
        return std::vector<unsigned char>(data, data + SizeofResource(module, found));
    }
    HMODULE module = nullptr;
};

// Reads a DLGTEMPLATEEX and its DLGITEMTEMPLATEEX entries.
class TemplateReader {
public:
    explicit TemplateReader(const std::vector<unsigned char>& bytes) : bytes_(bytes) {}
    uint16_t Word() {
        uint16_t v = 0;
        if (at_ + 2 <= bytes_.size()) std::memcpy(&v, &bytes_[at_], 2);
        at_ += 2;
        return v;
    }
    uint32_t Dword() {
        uint32_t low = Word();
        return low | (uint32_t{Word()} << 16);
    }
    int16_t Short() { return static_cast<int16_t>(Word()); }
    // A string, or "#N" for an ordinal (0xFFFF, N).
    std::wstring SzOrOrdinal() {
        if (at_ + 2 <= bytes_.size() && Word() == 0xFFFF) return L"#" + std::to_wstring(Word());
        at_ -= 2;
        std::wstring s;
        for (uint16_t c; (c = Word()) != 0 && at_ <= bytes_.size();) s += static_cast<wchar_t>(c);
        return s;
    }
    void AlignDword() { at_ = (at_ + 3) & ~std::size_t{3}; }
    bool Done() const { return at_ >= bytes_.size(); }

private:
    const std::vector<unsigned char>& bytes_;
    std::size_t at_ = 0;
};

struct Item {
    uint32_t exStyle, style;
    int16_t x, y, cx, cy;
    int32_t id;
    std::wstring windowClass, text;
};

// The template's texts as UTF-16, from their code-page-932 form.
std::wstring Wide(const char* cp932) {
    wchar_t buffer[128] = {};
    MultiByteToWideChar(932, 0, cp932, -1, buffer, 128);
    return buffer;
}

TEST_F(PluginResources, DialogTemplate101IsTheSearchDialog) {
    const std::vector<unsigned char> bytes = Bytes(RT_DIALOG, MAKEINTRESOURCEA(101), kJapanese);
    ASSERT_FALSE(bytes.empty()) << "no template 101 for the language 0x0411";
    TemplateReader r(bytes);
    EXPECT_EQ(r.Word(), 1);       // dlgVer
    EXPECT_EQ(r.Word(), 0xFFFF);  // signature: an extended template
    EXPECT_EQ(r.Dword(), 0u);     // helpID
    EXPECT_EQ(r.Dword(), 0u);     // exStyle
    EXPECT_EQ(r.Dword(), 0x00C800C0u);
    const uint16_t count = r.Word();
    EXPECT_EQ(count, 9);
    EXPECT_EQ(r.Short(), 22);
    EXPECT_EQ(r.Short(), 17);
    EXPECT_EQ(r.Short(), 286);
    EXPECT_EQ(r.Short(), 87);  // one line taller than the first 75, for the hint
    EXPECT_EQ(r.SzOrOrdinal(), L"");  // no menu
    EXPECT_EQ(r.SzOrOrdinal(), L"");  // the standard dialog class
    EXPECT_EQ(r.SzOrOrdinal(), L"\u691c\u7d22");  // 検索
    EXPECT_EQ(r.Word(), 9);   // points
    EXPECT_EQ(r.Word(), 0);   // weight
    EXPECT_EQ(r.Word(), 0);   // italic (byte) and character set (byte)
    EXPECT_EQ(r.SzOrOrdinal(), L"System");

    const Item expected[] = {
        {0, 0x50030001, 246, 6, 30, 11, 1, L"#128", L"OK"},
        {0, 0x50210142, 10, 6, 230, 30, 1000, L"#133", L""},
        {0, 0x50020007, 10, 22, 266, 48, -1, L"#128", Wide(ZMS_TEXT_SCOPE_FRAME)},
        {0, 0x50010009, 16, 33, 82, 10, 1001, L"#128", Wide(dialog::kScopeCaptions[0])},
        {0, 0x50010009, 122, 33, 136, 10, 1002, L"#128", Wide(dialog::kScopeCaptions[1])},
        {0, 0x50010009, 16, 44, 90, 10, 1003, L"#128", Wide(dialog::kScopeCaptions[2])},
        {0, 0x50010009, 122, 44, 98, 10, 1004, L"#128", Wide(dialog::kScopeCaptions[3])},
        {0, 0x50010003, 22, 57, 148, 10, 1005, L"#128", Wide(ZMS_TEXT_SPECIAL_FOLDERS)},
        // The hint line: a static, SS_NOPREFIX | SS_ENDELLIPSIS, under the frame.
        {0, 0x50004080, 10, 74, 266, 9, 1006, L"#130", L""},
    };
    for (const Item& e : expected) {
        r.AlignDword();
        ASSERT_FALSE(r.Done()) << e.id;
        EXPECT_EQ(r.Dword(), 0u) << e.id;  // helpID
        EXPECT_EQ(r.Dword(), e.exStyle) << e.id;
        EXPECT_EQ(r.Dword(), e.style) << e.id;
        EXPECT_EQ(r.Short(), e.x) << e.id;
        EXPECT_EQ(r.Short(), e.y) << e.id;
        EXPECT_EQ(r.Short(), e.cx) << e.id;
        EXPECT_EQ(r.Short(), e.cy) << e.id;
        EXPECT_EQ(static_cast<int32_t>(r.Dword()), e.id);
        EXPECT_EQ(r.SzOrOrdinal(), e.windowClass) << e.id;
        EXPECT_TRUE(r.SzOrOrdinal() == e.text) << e.id;
        EXPECT_EQ(r.Word(), 0) << e.id;  // no creation data
    }
    EXPECT_TRUE(r.Done()) << "more controls than the table";
}

TEST_F(PluginResources, TheTemplatesJapaneseTextsMatchTheirCodePage932Form) {
    // The captions read back through the ANSI code page are the bytes the
    // code compares with.
    EXPECT_EQ(Wide(ZMS_TEXT_CAPTION), L"\u691c\u7d22");
    EXPECT_EQ(Wide(ZMS_TEXT_SPECIAL_FOLDERS),
              L"\u672a\u9001\u4fe1\u3001\u8349\u7a3f\u3001\u30b4\u30df\u7bb1\u3082\u691c\u7d22\u3059\u308b(&A)");
}

TEST_F(PluginResources, VersionIsJapanese103ForADll) {
    ASSERT_FALSE(Bytes(RT_VERSION, MAKEINTRESOURCEA(VS_VERSION_INFO), kJapanese).empty());
    // VerQueryValueA converts texts into room that only GetFileVersionInfoA
    // provides, so the values are read through it.
    std::vector<unsigned char> bytes(GetFileVersionInfoSizeA(ZMS_PLUGIN_FILE, nullptr));
    ASSERT_FALSE(bytes.empty());
    ASSERT_TRUE(GetFileVersionInfoA(ZMS_PLUGIN_FILE, 0, static_cast<DWORD>(bytes.size()), bytes.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(bytes.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00030000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00030000u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(bytes.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &size));
    ASSERT_EQ(size, 4u);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 932);

    char* text = nullptr;
    ASSERT_TRUE(VerQueryValueA(bytes.data(), "\\StringFileInfo\\041103a4\\FileVersion",
                               reinterpret_cast<void**>(&text), &size));
    EXPECT_STREQ(text, "1.0.3.0");
    ASSERT_TRUE(VerQueryValueA(bytes.data(), "\\StringFileInfo\\041103a4\\OriginalFilename",
                               reinterpret_cast<void**>(&text), &size));
    EXPECT_STREQ(text, ZMS_PLUGIN_FILE);
}

TEST_F(PluginResources, ManifestAsksForTheCallersLevelWithoutUiAccess) {
    const std::vector<unsigned char> bytes = Bytes(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(2), kJapanese);
    ASSERT_FALSE(bytes.empty()) << "no manifest 2 (a DLL's)";
    const std::string xml(bytes.begin(), bytes.end());
    EXPECT_NE(xml.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"), std::string::npos)
        << xml;
}

}  // namespace
}  // namespace zms
