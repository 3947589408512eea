#pragma once

#include "jpeg_picture.h"

#include <optional>

// Shows a JPEG picture of the program's resources from its top-left corner,
// decoded once, when first drawn; elsewhere the window shows its parent. With
// the font of the designed line height it is drawn unscaled; with another it
// grows or shrinks by the ratio of the line heights, as the window around it
// does, made then from the picture of twice the size. The pointer over it is
// a pointing hand, and a click does nothing.
class PictureArea final
{
public:
    PictureArea(int resourceId, int largeResourceId);
    PictureArea(const PictureArea&) = delete;
    PictureArea& operator=(const PictureArea&) = delete;

    // A child window of the class registered by registerLookClasses().
    HWND create(HWND parent, const Rect& rect);
    HWND window() const { return m_window; }
    void setLineHeight(int lineHeight);

    // Draws the picture as the window shows it into dc, from (0, 0).
    void paint(HDC dc);
    // Fills the area with its panel's colour.
    void erase(HDC dc) const;

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    const DecodedJpeg& picture(bool large);

    const int m_resourceId;
    const int m_largeResourceId;
    HWND m_window = nullptr;
    int m_lineHeight = 13;
    // Decoded on first use; a picture that failed to decode stays without a bitmap, not retried.
    std::optional<DecodedJpeg> m_picture;
    std::optional<DecodedJpeg> m_largePicture;
};

// A plain panel filled with one colour, without border or bevel.
HWND createPanel(HWND parent, const Rect& rect, COLORREF colour);

// The window classes of panels and pictures, once per process.
void registerLookClasses();

inline constexpr const wchar_t* PanelClassName = L"TPanel";
inline constexpr const wchar_t* PictureClassName = L"TImage";
