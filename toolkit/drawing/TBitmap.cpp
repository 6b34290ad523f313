#include "toolkit/drawing/TBitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

#include "toolkit/drawing/TCanvas.h"

namespace toolkit {

int TBitmap::bitsPerPixel(TPixelFormat format) {
    switch (format) {
        case pf1bit: return 1;
        case pf4bit: return 4;
        case pf8bit: return 8;
        case pf15bit:
        case pf16bit:
        case pfDevice: return 16;
        case pf24bit: return 24;
        case pf32bit: return 32;
    }
    return 16;
}

int TBitmap::rowSize(TPixelFormat format, int width) {
    return ((bitsPerPixel(format) * width + 31) / 8) & ~3;
}

namespace {

// Whether a picture of the size can be made: rows and the whole picture within the
// 32-bit sizes the system's bitmaps have.
bool makeable(int width, int height, TPixelFormat format) {
    if (width <= 0 || height <= 0) return false;
    const std::int64_t row = (std::int64_t{TBitmap::bitsPerPixel(format)} * width + 31) / 32 * 4;
    return row * height <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

TBitmap* TBitmap::newDIBBitmap(int width, int height, TPixelFormat format) {
    auto* bitmap = new TBitmap;
    bitmap->format_ = format == pfDevice ? pf16bit : format;
    if (!makeable(width, height, bitmap->format_)) return bitmap;  // a failure gives an empty bitmap
    bitmap->width_ = width;
    bitmap->height_ = height;
    if (!bitmap->empty()) {
        bitmap->fillInfo();
        bitmap->heldBits_.assign(static_cast<std::size_t>(bitmap->scanlineSize_) * height, 0);
        bitmap->bits_ = bitmap->heldBits_.data();
    }
    return bitmap;
}

void TBitmap::fillInfo() {
    std::memset(&info_, 0, sizeof info_);
    BITMAPINFOHEADER& h = info_.header;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width_;
    h.biHeight = height_;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(bitsPerPixel(format_));
    if (format_ == pf16bit) {
        h.biCompression = BI_BITFIELDS;
        const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
        std::memcpy(info_.colors, masks, sizeof masks);
    }
    // The formats with a colour table get a grey scale from black to white.
    if (h.biBitCount <= 8) {
        const int colours = 1 << h.biBitCount;
        for (int i = 0; i < colours; ++i) {
            const auto grey = static_cast<BYTE>(i * 255 / (colours - 1));
            info_.colors[i] = RGBQUAD{grey, grey, grey, 0};
        }
    }
    scanlineSize_ = rowSize(format_, width_);
}

TBitmap::~TBitmap() {
    clear();
    freeObject(canvas_);
}

HBITMAP TBitmap::handle() {
    if (!handle_ && bits_ && !heldBits_.empty()) {
        void* sectionBits = nullptr;
        handle_ = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info_), DIB_RGB_COLORS,
                                   &sectionBits, nullptr, 0);
        if (handle_ && sectionBits) {
            std::memcpy(sectionBits, heldBits_.data(), heldBits_.size());
            std::vector<std::uint8_t>().swap(heldBits_);
            bits_ = static_cast<std::uint8_t*>(sectionBits);
        }
    }
    return handle_;
}

std::uint8_t* TBitmap::scanLine(int y) {
    if (!bits_ || y < 0 || y >= height_) return nullptr;
    if (handle_) GdiFlush();  // drawing into the section must have reached the rows
    return bits_ + static_cast<std::size_t>(scanlineSize_) * (height_ - 1 - y);  // rows go bottom-up
}

// The canvas lives as long as the bitmap, with its tools: drawing the bitmap elsewhere or
// resizing it takes only the canvas's context, which the canvas asks for again (a
// memory context with the bitmap selected) when it next draws.
TCanvas* TBitmap::canvas() {
    if (empty() || !handle()) return nullptr;
    if (!canvas_) {
        canvas_ = new TCanvas;
        canvas_->getHandleProc = [this](bool&) { return attachContext(); };
    }
    canvas_->getDCHandle();
    return canvas_;
}

HDC TBitmap::attachContext() {
    if (empty() || !handle()) return nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    previousObject_ = SelectObject(dc, handle_);
    return dc;
}

void TBitmap::detachCanvas() {
    if (!canvas_) return;
    const HDC dc = canvas_->currentDC();
    if (dc && previousObject_) SelectObject(dc, previousObject_);
    previousObject_ = nullptr;
    canvas_->setDCHandle(nullptr);
}

void TBitmap::draw(HDC dc, int x, int y) {
    if (empty()) return;
    if (!handle_ && bits_) {
        if (StretchDIBits(dc, x, y, width_, height_, 0, 0, width_, height_, bits_,
                          reinterpret_cast<BITMAPINFO*>(&info_), DIB_RGB_COLORS, SRCCOPY) > 0)
            return;
    }
    if (!handle()) return;
    detachCanvas();
    BITMAP description{};
    GetObjectW(handle_, sizeof description, &description);
    const HDC memory = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(memory, handle_);
    BitBlt(dc, x, y, width_, description.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void TBitmap::setWidth(int width) {
    if (width == width_) return;
    const int oldWidth = width_;
    width_ = width;
    rebuild(oldWidth, height_);
}

void TBitmap::setHeight(int height) {
    if (height == height_) return;
    if (handleType_ != 1) {
        handleType_ = 1;
    }
    const int oldHeight = height_;
    height_ = height;
    rebuild(width_, oldHeight);
}

void TBitmap::setHandleType(std::uint8_t type) {
    if (type == handleType_) return;
    handleType_ = type;
    rebuild(width_, height_);
}

void TBitmap::rebuild(int oldWidth, int oldHeight) {
    detachCanvas();
    const HBITMAP oldHandle = handle();  // the old picture, as a drawable bitmap
    handle_ = nullptr;
    std::vector<std::uint8_t>().swap(heldBits_);
    bits_ = nullptr;
    if (!empty()) {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        if (handleType_ == 1) {
            handle_ = CreateCompatibleBitmap(screen, width_, height_);
        } else {
            fillInfo();
            void* sectionBits = nullptr;
            handle_ = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info_), DIB_RGB_COLORS,
                                       &sectionBits, nullptr, 0);
            bits_ = static_cast<std::uint8_t*>(sectionBits);
        }
        if (handle_) {
            // New areas take the background colour; the old picture keeps its place.
            const HGDIOBJ old = SelectObject(memory, handle_);
            const RECT all{0, 0, width_, height_};
            const HBRUSH fill = CreateSolidBrush(bkColor);
            FillRect(memory, &all, fill);
            DeleteObject(fill);
            if (oldHandle) {
                HDC source = CreateCompatibleDC(screen);
                const HGDIOBJ oldSource = SelectObject(source, oldHandle);
                BitBlt(memory, 0, 0, std::min(oldWidth, width_), std::min(oldHeight, height_), source, 0, 0,
                       SRCCOPY);
                SelectObject(source, oldSource);
                DeleteDC(source);
            }
            SelectObject(memory, old);
        }
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
    if (oldHandle) DeleteObject(oldHandle);
}

void TBitmap::clear() {
    detachCanvas();
    if (handle_) DeleteObject(handle_);
    handle_ = nullptr;
    std::vector<std::uint8_t>().swap(heldBits_);
    bits_ = nullptr;
    std::memset(&info_, 0, sizeof info_);
}

}  // namespace toolkit
