// Composition of the task dialog calls of "Kelpa.TaskDialog". The platform
// functions are looked up at run time: a system whose common controls lack
// the task dialog (version 5 loaded) must fail the call, not the server.
#include "dialogs/TaskDialogSettings.h"

#include <commctrl.h>
#include <new>

#include "core/ScriptValues.h"
#include "core/windowfn.h"
#include "runtime/DynamicImport.h"
#include "runtime/ScriptError.h"

namespace kelpa {
namespace {

using TaskDialogFunction = decltype(&::TaskDialog);
using TaskDialogIndirectFunction = decltype(&::TaskDialogIndirect);

constexpr HRESULT kFunctionMissing = HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);

bool IsPlatformIcon(long value) noexcept {
    // -9..0: the task dialog's own icons (TD_WARNING_ICON is -1, and so on);
    // 32512..32518: the system icons (IDI_APPLICATION..IDI_SHIELD).
    return (value >= -9 && value <= 0) || (value >= 32512 && value <= 32518);
}

// An icon resource given as text: "#" and a number, or a name. The name
// stays in `name`, which must live as long as the returned pointer is used.
const wchar_t* IconFromText(const std::wstring& text, std::wstring& name) {
    if (text[0] == L'#') return ResourceNumber(ResourceNumberText(text.substr(1), TaskDialogSettings::kSource));
    name = text;
    return name.c_str();
}

const wchar_t* TextOrNone(const std::optional<std::wstring>& text) noexcept {
    return text ? text->c_str() : nullptr;
}

// Buttons of one ShowEx: captions and the table that points into them.
struct ButtonTable {
    std::vector<std::wstring> captions;
    std::vector<TASKDIALOG_BUTTON> entries;

    ButtonTable(const VARIANT& list, int firstId) {
        if (auto texts = ArrayTexts(list, TaskDialogSettings::kMostButtons, true, TaskDialogSettings::kSource))
            captions = std::move(*texts);
        for (size_t i = 0; i < captions.size(); ++i)
            entries.push_back({firstId + static_cast<int>(i), captions[i].c_str()});
    }
    UINT Count() const noexcept { return static_cast<UINT>(entries.size()); }
    const TASKDIALOG_BUTTON* Table() const noexcept { return entries.empty() ? nullptr : entries.data(); }
};

void CopyList(const unique_variant& list, VARIANT* result) {
    if (FAILED(VariantCopy(result, const_cast<VARIANT*>(list.get())))) throw std::bad_alloc();
}

// Keeps the value itself, not the script's variable it may refer to.
void KeepList(unique_variant& list, const VARIANT& value) {
    unique_variant copy;
    if (FAILED(VariantCopyInd(copy.get(), const_cast<VARIANT*>(&Dereference(value))))) ThrowTypeMismatch(TaskDialogSettings::kSource);
    VariantClear(list.get());
    *list.get() = copy.release();
}

}  // namespace

// A fault met while composing a call is kept in ErrorCode, never raised.
template <class F>
short TaskDialogSettings::Guarded(F&& show) noexcept {
    try {
        return show();
    } catch (const ScriptError& e) {
        m_errorCode = FaultNumber(e.Number());
    } catch (const std::bad_alloc&) {
        m_errorCode = FaultNumber(kOutOfMemory);
    } catch (...) {
        m_errorCode = E_UNEXPECTED;
    }
    return 0;
}

long FaultNumber(HRESULT hr) noexcept {
    if ((static_cast<unsigned long>(hr) & 0xFFFF0000u) == 0x800A0000u) return hr & 0xFFFF;
    return hr;
}

void TaskDialogSettings::SetIcon(long value) noexcept {
    if (IsPlatformIcon(value)) m_icon = value;
}

void TaskDialogSettings::SetFooterIcon(long value) noexcept {
    if (IsPlatformIcon(value)) m_footerIcon = value;
}

void TaskDialogSettings::SetCustomButtonStyle(long value) noexcept {
    if (value >= 0 && value <= 2) m_buttonStyle = value;
}

void TaskDialogSettings::GetCustomButtons(VARIANT* result) const { CopyList(m_customButtons, result); }
void TaskDialogSettings::SetCustomButtons(const VARIANT& value) { KeepList(m_customButtons, value); }
void TaskDialogSettings::GetRadioButtons(VARIANT* result) const { CopyList(m_radioButtons, result); }
void TaskDialogSettings::SetRadioButtons(const VARIANT& value) { KeepList(m_radioButtons, value); }

short TaskDialogSettings::Show(const std::wstring& prompt, long buttons, const std::wstring& title) noexcept {
    return Guarded([&] { return ShowOnce(prompt, buttons, title); });
}

short TaskDialogSettings::ShowEx() noexcept {
    return Guarded([&] { return ShowExOnce(); });
}

short TaskDialogSettings::ShowOnce(const std::wstring& prompt, long buttons, const std::wstring& title) {
    const long commonButtons = buttons == kButtonsProperty ? m_buttons : buttons;

    // A prompt carries the instruction and, after a NUL, the content.
    std::wstring instruction = m_text;
    std::optional<std::wstring> content = m_subText;
    if (!prompt.empty()) {
        const size_t nul = prompt.find(L'\0');
        instruction = prompt.substr(0, nul);
        content.reset();
        if (nul != std::wstring::npos && nul + 1 < prompt.size()) content = prompt.substr(nul + 1);
    }
    const std::wstring caption = title.empty() ? m_title : title.substr(0, kTitleLength);

    unique_hmodule module;
    std::wstring iconName;
    const wchar_t* icon = nullptr;
    if (!m_iconFile.empty()) {
        module = LoadResourceModule(m_iconFile);
        if (module && !m_iconResource.empty())
            icon = IconFromText(m_iconResource, iconName);
        else
            module.reset();
    } else {
        icon = ResourceNumber(m_icon);
    }

    const auto taskDialog = LoadedFunction<TaskDialogFunction>(L"comctl32.dll", "TaskDialog");
    if (!taskDialog) {
        m_errorCode = kFunctionMissing;
        return 0;
    }
    int pressed = 0;
    const HRESULT hr = taskDialog(nullptr, module.get(), caption.c_str(), instruction.c_str(), TextOrNone(content),
                                  static_cast<TASKDIALOG_COMMON_BUTTON_FLAGS>(commonButtons), icon, &pressed);
    if (hr != S_OK || pressed == 0) {
        m_errorCode = hr;
        return 0;
    }
    m_errorCode = 0;
    return static_cast<short>(pressed);
}

short TaskDialogSettings::ShowExOnce() {
    long flags = m_options;
    if (m_buttonStyle == 1) flags |= TDF_USE_COMMAND_LINKS;
    if (m_buttonStyle == 2) flags |= TDF_USE_COMMAND_LINKS_NO_ICON;
    if (m_radioSelected == 0) flags |= TDF_NO_DEFAULT_RADIO_BUTTON;
    if (m_verificationChecked) flags |= TDF_VERIFICATION_FLAG_CHECKED;

    unique_hmodule module;
    std::wstring mainName, footerName;
    const wchar_t* mainIcon = ResourceNumber(m_icon);
    const wchar_t* footerIcon = ResourceNumber(m_footerIcon);
    if (!m_iconFile.empty()) {
        module = LoadResourceModule(m_iconFile);
        if (m_iconResource.empty() && m_footerIconResource.empty()) {
            // Nothing is taken from the file: the platform's own icons.
            module.reset();
        } else if (module) {
            if (!m_iconResource.empty()) mainIcon = IconFromText(m_iconResource, mainName);
            if (!m_footerIconResource.empty()) {
                footerName = m_footerIconResource;
                footerIcon = footerName.c_str();
            }
        } else {
            // The file did not load: icons named for it show as none, and
            // the numbers are the platform's, as without a file.
            if (!m_iconResource.empty()) mainIcon = nullptr;
            if (!m_footerIconResource.empty()) footerIcon = nullptr;
        }
    }

    const ButtonTable custom(*m_customButtons.get(), kFirstCustomButton);
    const ButtonTable radio(*m_radioButtons.get(), 1);

    TASKDIALOGCONFIG config = {};
    config.cbSize = sizeof(config);
    config.hwndParent = nullptr;
    config.hInstance = module.get();
    config.dwFlags = static_cast<TASKDIALOG_FLAGS>(flags);
    config.dwCommonButtons = static_cast<TASKDIALOG_COMMON_BUTTON_FLAGS>(m_buttons);
    config.pszWindowTitle = m_title.c_str();
    config.pszMainIcon = mainIcon;
    config.pszMainInstruction = m_text.c_str();
    config.pszContent = m_subText.c_str();
    config.cButtons = custom.Count();
    config.pButtons = custom.Table();
    config.nDefaultButton = static_cast<int>(m_defaultButton);
    config.cRadioButtons = radio.Count();
    config.pRadioButtons = radio.Table();
    config.nDefaultRadioButton = static_cast<int>(m_radioSelected);
    config.pszVerificationText = TextOrNone(m_verificationLabel);
    config.pszExpandedInformation = TextOrNone(m_expandText);
    config.pszExpandedControlText = TextOrNone(m_expandedLabel);
    config.pszCollapsedControlText = TextOrNone(m_collapsedLabel);
    config.pszFooterIcon = footerIcon;
    config.pszFooter = TextOrNone(m_footerText);
    config.pfCallback = nullptr;
    config.lpCallbackData = 0;
    config.cxWidth = 0;

    const auto taskDialogIndirect = LoadedFunction<TaskDialogIndirectFunction>(L"comctl32.dll", "TaskDialogIndirect");
    if (!taskDialogIndirect) {
        m_errorCode = kFunctionMissing;
        return 0;
    }
    int pressed = 0, chosenRadio = 0;
    BOOL checked = FALSE;
    const HRESULT hr = taskDialogIndirect(&config, &pressed, &chosenRadio, &checked);
    if (hr != S_OK || pressed == 0) {
        m_errorCode = hr;
        return 0;
    }
    m_errorCode = 0;
    m_radioSelected = chosenRadio;
    m_verificationChecked = checked != FALSE;
    return static_cast<short>(pressed);
}

}  // namespace kelpa
