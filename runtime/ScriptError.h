// The one way a failure leaves Kelpa: logic throws ScriptError (or lets a
// standard exception escape), and the COM boundary turns it into an HRESULT
// plus the error object that scripts read as Err.Number/Source/Description.
#pragma once

#include <windows.h>
#include <string>
#include <utility>

namespace kelpa {

// Automation's "object error" range: each class numbers its failures from here.
constexpr HRESULT kObjectErrorBase = static_cast<HRESULT>(0x80040000);
constexpr HRESULT ObjectError(unsigned low) { return static_cast<HRESULT>(0x80040000u + low); }

// The scripting runtimes' own errors, as HRESULTs of the VB facility, so a
// script sees the familiar numbers (13 type mismatch, 6 overflow, 5 bad call).
constexpr HRESULT kTypeMismatch = static_cast<HRESULT>(0x800A000D);
constexpr HRESULT kOverflow = static_cast<HRESULT>(0x800A0006);
constexpr HRESULT kInvalidCall = static_cast<HRESULT>(0x800A0005);
constexpr HRESULT kOutOfMemory = static_cast<HRESULT>(0x800A0007);

class ScriptError {
public:
    ScriptError(HRESULT number, std::wstring source, std::wstring description)
        : m_number(number), m_source(std::move(source)), m_description(std::move(description)) {}

    HRESULT Number() const noexcept { return m_number; }
    const std::wstring& Source() const noexcept { return m_source; }
    const std::wstring& Description() const noexcept { return m_description; }

private:
    HRESULT m_number;
    std::wstring m_source;
    std::wstring m_description;
};

// The scripting runtime's standard errors, raised from inside a member.
[[noreturn]] void ThrowTypeMismatch(const std::wstring& source);
[[noreturn]] void ThrowOverflow(const std::wstring& source);
[[noreturn]] void ThrowInvalidCall(const std::wstring& source);

// Sets the thread's error object: number, source, description, no help file.
void RaiseError(REFIID iid, HRESULT number, const std::wstring& source,
                const std::wstring& description) noexcept;

// Translates the exception in flight into an HRESULT, raising the error
// object for ScriptError. Call only inside a catch block.
HRESULT ToHResult(REFIID iid, const wchar_t* source) noexcept;

// The shape of every interface method: run the logic, translate any failure.
template <class F>
HRESULT Boundary(REFIID iid, const wchar_t* source, F&& logic) noexcept {
    try {
        logic();
        return S_OK;
    } catch (...) {
        return ToHResult(iid, source);
    }
}

}  // namespace kelpa
