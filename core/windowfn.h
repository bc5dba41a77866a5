// Window operations shared by the dialog and window classes: bringing a
// window to the front, topmost, flashing, fonts, style changes, the wait step
// of the blocking dialogs, and resource-only modules. Every function ignores
// platform failures, as a window that went away must never fail a script.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

#include "runtime/UniqueHandle.h"

namespace kelpa {

// Foreground activation across threads (AttachThreadInput), restore or show,
// and then, only if the window did become the foreground window, topmost or
// top of the z-order. Nothing happens to a window that already is in front.
void BringToFront(HWND window, bool topmost) noexcept;

// Topmost when topmost is true, otherwise no longer topmost; no move, no size.
void SetTopmost(HWND window, bool topmost) noexcept;

// The record FlashWindowEx gets for a count: above 9 flash until the window
// comes to the foreground, 1 to 9 that many times, 0 or less stop flashing.
FLASHWINFO FlashParameters(HWND window, long count) noexcept;
void Flash(HWND window, long count) noexcept;

// Lets the window manager re-read a changed frame style.
void FrameChanged(HWND window) noexcept;
// New outer size in pixels; position and z-order stay.
void Resize(HWND window, int width, int height) noexcept;
// Replaces the style (GWL_STYLE) and lets the frame follow.
void SetStyle(HWND window, LONG style) noexcept;
// ORs bits into the style or the extended style; refreshFrame asks for FrameChanged.
void AddStyleBits(HWND window, LONG bits, bool extended, bool refreshFrame) noexcept;
// Scrolls an edit control to its last line.
void ScrollToEnd(HWND edit) noexcept;

// Pixels for a length in twips (1/1440 inch) at the window's DPI (the
// screen's when the window is null); dialog designs are given in twips.
int TwipsToPixels(HWND window, int twips) noexcept;

// The fonts a dialog's window and controls were given. They must outlive the
// window that uses them, so the dialog keeps this object as long as its
// window; one font is made per distinct variant, not per control.
class WindowFonts {
public:
    // Gives the window and every control the face "Segoe UI", each keeping
    // its own size and weight.
    void Modernise(HWND dialog);
    // Gives the window and every control the point size, each keeping its face.
    void Enlarge(HWND dialog, int points);
    // One control alone: another point size, or the bold weight of its font.
    void SetPoints(HWND control, int points);
    void Embolden(HWND control);

private:
    template <class Change>
    void Apply(HWND dialog, Change change);
    template <class Change>
    void ApplyTo(HWND window, Change change);
    HFONT Find(const LOGFONTW& wanted);

    std::vector<unique_hgdiobj> m_fonts;
};

// The face and point size of the font a window uses (WM_GETFONT; the system
// font when it has none), for tests and for dialogs that lay out by text size.
std::wstring FontFace(HWND window);
int FontPoints(HWND window);

// One turn of a blocking dialog's wait loop: dispatch every pending message
// (keyboard navigation of modeless dialogs included), then wait up to 55 ms
// for more and give up the time slice. Returns false when a WM_QUIT was seen:
// it is posted again for the thread's own loop and the caller should stop.
bool WaitStep() noexcept;

// Dispatches what is pending without waiting; same WM_QUIT rule as WaitStep.
bool HandlePendingMessages() noexcept;

// Runs wait steps until done is set or the window is gone (closed or
// destroyed without its dialog noticing) or a WM_QUIT arrives.
void WaitForDialog(HWND window, const bool& done) noexcept;

// Registers a window class of this program once per process (later calls
// only look it up): the window procedure reads its object from
// GWLP_USERDATA, which the procedure sets from WM_NCCREATE's parameter.
void RegisterWindowClassOnce(const wchar_t* name, WNDPROC procedure, int backgroundColour) noexcept;

// Whether the system has a font family of this face name (case ignored).
bool FaceExists(const std::wstring& face) noexcept;

// Maps a module's resources only (no code runs, no dependencies load), for
// icons taken from any file. Empty when the file does not load.
unique_hmodule LoadResourceModule(const std::wstring& path) noexcept;

}  // namespace kelpa
