// COM shim of ConsoleWindow.
#include "console/CWindowObject.h"

#include "console/consolefn.h"
#include "runtime/Conversions.h"

namespace kelpa {

HRESULT CWindowObject::get_Topmost(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_console.Topmost()); });
}

HRESULT CWindowObject::put_Topmost(VARIANT_BOOL value) noexcept {
    return Call([&] { m_console.SetTopmost(FromVariantBool(value)); });
}

HRESULT CWindowObject::get_TextColor(short* result) noexcept {
    return Call([&] { *result = m_console.TextColor(); });
}

HRESULT CWindowObject::put_TextColor(short value) noexcept {
    return Call([&] { m_console.SetTextColor(value); });
}

HRESULT CWindowObject::get_Title(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_console.Title()); });
}

HRESULT CWindowObject::put_Title(BSTR value) noexcept {
    return Call([&] { m_console.SetTitle(FromBstr(value)); });
}

HRESULT CWindowObject::get_DisableClose(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_console.DisableClose()); });
}

HRESULT CWindowObject::put_DisableClose(VARIANT_BOOL value) noexcept {
    return Call([&] { m_console.SetDisableClose(FromVariantBool(value)); });
}

HRESULT CWindowObject::get_DisableBreak(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_console.DisableBreak()); });
}

HRESULT CWindowObject::put_DisableBreak(VARIANT_BOOL value) noexcept {
    return Call([&] { m_console.SetDisableBreak(FromVariantBool(value)); });
}

HRESULT CWindowObject::get_ConsoleInputMode(long* result) noexcept {
    return Call([&] { *result = m_console.ConsoleInputMode(); });
}

HRESULT CWindowObject::Create(BSTR title) noexcept {
    return Call([&] { m_console.Create(FromBstr(title)); });
}

HRESULT CWindowObject::Remove() noexcept {
    return Call([&] { m_console.Remove(); });
}

HRESULT CWindowObject::WriteLine(BSTR text, VARIANT_BOOL newLine) noexcept {
    return Call([&] { m_console.WriteLine(FromBstr(text), FromVariantBool(newLine)); });
}

HRESULT CWindowObject::ReadLine(short n, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_console.ReadLine(n)); });
}

HRESULT CWindowObject::ReadChar(short* result) noexcept {
    return Call([&] { *result = m_console.ReadChar(); });
}

HRESULT CWindowObject::ReadChars(short n, VARIANT_BOOL abortOnBreak, VARIANT_BOOL echo, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_console.ReadChars(n, FromVariantBool(abortOnBreak), FromVariantBool(echo))); });
}

HRESULT CWindowObject::Cls(VARIANT_BOOL repaint) noexcept {
    return Call([&] { m_console.Cls(FromVariantBool(repaint)); });
}

HRESULT CWindowObject::Flash(long count) noexcept {
    return Call([&] { m_console.Flash(count); });
}

HRESULT CWindowObject::BreakSignal(long* result) noexcept {
    return Call([&] { *result = TakeBreakSignal(); });
}

}  // namespace kelpa
