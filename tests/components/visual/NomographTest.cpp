// The vibration chart: its mapping from frequency and velocity to pixels and back at
// each DPI, and its picture read back pixel by pixel: the point where the mapping puts
// it, on its edge with an arrow beyond the range, none without a value.
#include <cmath>

#include "components/visual/TZTNomograph.h"
#include "dataflow/EventDispatch.h"
#include "tests/support/Values.h"
#include "tests/support/WindowTest.h"
#include "toolkit/drawing/TBitmap.h"
#include "toolkit/drawing/TCanvas.h"

using namespace components;
using namespace dataflow;
using testsupport::WindowTest;

namespace {

constexpr COLORREF pointColour = 0x0000E0;

struct Hertz {
    double value = 50;
    void point(TData& data, std::uint16_t) { setReal(data, value); }
    using DataPoints = TDataPoints<&Hertz::point>;
};

class Nomograph : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        enableEvents();
        form = TControl::newForm(nullptr, "Form");
        form->getWindowHandle();
        chart = new TZTNomograph(form);
        chart->width = 340;
        chart->height = 400;
        chart->frequency = makeDataLink<&Hertz::point>(hertz);
        chart->init();
    }
    void TearDown() override {
        delete chart;
        freeObject(picture);
        form->free();
        disableEvents();
        WindowTest::TearDown();
    }
    void show(double velocity) {
        fireEvent(makeLink<&TZTNomograph::doPoint>(*chart), testsupport::realValue(velocity));
        capture();
    }
    void capture() {
        freeObject(picture);
        picture = toolkit::TBitmap::newDIBBitmap(chart->control->getWidth(), chart->control->getHeight(),
                                                 toolkit::pf32bit);
        SendMessageW(chart->control->handle(), WM_PRINTCLIENT,
                     reinterpret_cast<WPARAM>(picture->canvas()->getDCHandle()), PRF_CLIENT);
        GdiFlush();
    }
    COLORREF at(POINT p) { return GetPixel(picture->canvas()->getDCHandle(), p.x, p.y); }
    int pointPixels(RECT r) {
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) count += at({x, y}) == pointColour;
        return count;
    }
    TZTNomograph::TPlotArea plot() const {
        return TZTNomograph::plotAreaFor(chart->control->getWidth(), chart->control->getHeight(),
                                         chart->control->dpi());
    }

    TControl* form = nullptr;
    TZTNomograph* chart = nullptr;
    toolkit::TBitmap* picture = nullptr;
    Hertz hertz;
};

}  // namespace

TEST_F(Nomograph, TheMappingPutsTheRangeOnTheFrameAndGoesBackAtEveryDpi) {
    for (int dpi : {96, 120, 144, 192}) {
        const int width = MulDiv(340, dpi, 96), height = MulDiv(400, dpi, 96);
        const TZTNomograph::TPlotArea p = TZTNomograph::plotAreaFor(width, height, dpi);
        EXPECT_NEAR(p.left, 38.0 * dpi / 96, 1) << dpi;  // margins scale with the DPI
        EXPECT_NEAR(width - 1 - p.right, 16.0 * dpi / 96, 1) << dpi;
        const POINT low = TZTNomograph::toPixel(p, 1, 0.01), high = TZTNomograph::toPixel(p, 10000, 1000);
        EXPECT_EQ(low.x, p.left);
        EXPECT_EQ(low.y, p.bottom);
        EXPECT_EQ(high.x, p.right);
        EXPECT_EQ(high.y, p.top);
        // 50 Hz, 4,5 mm/s: lg 50 / 4 of the way across, (lg 4,5 + 2) / 5 of the way up.
        const POINT q = TZTNomograph::toPixel(p, 50, 4.5);
        EXPECT_NEAR(q.x, p.left + std::log10(50.0) / 4 * (p.right - p.left), 0.5);
        EXPECT_NEAR(q.y, p.bottom - (std::log10(4.5) + 2) / 5 * (p.bottom - p.top), 0.5);
        double f = 0, v = 0;
        TZTNomograph::fromPixel(p, q, f, v);
        // Back within the half pixel that the rounding took.
        EXPECT_NEAR(std::log10(f), std::log10(50.0), 0.5 * 4 / (p.right - p.left)) << dpi;
        EXPECT_NEAR(std::log10(v), std::log10(4.5), 0.5 * 5 / (p.bottom - p.top)) << dpi;
    }
}

TEST_F(Nomograph, ThePointIsWhereTheMappingPutsItAndNoneWithoutAValue) {
    capture();
    const RECT all{0, 0, chart->control->getWidth(), chart->control->getHeight()};
    EXPECT_EQ(pointPixels(all), 0);  // no point before a value
    show(4.5);
    const POINT q = TZTNomograph::toPixel(plot(), 50, 4.5);
    EXPECT_EQ(at(q), pointColour);
    // The cross-hair reaches both axes.
    EXPECT_EQ(at({plot().left + 2, q.y}), pointColour);
    EXPECT_EQ(at({q.x, plot().bottom - 2}), pointColour);
    fireEventNull(makeLink<&TZTNomograph::doClear>(*chart));
    capture();
    EXPECT_EQ(pointPixels(all), 0);  // the table emptied: no point
    hertz.value = 0;                 // no frequency: no point either
    show(4.5);
    EXPECT_EQ(pointPixels(all), 0);
}

TEST_F(Nomograph, APointBeyondTheRangeSitsOnItsEdgeWithAnArrowOut) {
    const TZTNomograph::TPlotArea p = plot();
    const struct {
        double hertz, velocity;
        POINT edge;
        RECT arrow;  // beyond the frame and the point's mark, where only the arrow can be
    } cases[] = {
        {50, 5000, TZTNomograph::toPixel(p, 50, 1000), {0, 0, chart->control->getWidth(), p.top - 6}},
        {50,
         0.001,
         TZTNomograph::toPixel(p, 50, 0.01),
         {0, p.bottom + 6, chart->control->getWidth(), p.bottom + 20}},
        {0.1, 1, TZTNomograph::toPixel(p, 1, 1), {0, 0, p.left - 6, chart->control->getHeight()}},
        {1e5, 1, TZTNomograph::toPixel(p, 1e4, 1), {p.right + 6, 0, chart->control->getWidth(), p.bottom}},
    };
    for (const auto& c : cases) {
        hertz.value = c.hertz;
        show(c.velocity);
        EXPECT_EQ(at(c.edge), pointColour) << c.hertz << " Hz, " << c.velocity << " mm/s";
        EXPECT_GT(pointPixels(c.arrow), 5) << c.hertz << " Hz, " << c.velocity << " mm/s";
    }
    hertz.value = 50;
    show(4.5);  // inside: no arrow anywhere beyond the frame
    EXPECT_EQ(pointPixels({0, 0, chart->control->getWidth(), p.top - 1}), 0);
    EXPECT_EQ(pointPixels({p.right + 1, 0, chart->control->getWidth(), chart->control->getHeight()}), 0);
}
