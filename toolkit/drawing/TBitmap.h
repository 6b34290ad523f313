// An off-screen picture: rows of pixels in one of the toolkit's formats, turned into a
// device-independent section (or a device-dependent bitmap) when drawing needs one.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "toolkit/objects/TObj.h"

namespace toolkit {

class TCanvas;

enum TPixelFormat : std::uint8_t {
    pfDevice = 0,  // replaced by the default format
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit
};

class TBitmap : public TObj {
public:
    // An empty size (0 in either direction) gives an empty bitmap.
    static TBitmap* newDIBBitmap(int width, int height, TPixelFormat format);
    ~TBitmap() override;

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }
    TPixelFormat pixelFormat() const { return format_; }
    int scanlineSize() const { return scanlineSize_; }
    static int bitsPerPixel(TPixelFormat format);
    static int rowSize(TPixelFormat format, int width);

    HBITMAP handle();   // made on demand
    TCanvas* canvas();  // a memory context with the bitmap selected, made on demand; none while empty
    // The pixel row y (0 at the top) while the picture is held as rows.
    std::uint8_t* scanLine(int y);

    void draw(HDC dc, int x, int y);
    void setWidth(int width);
    void setHeight(int height);
    void setHandleType(std::uint8_t type);  // 0 section, 1 device-dependent
    std::uint8_t handleType() const { return handleType_; }
    void clear();

    COLORREF bkColor = 0;  // fills areas that a resize adds

private:
    TBitmap() = default;
    void fillInfo();
    HDC attachContext();
    void detachCanvas();
    void rebuild(int oldWidth, int oldHeight);

    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = pf16bit;
    int scanlineSize_ = 0;
    std::uint8_t handleType_ = 0;
    HBITMAP handle_ = nullptr;
    TCanvas* canvas_ = nullptr;
    HGDIOBJ previousObject_ = nullptr;
    struct Info {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info_{};
    std::vector<std::uint8_t> heldBits_;  // the rows while there is no section
    std::uint8_t* bits_ = nullptr;        // the rows, held or inside the section
};

}  // namespace toolkit
