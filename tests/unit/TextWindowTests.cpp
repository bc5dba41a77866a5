// Where Window2's box may wrap a line: the answers its edit control asks for.
#include <windows.h>
#include "catch.hpp"
#include "windows/TextWindow.h"

TEST_CASE("the box wraps before a word that follows a space or tab", "[textwindow]") {
    const wchar_t text[] = L"one  two\tthree";  // words start at 0, 5 and 9; WB_LEFT looks left of the position
    CHECK(kelpa::TextWindow::WordBreak(text, 9, 14, WB_LEFT) == 5);
    CHECK(kelpa::TextWindow::WordBreak(text, 1, 14, WB_RIGHT) == 5);
    CHECK(kelpa::TextWindow::WordBreak(L"unbroken", 5, 8, WB_LEFT) == 0);
}
