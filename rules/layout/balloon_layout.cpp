#include "balloon_layout.h"

#include "window_scaling.h"

#include <algorithm>

namespace {

constexpr BalloonMetrics DesignedMetrics {.cornerRadius = 11,
                                          .calloutLength = 15,
                                          .calloutWidth = 15,
                                          .tipInset = 16,
                                          .padding = 8,
                                          .iconTextGap = 8,
                                          .maxTextWidth = 250};

} // namespace

BalloonMetrics balloonMetricsForDpi(int dotsPerInch)
{
    const auto scaled = [dotsPerInch](int length) {
        return scaledForDpi(length, dotsPerInch);
    };
    const BalloonMetrics& d = DesignedMetrics;
    return {scaled(d.cornerRadius), scaled(d.calloutLength), scaled(d.calloutWidth), scaled(d.tipInset),
            scaled(d.padding),      scaled(d.iconTextGap),   scaled(d.maxTextWidth)};
}

BalloonLayout layOutBalloon(const BalloonMetrics& metrics, int iconSize, Size textSize)
{
    const BalloonMetrics& m = metrics;
    const int contentHeight = std::max(iconSize, textSize.height);
    const Rect icon {m.padding, m.padding + (contentHeight - iconSize) / 2, iconSize, iconSize};
    const Rect text {icon.right() + m.iconTextGap, m.padding + (contentHeight - textSize.height) / 2, textSize.width,
                     textSize.height};
    // The callout's base must lie on the straight part of the edge, clear of the rounded corners.
    const int width = std::max(text.right() + m.padding, m.tipInset + m.calloutWidth + m.cornerRadius + 1);
    return {icon, text, {width, contentHeight + 2 * m.padding + m.calloutLength}};
}

int balloonBodyTop(const BalloonMetrics& metrics, Edge calloutEdge)
{
    return calloutEdge == Edge::Top ? metrics.calloutLength : 0;
}

BalloonOutline balloonOutline(Size size, const BalloonMetrics& metrics)
{
    const int top = metrics.calloutLength;
    return {.body = {0, top, size.width - 1, size.height - 1 - top},
            .cornerRadius = metrics.cornerRadius,
            .calloutStart = {metrics.tipInset, top},
            .tip = {metrics.tipInset, 0},
            .calloutEnd = {metrics.tipInset + metrics.calloutWidth, top}};
}
