#include "fonts.h"

#include "window_scaling.h"

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
    return UniqueFont(CreateFontW(-scaledForDpi(WindowFontPixels, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                  ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif"));
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
