#pragma once

#include <QColor>

// The colours of the hover feedback every window shares.
namespace common::colors {
inline const QColor Hover{255, 192, 128};
inline const QColor HoverText{255, 224, 192};
inline const QColor ButtonRest{224, 224, 224};
inline const QColor TextRest{255, 255, 255};
inline const QColor LineRest{192, 192, 192};
inline const QColor Band{64, 64, 64};
inline const QColor LinkRest{255, 255, 255};
// The editors' grids: a channel column's header, and what stands out (a chosen row or value).
inline const QColor ChannelHeader{255, 224, 192};
inline const QColor Highlight{255, 255, 192};
} // namespace common::colors
