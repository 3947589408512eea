#include "picture_area.h"

#include "window_scaling.h"

namespace {

LRESULT CALLBACK panelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        break;
    case WM_ERASEBKGND: {
        RECT area;
        GetClientRect(window, &area);
        const UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(window, GWLP_USERDATA))));
        FillRect(reinterpret_cast<HDC>(wParam), &area, brush.get());
        return 1;
    }
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

JpegColours screenColours()
{
    const ScreenDc dc;
    return jpegColoursForDepth(GetDeviceCaps(dc.get(), BITSPIXEL) * GetDeviceCaps(dc.get(), PLANES));
}

} // namespace

PictureArea::PictureArea(int resourceId, int largeResourceId)
    : m_resourceId(resourceId)
    , m_largeResourceId(largeResourceId)
{ }

HWND PictureArea::create(HWND parent, const Rect& rect)
{
    m_window = CreateWindowExW(0, PictureClassName, L"", WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.width,
                               rect.height, parent, nullptr, nullptr, this);
    return m_window;
}

void PictureArea::setLineHeight(int lineHeight)
{
    m_lineHeight = lineHeight;
    InvalidateRect(m_window, nullptr, TRUE);
}

const DecodedJpeg& PictureArea::picture(bool large)
{
    std::optional<DecodedJpeg>& picture = large ? m_largePicture : m_picture;
    if (!picture)
        picture = decodeJpeg(programResource(large ? m_largeResourceId : m_resourceId), screenColours());
    return *picture;
}

void PictureArea::paint(HDC dc)
{
    // The drawing made at twice the size serves larger fonts: reduced, it stays sharp where the small one would blur.
    const bool large = m_lineHeight > DesignLineHeight;
    const DecodedJpeg& shown = picture(large);
    if (!shown.bitmap)
        return;
    const Size designed = large ? Size {shown.size.width / 2, shown.size.height / 2} : shown.size;
    const Size size = scaledForLineHeight(designed, m_lineHeight);
    const HDC source = CreateCompatibleDC(dc);
    {
        const SelectedObject selected(source, shown.bitmap.get());
        if (size == shown.size) {
            BitBlt(dc, 0, 0, size.width, size.height, source, 0, 0, SRCCOPY);
        } else {
            SetStretchBltMode(dc, HALFTONE);
            SetBrushOrgEx(dc, 0, 0, nullptr);
            StretchBlt(dc, 0, 0, size.width, size.height, source, 0, 0, shown.size.width, shown.size.height, SRCCOPY);
        }
    }
    DeleteDC(source);
}

void PictureArea::erase(HDC dc) const
{
    RECT area {};
    GetClientRect(m_window, &area);
    const UniqueBrush brush(
        CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(GetParent(m_window), GWLP_USERDATA))));
    FillRect(dc, &area, brush.get());
}

LRESULT CALLBACK PictureArea::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* area = reinterpret_cast<PictureArea*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE:
        area = static_cast<PictureArea*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        area->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(area));
        break;
    case WM_ERASEBKGND:
        // The panel's colour shows below the picture.
        area->erase(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        area->paint(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        area->erase(reinterpret_cast<HDC>(wParam));
        area->paint(reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND createPanel(HWND parent, const Rect& rect, COLORREF colour)
{
    // Panels overlap: each paints only where no panel above it lies.
    return CreateWindowExW(0, PanelClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect.left,
                           rect.top, rect.width, rect.height, parent, nullptr, nullptr,
                           reinterpret_cast<void*>(static_cast<LONG_PTR>(colour)));
}

void registerLookClasses()
{
    static const bool registered = [] {
        WNDCLASSEXW panel {};
        panel.cbSize = sizeof(panel);
        panel.lpfnWndProc = panelProcedure;
        panel.hInstance = GetModuleHandleW(nullptr);
        panel.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        panel.lpszClassName = PanelClassName;
        RegisterClassExW(&panel);
        WNDCLASSEXW picture = panel;
        picture.lpfnWndProc = PictureArea::procedure;
        picture.hCursor = LoadCursorW(nullptr, IDC_HAND);
        picture.lpszClassName = PictureClassName;
        RegisterClassExW(&picture);
        return true;
    }();
    (void)registered;
}
