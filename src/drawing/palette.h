#pragma once

// The colours of the section drawing.

#include <QColor>

namespace clv::drawing::palette {

inline QColor StrataLine() { return QColor(0, 0, 0); }
inline QColor PondedWater() { return QColor(153, 255, 255); }
inline QColor Water() { return QColor(0, 0, 175); } // water line and markers, piezometric grid
inline QColor SoilText() { return QColor(0, 175, 0); } // soil names and point markers
inline QColor Load() { return QColor(128, 0, 0); }
inline QColor Reinforcement() { return QColor(160, 82, 45); }
inline QColor Trial() { return QColor(150, 150, 150); } // grid centres, trial wedges
inline QColor Critical() { return QColor(255, 50, 50); } // critical circle and wedge, defined slip line
inline QColor DefinedSurface() { return QColor(165, 40, 165); }
inline QColor Construction() { return QColor(51, 102, 255); } // radii and slices of the critical circle

/** Fill of soil k: five colours in turn. */
inline QColor SoilFill(int k)
{
    switch (k % 5) {
    case 0: return QColor(204, 204, 255);
    case 1: return QColor(255, 224, 168);
    case 2: return QColor(214, 255, 163);
    case 3: return QColor(255, 255, 122);
    default: return QColor(255, 204, 204);
    }
}

} // namespace clv::drawing::palette
