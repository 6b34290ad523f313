// The four-scale chart of a sine's vibration: frequency across and RMS velocity up, both
// logarithmic, with lines of constant displacement (rising to the right, v = 2πf·d) and
// of constant acceleration (falling to the right, v = a / 2πf), the point of the value
// shown with a cross-hair to both axes, and the severity zones of a machine class as
// pale bands. It is drawn into an off-screen picture of the window's own pixels at its
// DPI (lines, texts and places scaled, nothing stretched), which every paint copies.
#pragma once

#include <cstdint>
#include <vector>

#include "components/visual/TZTWin.h"

namespace toolkit {
class TBitmap;
}

namespace components {

class TZTNomograph : public TZTWin {
public:
    using TZTWin::TZTWin;
    ~TZTNomograph() override;

    // The chart's range: frequency in Hz, RMS velocity in mm/s.
    static constexpr double lowestHertz = 1, highestHertz = 1e4;
    static constexpr double lowestVelocity = 0.01, highestVelocity = 1000;

    // Properties: the zones' boundaries of the RMS velocity in mm/s, row by row and rising
    // within a row (as TZTBands takes them), and a colour per zone (one more than the
    // boundaries of a row); none: no bands.
    std::vector<double> zoneBoundaries;
    std::int32_t boundariesPerRow = 1;
    std::vector<COLORREF> zoneColours;

    // Data inputs: the frequency of the point in Hz, read with each point; the row of zones
    // shown (unlinked or outside the rows: no bands), read at each drawing.
    TDataLink frequency, zoneRow;

    void init() override;

    // Input methods: the RMS velocity in mm/s that comes (read as a real), at the frequency
    // read, becomes the point; doClear leaves the chart without one; doCopy puts the chart
    // on the clipboard as a picture (Ctrl+C on the chart does too).
    void doPoint(TData& data, std::uint16_t index);
    void doClear(TData& data, std::uint16_t index);
    void doCopy(TData& data, std::uint16_t index);

    // Where the plot lies in a picture of the given size at a DPI: the outermost pixels of
    // its frame, inclusive.
    struct TPlotArea {
        int left, top, right, bottom;
    };
    static TPlotArea plotAreaFor(int width, int height, int dpi);
    // The pixel of a frequency and a velocity in a plot area (outside it for a value
    // outside the range), and back.
    static POINT toPixel(const TPlotArea& plot, double hertz, double mmPerSecond);
    static void fromPixel(const TPlotArea& plot, POINT pixel, double& hertz, double& mmPerSecond);

    bool hasPoint() const { return hasPoint_; }
    // Draws the whole chart into its picture; a paint then copies it.
    void redraw();

private:
    static bool messageHook(void* self, TControl& control, toolkit::TMsg& msg);
    void paintTo(HDC dc);
    void copyPicture();
    int scaled(double pixels96) const;
    void drawBands(HDC dc, const TPlotArea& plot);
    void drawGrid(HDC dc, const TPlotArea& plot);
    void drawDiagonals(HDC dc, const TPlotArea& plot);
    void drawScales(HDC dc, const TPlotArea& plot);
    void drawPoint(HDC dc, const TPlotArea& plot);

    toolkit::TBitmap* picture_ = nullptr;
    HFONT font_ = nullptr;
    int fontDpi_ = 0;
    bool hasPoint_ = false, focused_ = false;
    double pointHertz_ = 0, pointVelocity_ = 0;
};

}  // namespace components
