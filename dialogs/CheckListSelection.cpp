// The check-list dialog of "Kelpa.CheckList". The rows are an owner-drawn
// list box (not a list view) so that every row's text and check state can be
// read from outside the process (LB_GETTEXT, LB_GETITEMDATA): the item data
// of a row is 1 when it is checked.
#include "dialogs/CheckListSelection.h"

#include <commctrl.h>
#include <algorithm>
#include <memory>

#include "core/ScriptArrays.h"
#include "core/ScriptValues.h"
#include "runtime/ScriptError.h"
#include "runtime/UniqueHandle.h"

namespace kelpa {
namespace {

constexpr wchar_t kCaption[] = L"KELPA CheckList";
constexpr UINT_PTR kSubclassId = 1;

class CheckListDialog : public ChoiceDialog {
public:
    CheckListDialog(const ChoiceSettings& settings, std::vector<CheckRow> rows)
        : ChoiceDialog(settings, kCaption, true, 3700), m_rows(std::move(rows)) {}
    ~CheckListDialog() override {
        if (m_list) RemoveWindowSubclass(m_list, ListProcedure, kSubclassId);
    }

    long Mask() const noexcept { return CheckListSelection::Mask(m_rows); }

protected:
    void CreateContent() override {
        m_list = AddControl(L"LISTBOX",
                            LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_VSCROLL |
                                WS_TABSTOP,
                            kContentId, WS_EX_CLIENTEDGE);
        for (size_t row = 0; row < m_rows.size(); ++row) {
            SendMessageW(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_rows[row].text.c_str()));
            SendMessageW(m_list, LB_SETITEMDATA, row, m_rows[row].checked ? 1 : 0);
        }
        SendMessageW(m_list, LB_SETCURSEL, 0, 0);
        SetWindowSubclass(m_list, ListProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    }

    void FontsApplied() override {
        HDC dc = GetDC(m_list);
        if (!dc) return;
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(m_list, WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics = {};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(m_list, dc);
        SendMessageW(m_list, LB_SETITEMHEIGHT, 0, std::max<LONG>(metrics.tmHeight + 4, 16));
    }

    SIZE DesignClient() const override { return ListDesignClient(); }
    void Layout(int width, int height) override { LayOutList(m_list, width, height); }

    HWND InitialFocus() const override { return m_list; }

    bool TakeResult() override { return true; }

    bool OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR* result) override {
        if (message != WM_DRAWITEM) return false;
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->hwndItem != m_list) return false;
        Draw(*item);
        *result = TRUE;
        return true;
    }

private:
    void Draw(const DRAWITEMSTRUCT& item) {
        RECT area = item.rcItem;
        if (item.itemID == static_cast<UINT>(-1) || item.itemID >= m_rows.size()) {
            if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &area);
            return;
        }
        const CheckRow& row = m_rows[item.itemID];
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        FillRect(item.hDC, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        const int box = std::min<int>(area.bottom - area.top - 2, 16);
        RECT check = {area.left + 2, area.top + (area.bottom - area.top - box) / 2, 0, 0};
        check.right = check.left + box;
        check.bottom = check.top + box;
        DrawFrameControl(item.hDC, &check, DFC_BUTTON, DFCS_BUTTONCHECK | (row.checked ? DFCS_CHECKED : 0));
        RECT text = area;
        text.left = check.right + 4;
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        DrawTextW(item.hDC, row.text.c_str(), static_cast<int>(row.text.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &area);
    }

    void Toggle(LRESULT row) {
        if (row < 0 || static_cast<size_t>(row) >= m_rows.size()) return;
        m_rows[row].checked = !m_rows[row].checked;
        SendMessageW(m_list, LB_SETITEMDATA, row, m_rows[row].checked ? 1 : 0);
        RECT area;
        if (SendMessageW(m_list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&area)) != LB_ERR)
            InvalidateRect(m_list, &area, FALSE);
    }

    // Space toggles the current row; a click on a check box or a double
    // click on a row toggles that row.
    static LRESULT CALLBACK ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) {
        auto* self = reinterpret_cast<CheckListDialog*>(data);
        switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) {
                self->Toggle(SendMessageW(list, LB_GETCARETINDEX, 0, 0));
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == L' ') return 0;  // no search for a blank
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const LRESULT handled = DefSubclassProc(list, message, wParam, lParam);
            const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
            RECT area;
            if (HIWORD(hit) == 0 && SendMessageW(list, LB_GETITEMRECT, LOWORD(hit), reinterpret_cast<LPARAM>(&area)) != LB_ERR) {
                const int boxRight = area.left + 2 + std::min<int>(area.bottom - area.top - 2, 16);
                const int x = static_cast<short>(LOWORD(lParam));
                if (message == WM_LBUTTONDBLCLK || x < boxRight) self->Toggle(LOWORD(hit));
            }
            return handled;
        }
        default:
            break;
        }
        return DefSubclassProc(list, message, wParam, lParam);
    }

    std::vector<CheckRow> m_rows;
    HWND m_list = nullptr;
};

// One-dimensional, lower bound 0, 1 to 30 elements: the shape both arrays
// of SelectionA must have. Gives the elements, or nothing.
std::unique_ptr<unique_variant_array> CheckedArray(const VARIANT& value) {
    SAFEARRAY* array = ArrayOf(value);
    if (!array || SafeArrayGetDim(array) != 1) return nullptr;
    LONG lower = 0, upper = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper))) return nullptr;
    if (lower != 0 || upper < 0 || upper >= CheckListSelection::kMaxItems) return nullptr;
    auto elements = std::make_unique<unique_variant_array>(static_cast<size_t>(upper) + 1);
    for (LONG i = 0; i <= upper; ++i)
        if (!ArrayElement(array, i, &(*elements)[i])) return nullptr;
    return elements;
}

bool IsMissing(const VARIANT* value) {
    if (!value) return true;
    const VARIANT& held = Dereference(*value);
    return V_VT(&held) == VT_ERROR && V_ERROR(&held) == DISP_E_PARAMNOTFOUND;
}

}  // namespace

std::optional<std::vector<CheckRow>> CheckListSelection::RowsFromText(const std::wstring& items, long checks) {
    const std::vector<std::wstring> pieces = SplitLines(items);
    if (items.empty() || pieces.size() > static_cast<size_t>(kMaxItems)) return std::nullopt;
    std::vector<CheckRow> rows;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].empty()) continue;
        rows.push_back({pieces[i], static_cast<int>(i), (checks & (1L << i)) != 0});
    }
    return rows;
}

std::optional<std::vector<CheckRow>> CheckListSelection::RowsFromArrays(const VARIANT& items, const VARIANT* checks) {
    const auto texts = CheckedArray(items);
    if (!texts) return std::nullopt;
    std::unique_ptr<unique_variant_array> states;
    if (!IsMissing(checks)) {
        states = CheckedArray(*checks);
        if (!states) return std::nullopt;
    }
    std::vector<CheckRow> rows;
    for (size_t i = 0; i < texts->size(); ++i) {
        const VARIANT& element = Dereference((*texts)[i]);
        if (V_VT(&element) == VT_EMPTY || V_VT(&element) == VT_NULL) continue;
        unique_variant text;
        if (FAILED(VariantChangeType(text.get(), const_cast<VARIANT*>(&element), 0, VT_BSTR)))
            ThrowTypeMismatch(kSource);
        CheckRow row;
        row.text.assign(V_BSTR(text.get()), SysStringLen(V_BSTR(text.get())));
        if (row.text.empty()) continue;
        row.position = static_cast<int>(i);
        // Elements beyond the end of a shorter array of checks leave the row unchecked.
        if (states && i < states->size()) {
            const VARIANT& state = (*states)[i];
            row.checked = IsNumeric(state) && NumericValue(state) != 0;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

long CheckListSelection::Mask(const std::vector<CheckRow>& rows) noexcept {
    long mask = 0;
    for (const CheckRow& row : rows)
        if (row.checked) mask |= 1L << row.position;
    return mask;
}

long CheckListSelection::Show(std::vector<CheckRow> rows, const std::wstring& title) const {
    CheckListDialog dialog(m_settings, std::move(rows));
    return dialog.Run(title) ? dialog.Mask() : 0;
}

long CheckListSelection::Selection(const std::wstring& items, long checks, const std::wstring& title) const {
    auto rows = RowsFromText(items, checks);
    return rows ? Show(std::move(*rows), title) : 0;
}

long CheckListSelection::SelectionA(const VARIANT& items, const VARIANT* checks, const std::wstring& title) const {
    auto rows = RowsFromArrays(items, checks);
    return rows ? Show(std::move(*rows), title) : 0;
}

}  // namespace kelpa
