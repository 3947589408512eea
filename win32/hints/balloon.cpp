#include "balloon.h"

#include "balloon_layout.h"
#include "balloon_placement.h"
#include "unique_handle.h"

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

namespace {

constexpr const wchar_t* BalloonClassName = L"CribaxonBalloon";
constexpr std::size_t ShortTextLimit = 100;
constexpr DWORD AnimationTime = 100;
constexpr COLORREF FillColour = RGB(128, 255, 128);
constexpr UINT TextFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;

struct BalloonState
{
    std::wstring text;
    HFONT font;
    HICON icon;
    int iconSize;
    Rect iconRect;
    Rect textRect;
    std::vector<POINT> outline;
};

// The outline with the callout on the top edge at the left end, mirrored for the
// other positions, so that every position has the same shape; one past the last
// column and row, as a region leaves out its right and bottom edges.
std::vector<POINT> outlinePoints(Size size, const BalloonMetrics& metrics, const BalloonPlacement& placement)
{
    const BalloonOutline outline = balloonOutline({size.width + 1, size.height + 1}, metrics);
    const int r = outline.cornerRadius;
    const Rect& body = outline.body;
    std::vector<POINT> points;
    const auto corner = [&](int centreX, int centreY, double fromDegrees) {
        for (int step = 0; step <= r; ++step) {
            const double angle = (fromDegrees - 90.0 * step / r) * std::numbers::pi / 180.0;
            points.push_back({centreX + static_cast<LONG>(std::lround(r * std::cos(angle))),
                              centreY - static_cast<LONG>(std::lround(r * std::sin(angle)))});
        }
    };
    points.push_back({body.left + r, body.top});
    points.push_back({outline.calloutStart.x, outline.calloutStart.y});
    points.push_back({outline.tip.x, outline.tip.y});
    points.push_back({outline.calloutEnd.x, outline.calloutEnd.y});
    corner(body.right() - r, body.top + r, 90);
    corner(body.right() - r, body.bottom() - r, 0);
    corner(body.left + r, body.bottom() - r, -90);
    corner(body.left + r, body.top + r, 180);
    for (POINT& point : points) {
        if (placement.calloutEnd == Edge::Right)
            point.x = size.width - point.x;
        if (placement.calloutEdge == Edge::Bottom)
            point.y = size.height - point.y;
    }
    return points;
}

UniqueRegion regionOf(const std::vector<POINT>& points)
{
    return UniqueRegion(CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING));
}

void paint(HWND balloon, HDC dc)
{
    const auto* state = reinterpret_cast<const BalloonState*>(GetWindowLongPtrW(balloon, GWLP_USERDATA));
    const UniqueRegion shape = regionOf(state->outline);
    const UniqueBrush fill(CreateSolidBrush(FillColour));
    FillRgn(dc, shape.get(), fill.get());
    FrameRgn(dc, shape.get(), GetSysColorBrush(COLOR_WINDOWFRAME), 1, 1);
    DrawIconEx(dc, state->iconRect.left, state->iconRect.top, state->icon, state->iconSize, state->iconSize, 0, nullptr,
               DI_NORMAL);
    const SelectedObject font(dc, state->font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT text {state->textRect.left, state->textRect.top, state->textRect.right(), state->textRect.bottom()};
    DrawTextW(dc, state->text.c_str(), -1, &text, TextFormat);
}

LRESULT CALLBACK balloonProcedure(HWND balloon, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(balloon, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        break;
    case WM_NCDESTROY:
        delete reinterpret_cast<BalloonState*>(GetWindowLongPtrW(balloon, GWLP_USERDATA));
        SetWindowLongPtrW(balloon, GWLP_USERDATA, 0);
        break;
    case WM_NCHITTEST:
        // The pointer stands on the tip and must stay over the control beneath.
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT painting;
        const HDC dc = BeginPaint(balloon, &painting);
        paint(balloon, dc);
        EndPaint(balloon, &painting);
        return 0;
    }
    case WM_PRINTCLIENT:
        paint(balloon, reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        break;
    }
    return DefWindowProcW(balloon, message, wParam, lParam);
}

void registerBalloonClass()
{
    static const bool registered = [] {
        WNDCLASSEXW balloon {};
        balloon.cbSize = sizeof(balloon);
        balloon.lpfnWndProc = balloonProcedure;
        balloon.hInstance = GetModuleHandleW(nullptr);
        balloon.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        balloon.lpszClassName = BalloonClassName;
        return RegisterClassExW(&balloon) != 0;
    }();
    (void)registered;
}

Rect toRect(const RECT& rect)
{
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

Size wrappedTextSize(HFONT font, const std::wstring& text, int widthLimit)
{
    const ScreenDc dc;
    const SelectedObject selected(dc.get(), font);
    RECT bounds {0, 0, widthLimit, 0};
    DrawTextW(dc.get(), text.c_str(), -1, &bounds, TextFormat | DT_CALCRECT);
    return {bounds.right, bounds.bottom};
}

} // namespace

BalloonAnimation balloonAnimation(bool animateTips, bool fadeTips, std::size_t textLength)
{
    if (!animateTips || textLength >= ShortTextLimit)
        return BalloonAnimation::None;
    return fadeTips ? BalloonAnimation::Fade : BalloonAnimation::Slide;
}

HWND showBalloon(const std::wstring& text, HFONT font, POINT pointer, int dpi)
{
    registerBalloonClass();
    const HMONITOR monitor = MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST);
    const auto dpiY = static_cast<UINT>(dpi);
    const BalloonMetrics metrics = balloonMetricsForDpi(dpi);
    auto state = std::make_unique<BalloonState>();
    state->text = text;
    state->font = font;
    state->iconSize = GetSystemMetricsForDpi(SM_CXICON, dpiY);
    state->icon = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(32516), IMAGE_ICON, state->iconSize,
                                                state->iconSize, LR_SHARED)); // OIC_INFORMATION
    const BalloonLayout layout
        = layOutBalloon(metrics, state->iconSize, wrappedTextSize(font, text, metrics.maxTextWidth));

    MONITORINFO screen {};
    screen.cbSize = sizeof(screen);
    GetMonitorInfoW(monitor, &screen);
    const BalloonPlacement placement = placeBalloon({pointer.x, pointer.y}, layout.size, metrics.tipInset,
                                                    toRect(screen.rcMonitor), toRect(screen.rcWork));
    const int bodyTop = balloonBodyTop(metrics, placement.calloutEdge);
    state->iconRect = {layout.icon.left, layout.icon.top + bodyTop, layout.icon.width, layout.icon.height};
    state->textRect = {layout.text.left, layout.text.top + bodyTop, layout.text.width, layout.text.height};
    state->outline = outlinePoints(layout.size, metrics, placement);
    UniqueRegion shape = regionOf(state->outline);

    const Rect& place = placement.rect;
    const HWND balloon = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, BalloonClassName,
                                         text.c_str(), WS_POPUP, place.left, place.top, place.width, place.height,
                                         nullptr, nullptr, GetModuleHandleW(nullptr), state.release());
    // The window owns its region from here on.
    SetWindowRgn(balloon, shape.release(), FALSE);

    BOOL animate = FALSE;
    BOOL fade = FALSE;
    SystemParametersInfoW(SPI_GETTOOLTIPANIMATION, 0, &animate, 0);
    SystemParametersInfoW(SPI_GETTOOLTIPFADE, 0, &fade, 0);
    switch (balloonAnimation(animate != FALSE, fade != FALSE, text.size())) {
    case BalloonAnimation::Fade:
        AnimateWindow(balloon, AnimationTime, AW_BLEND);
        break;
    case BalloonAnimation::Slide:
        AnimateWindow(balloon, AnimationTime, AW_SLIDE | AW_VER_POSITIVE);
        break;
    case BalloonAnimation::None:
        ShowWindow(balloon, SW_SHOWNOACTIVATE);
        break;
    }
    return balloon;
}
