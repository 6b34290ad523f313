// A font, brush or pen described as plain data; the system object is made only when
// a handle is asked for, and discarded (with the owner told) when the data changes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string_view>

#include "toolkit/objects/TObj.h"

namespace toolkit {

class TGraphicTool : public TObj {
public:
    enum Kind : std::uint32_t { brush = 0, font = 1, pen = 2 };

    // Font style bits.
    static constexpr std::uint8_t fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

    static TGraphicTool* newBrush();
    static TGraphicTool* newFont();
    static TGraphicTool* newPen();
    ~TGraphicTool() override;

    // A new tool of the same kind with the same data.
    TGraphicTool* clone() const;
    // Takes over the data of another tool of the same kind.
    void assign(const TGraphicTool& source);

    HGDIOBJ getToolHandle();
    Kind kind() const { return kind_; }
    bool hasHandle() const { return toolHandle_ != nullptr; }

    std::uint32_t color() const { return data_.color; }
    COLORREF colorRGB() const { return colorRGB_; }
    void setColor(std::uint32_t color);

    // Fonts.
    void setFontHeight(LONG height);
    void setFontStyle(std::uint8_t style);
    std::uint8_t fontStyle() const;
    void setFontName(std::string_view name);  // at most 31 characters
    void setFontCharset(std::uint8_t charset);
    const LOGFONTA& logFont() const { return data_.font; }

    // Brushes.
    void setBrushStyle(std::uint8_t style);  // 0 solid, 1 clear, 2.. hatched (style - 2)
    std::uint8_t brushStyle() const { return data_.brush.style; }
    void setHatchColor(std::uint32_t color);  // the colour of a hatched brush's lines
    void setPatternBitmap(HBITMAP pattern);   // owned by the tool from now on; none: no pattern

    // Pens.
    void setPenStyle(std::uint8_t style);
    std::uint8_t penStyle() const { return data_.pen.style; }
    void setPenWidth(std::int32_t width);
    void setPenMode(std::uint8_t mode);  // raster operation - 1
    std::uint8_t penMode() const { return data_.pen.mode; }

    TGraphicTool* parentTool = nullptr;  // shares its handle when the data is equal
    std::function<void()> onToolChange;

    // The number of system objects tools have made and deleted (leak checks).
    static long handlesMade();
    static long handlesDeleted();

private:
    struct BrushData {
        HBITMAP pattern;
        std::uint8_t style;
        std::uint32_t hatchColor;
    };
    struct PenData {
        std::uint8_t style;
        std::int32_t width;
        std::uint8_t mode;
    };
    // Compared byte for byte: always zero-filled before use.
    struct ToolData {
        std::uint32_t color;
        union {
            LOGFONTA font;
            BrushData brush;
            PenData pen;
        };
    };

    explicit TGraphicTool(Kind kind);
    void toolChanged();
    void deleteHandle();
    void makeHandle();
    bool sameData(const TGraphicTool& other) const;

    Kind kind_;
    HGDIOBJ toolHandle_ = nullptr;
    COLORREF colorRGB_ = 0;
    ToolData data_;
};

}  // namespace toolkit
