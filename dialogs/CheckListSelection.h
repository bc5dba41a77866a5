// The settings of "Kelpa.CheckList" and its two Selection members: up to 30
// rows with check boxes, the initial checks from a bit mask or from an array
// of Booleans, the checked rows back as a bit mask.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/ChoiceDialog.h"

namespace kelpa {

// One row of the check list. position: the item's place in what the script
// gave, and the bit that stands for the row in both masks.
struct CheckRow {
    std::wstring text;
    int position = 0;
    bool checked = false;
};

class CheckListSelection {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.CheckList";
    static constexpr size_t kInfoLength = 256;
    // Bits 0 to 29 of a Long: one per item.
    static constexpr long kMaxItems = 30;

    ChoiceSettings& Settings() noexcept { return m_settings; }

    // Items separated by CR LF, initial checks as a bit mask. 0 when
    // cancelled, and at once (no window) for empty items or more than 30 pieces.
    long Selection(const std::wstring& items, long checks, const std::wstring& title) const;
    // Items as an array, initial checks as a parallel array of Booleans
    // (checks may be null or "missing": nothing checked). 0 at once when an
    // array is not one-dimensional from 0 with 1 to 30 elements.
    long SelectionA(const VARIANT& items, const VARIANT* checks, const std::wstring& title) const;

    // The rows either member shows; nothing when the input fails its check.
    // An array element that does not convert to a String is a type mismatch.
    static std::optional<std::vector<CheckRow>> RowsFromText(const std::wstring& items, long checks);
    static std::optional<std::vector<CheckRow>> RowsFromArrays(const VARIANT& items, const VARIANT* checks);
    // The bits of the checked rows.
    static long Mask(const std::vector<CheckRow>& rows) noexcept;

private:
    long Show(std::vector<CheckRow> rows, const std::wstring& title) const;

    ChoiceSettings m_settings{kInfoLength};
};

}  // namespace kelpa
