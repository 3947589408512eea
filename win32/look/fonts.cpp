#include "fonts.h"

#include "window_scaling.h"

#include <initializer_list>

namespace {

constexpr int WindowFontPixels = 11;

NONCLIENTMETRICSW nonClientMetrics(int dpi)
{
    NONCLIENTMETRICSW metrics {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi));
    return metrics;
}

} // namespace

UniqueFont makeWindowFont(int dpi)
{
    const int pixels = scaledForDpi(WindowFontPixels, dpi);
    // "MS Sans Serif" is a bitmap face of a few sizes; where it lacks this one, the TrueType faces drawn
    // after it, which every Windows has, rather than the system's guess.
    for (const wchar_t* face : {L"MS Sans Serif", L"Microsoft Sans Serif", L"Tahoma"}) {
        UniqueFont font(CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face));
        const ScreenDc dc;
        const SelectedObject selected(dc.get(), font.get());
        TEXTMETRICW metrics {};
        GetTextMetricsW(dc.get(), &metrics);
        wchar_t realized[LF_FACESIZE] {};
        GetTextFaceW(dc.get(), LF_FACESIZE, realized);
        if (metrics.tmHeight - metrics.tmInternalLeading == pixels && lstrcmpiW(realized, face) == 0)
            return font;
    }
    return UniqueFont(CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif"));
}

UniqueFont makeMessageFont(int dpi)
{
    const NONCLIENTMETRICSW metrics = nonClientMetrics(dpi);
    return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

UniqueFont makeStatusFont(int dpi)
{
    const NONCLIENTMETRICSW metrics = nonClientMetrics(dpi);
    return UniqueFont(CreateFontIndirectW(&metrics.lfStatusFont));
}

int lineHeightOf(HFONT font)
{
    const ScreenDc dc;
    const SelectedObject selected(dc.get(), font);
    TEXTMETRICW metrics {};
    GetTextMetricsW(dc.get(), &metrics);
    return metrics.tmHeight;
}

Size textExtent(HFONT font, std::wstring_view text)
{
    const ScreenDc dc;
    const SelectedObject selected(dc.get(), font);
    SIZE size {};
    GetTextExtentPoint32W(dc.get(), text.data(), static_cast<int>(text.size()), &size);
    return {size.cx, size.cy};
}
