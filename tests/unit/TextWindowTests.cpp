// Where Window2's box may wrap a line: the answers its edit control asks for.
#include <windows.h>

#include "catch.hpp"
#include "windows/TextWindow.h"

using kelpa::TextWindow;

TEST_CASE("the box wraps before a word that follows a space or tab", "[textwindow]") {
    const wchar_t text[] = L"one  two\tthree";  // words start at 0, 5 and 9
    const int length = 14;
    CHECK(TextWindow::WordBreak(text, 12, length, WB_LEFT) == 9);
    CHECK(TextWindow::WordBreak(text, 9, length, WB_LEFT) == 5);  // left of, not at, the position
    CHECK(TextWindow::WordBreak(text, 4, length, WB_LEFT) == 0);
    CHECK(TextWindow::WordBreak(text, 1, length, WB_RIGHT) == 5);
    CHECK(TextWindow::WordBreak(text, 10, length, WB_RIGHT) == length);
    CHECK(TextWindow::WordBreak(text, 3, length, WB_ISDELIMITER) == 1);
    CHECK(TextWindow::WordBreak(text, 8, length, WB_ISDELIMITER) == 1);
    CHECK(TextWindow::WordBreak(text, 2, length, WB_ISDELIMITER) == 0);
    CHECK(TextWindow::WordBreak(L"unbroken", 5, 8, WB_LEFT) == 0);
}
