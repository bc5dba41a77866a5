// MessageBox settings and the composition of one Show call, without a box.
#include <windows.h>

#include "catch.hpp"
#include "dialogs/MessageBoxSettings.h"
#include "runtime/ScriptError.h"

using namespace kelpa;

namespace {
constexpr long kCompose = MessageBoxSettings::kComposeStyle;

HRESULT ComposeError(const MessageBoxSettings& settings) {
    try {
        settings.Compose(L"", kCompose, L"", true);
    } catch (const ScriptError& e) {
        CHECK(e.Source() == L"Kelpa.MessageBox");
        return e.Number();
    }
    return S_OK;
}
}  // namespace

TEST_CASE("MessageBox property lets keep only what they accept", "[messagebox]") {
    MessageBoxSettings s;
    CHECK(s.Buttons() == 0);
    s.SetButtons(4);
    s.SetButtons(7);
    s.SetButtons(-1);
    CHECK(s.Buttons() == 4);
    s.SetButtons(6);
    CHECK(s.Buttons() == 6);

    const std::pair<long, long> defaults[] = {{2, 256}, {3, 512}, {4, 768}, {256, 256}, {512, 512},
                                              {768, 768}, {1, 0}, {5, 0}, {0, 0}, {-256, 0}, {1024, 0}};
    for (const auto& [given, stored] : defaults) {
        s.SetDefButton(given);
        INFO("DefButton " << given);
        CHECK(s.DefButton() == stored);
    }

    s.SetOptions(0x7FFFFFFF);
    CHECK(s.Options() == 0x3FB000);
    s.SetOptions(MB_HELP | MB_YESNO | MB_ICONHAND | MB_DEFBUTTON2);
    CHECK(s.Options() == 0);

    s.SetTitle(std::wstring(300, L'x'));
    CHECK(s.Title() == std::wstring(256, L'x'));
    s.SetText(std::wstring(5000, L'y'));
    CHECK(s.Text().size() == 5000);
}

TEST_CASE("a composed style adds buttons, default button, options and precedence", "[messagebox]") {
    MessageBoxSettings s;
    MessageBoxCall call = s.Compose(L"", kCompose, L"", false);
    CHECK(call.style == 0);
    CHECK(call.text.empty());
    CHECK(call.caption.empty());
    CHECK(!call.UserIcon());

    s.SetButtons(3);
    s.SetDefButton(3);
    s.SetOptions(MB_RIGHT | MB_TOPMOST);
    CHECK(s.Compose(L"", kCompose, L"", false).style == (3u | 512u | 0x80000u | 0x40000u));
    s.SetPrecedence(true);
    // Options and precedence bits are ORed: topmost counts once.
    CHECK(s.Compose(L"", kCompose, L"", false).style == (3u | 512u | 0x80000u | 0x53000u));
    s.SetPrecedence(false);
    CHECK(s.Compose(L"", kCompose, L"", false).style == (3u | 512u | 0x80000u | 0x40000u));
}

TEST_CASE("a complete style ignores every property", "[messagebox]") {
    MessageBoxSettings s;
    s.SetButtons(2);
    s.SetDefButton(2);
    s.SetOptions(MB_TOPMOST);
    s.SetPrecedence(true);
    s.SetIcon(32516);
    s.SetIconResFile(L"C:\\icons.dll");
    s.SetIconResID(L"#abc");  // not even read
    const MessageBoxCall call = s.Compose(L"msg", 4, L"", true);
    CHECK(call.style == 4u);
    CHECK(!call.UserIcon());
    CHECK(call.IconResource() == nullptr);
    CHECK(!call.iconFromFile);
    CHECK(!s.LoadsIconFile(4));
    CHECK(s.LoadsIconFile(kCompose));
}

TEST_CASE("icons without a file: standard styles and system icons", "[messagebox]") {
    MessageBoxSettings s;
    for (long icon : {16L, 32L, 48L, 64L}) {
        s.SetIcon(icon);
        const MessageBoxCall call = s.Compose(L"", kCompose, L"", false);
        INFO("Icon " << icon);
        CHECK(call.style == static_cast<UINT>(icon));
        CHECK(!call.UserIcon());
    }
    for (long icon = 32512; icon <= 32518; ++icon) {
        s.SetIcon(icon);
        const MessageBoxCall call = s.Compose(L"", kCompose, L"", false);
        INFO("Icon " << icon);
        CHECK(call.style == MB_USERICON);
        CHECK(call.IconResource() == MAKEINTRESOURCEW(icon));
        CHECK(!call.iconFromFile);
    }
    for (long icon : {0L, 100L, 17L, 32511L, 32519L, 0x40L | 0x10L}) {
        s.SetIcon(icon);
        INFO("Icon " << icon);
        CHECK(s.Compose(L"", kCompose, L"", false).style == 0u);
    }
}

TEST_CASE("icons from a file: number, name, Icon, and a file that did not load", "[messagebox]") {
    MessageBoxSettings s;
    s.SetIconResFile(L"C:\\icons.dll");
    s.SetIcon(48);  // with a file, Icon is a resource number, never a style

    s.SetIconResID(L"#101");
    MessageBoxCall call = s.Compose(L"", kCompose, L"", true);
    CHECK(call.style == MB_USERICON);
    CHECK(call.IconResource() == MAKEINTRESOURCEW(101));
    CHECK(call.iconFromFile);

    s.SetIconResID(L"#65637");  // the low 16 bits: 101
    CHECK(s.Compose(L"", kCompose, L"", true).IconResource() == MAKEINTRESOURCEW(101));
    s.SetIconResID(L"# 7 ");
    CHECK(s.Compose(L"", kCompose, L"", true).IconResource() == MAKEINTRESOURCEW(7));

    s.SetIconResID(L"KELPANAMED");
    call = s.Compose(L"", kCompose, L"", true);
    CHECK(call.UserIcon());
    CHECK(std::wstring(call.IconResource()) == L"KELPANAMED");

    s.SetIconResID(L"");
    call = s.Compose(L"", kCompose, L"", true);
    CHECK(call.IconResource() == MAKEINTRESOURCEW(48));
    CHECK(call.iconFromFile);

    s.SetIcon(0);
    call = s.Compose(L"", kCompose, L"", true);
    CHECK(call.style == 0u);
    CHECK(!call.iconFromFile);  // the caller frees the module

    // A file that did not load: no icon at all, and IconResID is not read.
    s.SetIcon(32516);
    s.SetIconResID(L"#abc");
    call = s.Compose(L"", kCompose, L"", false);
    CHECK(call.style == 0u);
    CHECK(!call.UserIcon());
}

TEST_CASE("an IconResID of # and no number raises type mismatch", "[messagebox]") {
    MessageBoxSettings s;
    s.SetIconResFile(L"C:\\icons.dll");
    for (const wchar_t* bad : {L"#", L"#abc", L"#12x", L"# ", L"#1 2", L"#0x10", L"#-"}) {
        s.SetIconResID(bad);
        INFO("IconResID " << std::string(bad, bad + wcslen(bad)));
        CHECK(ComposeError(s) == kTypeMismatch);
    }
    s.SetIconResID(L"#99999999999");
    CHECK(ComposeError(s) == kOverflow);
}

TEST_CASE("text, caption and language of a Show call", "[messagebox]") {
    MessageBoxSettings s;
    s.SetText(L"property text");
    s.SetTitle(L"property title");
    MessageBoxCall call = s.Compose(L"", kCompose, L"", false);
    CHECK(call.text == L"property text");
    CHECK(call.caption == L"property title");
    call = s.Compose(L"given", kCompose, std::wstring(300, L't'), false);
    CHECK(call.text == L"given");
    CHECK(call.caption == std::wstring(256, L't'));

    CHECK(call.language == 0u);
    s.SetLanguage(0x0407);
    CHECK(s.Compose(L"", kCompose, L"", false).language == 0x0407u);
    // Only the 16 bits of a language identifier are passed, never widened.
    s.SetLanguage(0x18407);
    CHECK(s.Compose(L"", kCompose, L"", false).language == 0x8407u);
    s.SetLanguage(0x10000);
    CHECK(s.Compose(L"", kCompose, L"", false).language == 0u);
}

TEST_CASE("Show with a bad IconResID fails before any box is shown", "[messagebox]") {
    // The test program itself serves as a module that loads as resources.
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    MessageBoxSettings s;
    s.SetIconResFile(self);
    s.SetIconResID(L"#abc");
    HRESULT number = S_OK;
    try {
        s.Show(L"never shown", kCompose, L"");
    } catch (const ScriptError& e) {
        number = e.Number();
    }
    CHECK(number == kTypeMismatch);
}
