// The list dialog of "Kelpa.List".
#include "dialogs/ListSelection.h"

#include <algorithm>

namespace kelpa {
namespace {

constexpr wchar_t kCaption[] = L"KELPA List";

class ListDialog : public ChoiceDialog {
public:
    ListDialog(const ChoiceSettings& settings, const std::vector<std::wstring>& items, long index, bool multi)
        : ChoiceDialog(settings, kCaption, true, 3700), m_items(items), m_index(index), m_multi(multi) {}

    const std::wstring& Chosen() const noexcept { return m_result; }

protected:
    void CreateContent() override {
        const DWORD style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                            (m_multi ? LBS_EXTENDEDSEL : 0);
        m_list = AddControl(L"LISTBOX", style, kContentId, WS_EX_CLIENTEDGE);
        // One redraw and one allocation for the whole list: 10,000 items
        // added one by one with a redraw each would take seconds.
        SendMessageW(m_list, WM_SETREDRAW, FALSE, 0);
        size_t characters = 0;
        for (const std::wstring& item : m_items) characters += item.size() + 1;
        SendMessageW(m_list, LB_INITSTORAGE, m_items.size(), characters * sizeof(wchar_t));
        // The list shows each text up to a NUL; the result is taken from the
        // items themselves, so a NUL inside an item still comes back whole.
        for (const std::wstring& item : m_items) SendMessageW(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        if (m_index >= 0 && m_index < static_cast<long>(m_items.size())) {
            if (m_multi) {
                SendMessageW(m_list, LB_SETSEL, TRUE, m_index);
                SendMessageW(m_list, LB_SETCARETINDEX, m_index, FALSE);
            } else {
                SendMessageW(m_list, LB_SETCURSEL, m_index, 0);
            }
        }
        SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);
    }

    void FontsApplied() override {
        // Long items scroll sideways instead of being cut off.
        HDC dc = GetDC(m_list);
        if (!dc) return;
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(m_list, WM_GETFONT, 0, 0)));
        LONG widest = 0;
        for (const std::wstring& item : m_items) {
            SIZE size = {};
            const size_t shown = std::min(item.find(L'\0'), item.size());
            if (GetTextExtentPoint32W(dc, item.c_str(), static_cast<int>(shown), &size)) widest = std::max(widest, size.cx);
        }
        SelectObject(dc, old);
        ReleaseDC(m_list, dc);
        SendMessageW(m_list, LB_SETHORIZONTALEXTENT, widest + Px(120), 0);
    }

    SIZE DesignClient() const override { return ListDesignClient(); }
    void Layout(int width, int height) override { LayOutList(m_list, width, height); }

    HWND InitialFocus() const override { return m_list; }

    bool TakeResult() override {
        std::vector<int> chosen;
        if (m_multi) {
            const LRESULT count = SendMessageW(m_list, LB_GETSELCOUNT, 0, 0);
            if (count > 0) {
                chosen.resize(static_cast<size_t>(count));
                const LRESULT got = SendMessageW(m_list, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(chosen.data()));
                chosen.resize(got > 0 ? static_cast<size_t>(got) : 0);
            }
        } else {
            const LRESULT current = SendMessageW(m_list, LB_GETCURSEL, 0, 0);
            if (current != LB_ERR) chosen.push_back(static_cast<int>(current));
        }
        m_result = ListSelection::Result(m_items, chosen, m_multi);
        return true;
    }

private:
    const std::vector<std::wstring>& m_items;
    long m_index;
    bool m_multi;
    HWND m_list = nullptr;
    std::wstring m_result;
};

}  // namespace

std::vector<std::wstring> ListSelection::Items(const std::wstring& items) {
    std::vector<std::wstring> pieces = SplitLines(items);
    pieces.erase(std::remove_if(pieces.begin(), pieces.end(), [](const std::wstring& piece) { return piece.empty(); }),
                 pieces.end());
    return pieces;
}

std::wstring ListSelection::Result(const std::vector<std::wstring>& items, const std::vector<int>& chosen, bool multi) {
    std::wstring result;
    std::vector<int> inOrder = chosen;
    std::sort(inOrder.begin(), inOrder.end());
    for (int index : inOrder) {
        if (index < 0 || static_cast<size_t>(index) >= items.size()) continue;
        if (!multi) return items[index];
        result += items[index] + L"\r\n";
    }
    return result;
}

std::wstring ListSelection::Selection(const std::wstring& items, long index, const std::wstring& title) const {
    if (items.empty()) return std::wstring();
    const std::vector<std::wstring> pieces = Items(items);
    ListDialog dialog(m_settings, pieces, index, m_multiSel);
    return dialog.Run(title) ? dialog.Chosen() : std::wstring();
}

}  // namespace kelpa
