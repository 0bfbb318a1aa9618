#pragma once

// The design's frame around a window's client area, in twips. A window's
// outer size is taken as its client area plus this allowance, whatever
// frame the platform draws (without a window manager there is none), so
// sizes in vln.ini and the layout rules come out the same everywhere.
namespace WindowFrame {

constexpr double Width = 120;        // the left and right borders
constexpr double Height = 420;       // the title bar and the top and bottom borders
constexpr double MenuBarHeight = 270;

} // namespace WindowFrame
