// The date/time dialog of "Kelpa.DTPick". Tab goes round the OK button, then
// the date picker, then the time picker (the order the controls are made in);
// Esc cancels, also from inside a picker.
#include "dialogs/DTPickSelection.h"

#include <commctrl.h>
#include <algorithm>
#include <optional>

#include "core/OleDate.h"
#include "core/ScriptValueAccess.h"
#include "core/ScriptValues.h"
#include "runtime/ScriptError.h"

namespace kelpa {
namespace {

constexpr wchar_t kCaption[] = L"Date/Time Picker";
constexpr int kTimeId = 102;  // the date picker has the content identifier
constexpr int kPickerLeft = 30, kPickerWidth = 140, kPickerHeight = 26;  // pixels

class PickerDialog : public ChoiceDialog {
public:
    PickerDialog(const ChoiceSettings& settings, short mode, const SYSTEMTIME& start)
        : ChoiceDialog(settings, kCaption, false, 2480), m_mode(mode), m_start(start) {}

    bool Refused() const noexcept { return m_refused; }
    const std::optional<DATE>& Picked() const noexcept { return m_picked; }

protected:
    void CreateContent() override {
        if (m_mode != DTPickSelection::kTime) m_date = AddPicker(DTS_SHORTDATEFORMAT);
        if (m_mode != DTPickSelection::kDate) m_time = AddPicker(DTS_TIMEFORMAT);
    }

    bool ContentReady() const override { return !m_refused && !m_noPicker; }

    SIZE DesignClient() const override { return {2970, OkTop() + 675}; }

    void Layout(int width, int) override {
        if (HasInfo()) PlaceLabel(Px(240), Px(120), Px(2480));
        const int extra = HasInfo() ? InfoExtra() : 0;
        const int first = Px(HasInfo() ? 1300 : 380) + extra;
        const int second = Px(HasInfo() ? 2000 : 1100) + extra;
        HWND top = m_date ? m_date : m_time;
        Place(top, kPickerLeft, first, kPickerWidth, kPickerHeight);
        if (m_date && m_time) Place(m_time, kPickerLeft, second, kPickerWidth, kPickerHeight);
        const int okWidth = OkWidth();
        Place(OkButton(), std::max(Px(120), Px(2520) - okWidth), Px(OkTop()) + extra, okWidth, Px(380));
        (void)width;
    }

    HWND InitialFocus() const override { return OkButton(); }

    bool TakeResult() override {
        // OK while the calendar is open only closes the calendar, with its choice.
        if (m_droppedDown && m_date) {
            SendMessageW(m_date, WM_KEYDOWN, VK_RETURN, 0);
            return false;
        }
        SYSTEMTIME date = {}, time = {};
        if (m_date && SendMessageW(m_date, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date)) != GDT_VALID) return false;
        if (m_time && SendMessageW(m_time, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID) return false;
        if (m_mode == DTPickSelection::kDate) {
            m_picked = DateOfDay(date);
        } else if (m_mode == DTPickSelection::kTime) {
            m_picked = DateOfTimeOfDay(time);
        } else {
            date.wHour = time.wHour;
            date.wMinute = time.wMinute;
            date.wSecond = time.wSecond;
            date.wMilliseconds = 0;
            m_picked = SystemTimeToDate(date);
        }
        return m_picked.has_value();
    }

    bool OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR*) override {
        if (message != WM_NOTIFY) return false;
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == DTN_DROPDOWN) m_droppedDown = true;
        if (header->code == DTN_CLOSEUP) m_droppedDown = false;
        return false;
    }

private:
    int OkTop() const noexcept {
        const bool both = m_mode == DTPickSelection::kDateAndTime;
        if (HasInfo()) return both ? 2760 : 2360;
        return both ? 1920 : 1520;
    }

    HWND AddPicker(DWORD style) {
        HWND picker = AddControl(DATETIMEPICK_CLASSW, style | WS_TABSTOP, style & DTS_TIMEFORMAT ? kTimeId : kContentId);
        // A picker that cannot be made is no verdict on the date: the call
        // ends as a dialog that cannot be shown does, as if cancelled.
        if (!picker) {
            m_noPicker = true;
            return nullptr;
        }
        SYSTEMTIME start = m_start;
        if (!SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&start))) m_refused = true;
        return picker;
    }

    short m_mode;
    SYSTEMTIME m_start;
    HWND m_date = nullptr;
    HWND m_time = nullptr;
    bool m_droppedDown = false;
    bool m_refused = false;
    bool m_noPicker = false;
    std::optional<DATE> m_picked;
};

DATE Now() {
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    now.wMilliseconds = 0;
    return SystemTimeToDate(now).value_or(0);
}

VARIANT DateValue(DATE date) {
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_DATE;
    V_DATE(&value) = date;
    return value;
}

}  // namespace

bool DTPickSelection::Selection(VARIANT& vdt) const {
    // Any array, in every shape a script can pass one: overwriting it with
    // a Date would lose the script's data.
    if (IsByRefArray(vdt) || ArrayOf(vdt)) return false;
    const VARIANT& held = Dereference(vdt);
    DATE start;
    if ((V_VT(&held) & ~VT_BYREF) == VT_DATE) {
        start = (V_VT(&held) & VT_BYREF) ? (V_DATEREF(&held) ? *V_DATEREF(&held) : 0) : V_DATE(&held);
    } else {
        start = Now();
        VARIANT now = DateValue(start);
        StoreScriptValue(vdt, now);
    }
    // The pickers hold 1601 to 9999 (the platform's file-time calendar).
    const std::optional<SYSTEMTIME> shown = DateToSystemTime(start);
    if (!shown || shown->wYear < 1601)
        throw ScriptError(kInvalidCall, kSource, L"The date lies outside the range the picker can show");

    PickerDialog dialog(m_settings, m_mode, *shown);
    const bool accepted = dialog.Run(m_title);
    if (dialog.Refused())
        throw ScriptError(kInvalidCall, kSource, L"The date lies outside the range the picker can show");
    if (!accepted || !dialog.Picked()) return false;
    VARIANT picked = DateValue(*dialog.Picked());
    StoreScriptValue(vdt, picked);
    return true;
}

}  // namespace kelpa
