// Parts shared by the script dialogs that are built from controls rather than
// taken from the platform: design geometry in twips scaled to the real font
// and DPI, rows of label plus edit field, the colour and bold rule of
// per-field colours, balloon tips on edit fields, tool tips on controls, the
// time-out that cancels a dialog by itself, and the wait of a call that shows
// a dialog window of its own.
#pragma once

#include <windows.h>
#include <deque>
#include <string>
#include <vector>

#include "runtime/UniqueHandle.h"

namespace kelpa {

// ---- geometry ------------------------------------------------------------------

// A rectangle of a design, in twips (1/1440 inch).
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int Bottom() const noexcept { return top + height; }
};

// Pixels for design twips. The designs are drawn for a 9-point font: a
// larger font scales the whole design with it, and so does a face whose
// lines need more height than a design line holds, so that rows, labels and
// buttons never overlap or clip whatever the font, its size and the DPI.
class DesignScale {
public:
    explicit DesignScale(double pixelsPerTwip = 96.0 / 1440) noexcept : m_pixelsPerTwip(pixelsPerTwip) {}
    // The scale for a window at its DPI whose text uses this font (its point
    // size and line height); lineTwips is the design height of one text line.
    static DesignScale For(HWND window, HFONT font, int lineTwips);

    int Pixels(int twips) const noexcept;
    int Twips(int pixels) const noexcept;
    RECT Rect(const TwipRect& rect) const noexcept;
    double PixelsPerTwip() const noexcept { return m_pixelsPerTwip; }

private:
    double m_pixelsPerTwip;
};

// The twips of a form made of an optional information text above rows of
// label plus edit field and one button below them. The numbers are those of
// the first row; further rows repeat it one pitch lower each, and the button
// and the client area move down with the last row.
struct RowForm {
    TwipRect info;           // the information text at its design height
    TwipRect label;          // row 0's label, below the information text
    TwipRect edit;           // row 0's edit field, below the information text
    TwipRect button;         // the button for one row, below the information text
    int clientWidth = 0;
    int clientHeight = 0;    // for one row, with the information text
    int pitch = 0;           // from one row to the next
    // Without an information text: row 0's label top and the button top.
    int bareLabelTop = 0;
    int bareButtonTop = 0;
};

// Where everything of a RowForm goes for rows rows (at least 1) and an
// information text of infoHeight twips (0: none; a taller text than the
// design pushes the rows down by the difference).
struct RowLayout {
    bool hasInfo = false;
    TwipRect info;
    std::vector<TwipRect> labels;
    std::vector<TwipRect> edits;
    TwipRect button;
    int clientWidth = 0;
    int clientHeight = 0;
};
RowLayout LayOutRows(const RowForm& form, int rows, int infoHeight);

// ---- colours -------------------------------------------------------------------

// A per-field colour value: the low 24 bits are a COLORREF (red in the low
// byte), 0 keeping the control's own colour, so pure black cannot be asked
// for; bit 0x1000000 makes the text bold in either case.
struct FieldColour {
    bool hasColour = false;
    COLORREF colour = 0;
    bool bold = false;
};
FieldColour DecodeFieldColour(long value) noexcept;

// Text colours of controls, answered from the dialog's WM_CTLCOLORSTATIC and
// WM_CTLCOLOREDIT. Controls not listed keep the platform's colours.
class ControlColours {
public:
    void Set(HWND control, COLORREF colour);
    // The brush a dialog procedure returns, or null for "not mine".
    HBRUSH Answer(UINT message, HDC dc, HWND control) const noexcept;

private:
    struct Entry {
        HWND control;
        COLORREF colour;
    };
    std::vector<Entry> m_entries;
};

// ---- tips ------------------------------------------------------------------------

// Tool tips shown when the mouse rests on a control: one tool-tip window per
// dialog, each control a tool with its own text.
class ControlTips {
public:
    void Add(HWND dialog, HWND control, const std::wstring& text);

private:
    unique_hwnd m_window;
};

// A balloon pointing at an edit field, for input the field refuses. The
// edit's own balloon (EM_SHOWBALLOONTIP) where the platform has one, else a
// tracking balloon tool tip of our own under the field.
class EditBalloon {
public:
    // icon: TTI_NONE, TTI_INFO, TTI_WARNING or TTI_ERROR.
    void Show(HWND edit, const std::wstring& title, const std::wstring& text, int icon);
    void Hide() noexcept;
    // The window of our own balloon while it shows (null when the edit shows
    // its own), for tests and for hiding it with the dialog.
    HWND Window() const noexcept { return m_shown ? m_window.get() : nullptr; }

private:
    unique_hwnd m_window;
    HWND m_edit = nullptr;
    bool m_shown = false;
    bool m_editOwn = false;
    std::wstring m_title;
    std::wstring m_text;
};

// ---- time-out ----------------------------------------------------------------------

// A one-shot timer on the dialog window that ends the dialog after a number of
// seconds. It belongs to the window (WM_TIMER with its own id), so each
// dialog's time-out reaches that dialog and no other; 3600 s is 3,600,000 ms,
// well inside the timer's range.
class DialogTimeout {
public:
    static constexpr UINT_PTR kTimerId = 0x4B54;  // an id no control uses
    void Start(HWND window, int seconds) noexcept;
    // True for this timer's WM_TIMER: the timer is stopped, the dialog ends.
    bool Fired(WPARAM timerId) noexcept;
    void Stop() noexcept;
    bool Running() const noexcept { return m_window != nullptr; }

private:
    HWND m_window = nullptr;
};

// ---- one window per call -----------------------------------------------------------

// A dialog that a running call shows; the object that made the call can end
// it (as cancelled) when the object is released while the call waits.
class RunningDialog {
public:
    virtual void Cancel() noexcept = 0;

protected:
    ~RunningDialog() = default;
};

// The dialogs that an object's calls are showing now. A server's wait loop
// handles messages, so a call of another client - or of this one on another
// reference - arrives while a dialog waits: each call gets its own dialog,
// and the object remembers all of them to end them on release.
class RunningDialogs {
public:
    void Add(RunningDialog* dialog);
    void Remove(RunningDialog* dialog) noexcept;
    void CancelAll() noexcept;
    bool Empty() const noexcept { return m_dialogs.empty(); }

private:
    std::vector<RunningDialog*> m_dialogs;
};

// Keeps a dialog in an object's list for the span of one call.
class RunningScope {
public:
    RunningScope(RunningDialogs& list, RunningDialog& dialog) : m_list(list), m_dialog(dialog) { list.Add(&dialog); }
    ~RunningScope() { m_list.Remove(&m_dialog); }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

private:
    RunningDialogs& m_list;
    RunningDialog& m_dialog;
};

// Shows a prepared modeless dialog, gives the focus to a control (none: the
// dialog's choice), brings it to the front (topmost or not) and runs wait
// steps until done is set or the window is gone.
void ShowAndWait(HWND dialog, HWND focus, bool topmost, const bool& done) noexcept;

// An empty dialog template in memory (class #32770, so the shared wait loop's
// keyboard handling - Tab, Enter, Esc, access keys - applies) with the face
// and point size the designs are drawn in; the controls are added at run time.
std::vector<WORD> EmptyDialogTemplate(DWORD style, const wchar_t* face, WORD points, DWORD exStyle = 0);

}  // namespace kelpa
