#include "ui/menu/MenuFont.h"

CFont CreateMenuFont()
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    CFont font;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font.CreateFontIndirect(metrics.lfMenuFont);
    return font;
}
