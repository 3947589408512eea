#pragma once

#include "geometry.h"
#include "windows_api.h"

#include <string>

// A one-line field for a file name: a text box (an EDIT control) with a browse
// button inside the right end of its border, which never takes the focus. Texts
// are UTF-8. Every change of the text, the program's included, is told to the
// window as the text box's EN_CHANGE.
class TFilenameEdit final
{
public:
    TFilenameEdit() = default;
    ~TFilenameEdit();
    TFilenameEdit(const TFilenameEdit&) = delete;
    TFilenameEdit& operator=(const TFilenameEdit&) = delete;

    // A child control of parent with the given id, in its tab order where it is made.
    void create(HWND parent, int id);
    // Its place, font and the lengths of its own drawing, for a screen of dpi.
    void layOut(const Rect& rect, HFONT font, int dpi);

    // The field within the window's layout: its border round the text box and the button.
    HWND frame() const { return m_frame; }
    // The text box, which takes the focus and the keys.
    HWND window() const { return m_edit; }
    HWND button() const { return m_button; }

    // The text exactly as shown, double quotes included.
    std::string Text() const;
    void setText(const std::string& text);
    // The leading file name of the text, without quotes.
    std::string FileName() const;
    // Throws EComboEditError, leaving the text as it was, for a value it does not accept.
    void setFileName(const std::string& value);
    // The name a run is given: the text without any double quote.
    std::string runFileName() const;

    // Lets the user pick a file in the file-open dialog, starting from the text's leading name.
    void browse();
    // The window moves the focus here: the whole text is selected, so that typing replaces it.
    void takeFocus();

private:
    static LRESULT CALLBACK editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self);
    static LRESULT CALLBACK buttonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void registerClasses();
    LRESULT onButtonMouse(UINT message, LPARAM lParam);
    void setPushed(bool pushed);
    void drawButton(HDC dc) const;

    HWND m_frame = nullptr;
    HWND m_edit = nullptr;
    HWND m_button = nullptr;
    int m_dpi = 96;
    bool m_pressing = false;
    bool m_pushed = false;
    // What the next browse starts from; kept for the life of the field only.
    std::string m_initialDir;
    int m_filterIndex = 1;
    std::string m_proposedName;
};
