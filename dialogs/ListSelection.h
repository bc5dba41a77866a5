// The settings of "Kelpa.List" and its Selection: the items, one per CR LF
// separated piece, shown in a list for one call; the chosen text(s) come back.
#pragma once

#include <string>
#include <vector>

#include "dialogs/ChoiceDialog.h"

namespace kelpa {

class ListSelection {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.List";
    static constexpr size_t kInfoLength = 256;

    ChoiceSettings& Settings() noexcept { return m_settings; }
    bool MultiSel() const noexcept { return m_multiSel; }
    void SetMultiSel(bool value) noexcept { m_multiSel = value; }

    // Shows the list and returns the chosen item, or with MultiSel every
    // chosen item followed by CR LF; "" when cancelled, when nothing was
    // chosen, and at once (no window) for empty items. index: the item
    // selected at the start when it is one of the items.
    std::wstring Selection(const std::wstring& items, long index, const std::wstring& title) const;

    // The non-empty pieces of items, in order.
    static std::vector<std::wstring> Items(const std::wstring& items);
    // What OK returns for the chosen items (indices in list order).
    static std::wstring Result(const std::vector<std::wstring>& items, const std::vector<int>& chosen, bool multi);

private:
    ChoiceSettings m_settings{kInfoLength};
    bool m_multiSel = false;
};

}  // namespace kelpa
