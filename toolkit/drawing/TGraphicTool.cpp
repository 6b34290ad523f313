#include "toolkit/drawing/TGraphicTool.h"

#include <cstring>
#include <utility>

#include "toolkit/drawing/Colors.h"
#include "toolkit/text/WideText.h"

namespace toolkit {

namespace {
long made = 0;
long deleted = 0;
}  // namespace

long TGraphicTool::handlesMade() { return made; }
long TGraphicTool::handlesDeleted() { return deleted; }

TGraphicTool::TGraphicTool(Kind kind) : kind_(kind) { std::memset(&data_, 0, sizeof data_); }

TGraphicTool* TGraphicTool::newBrush() {
    auto* tool = new TGraphicTool(brush);
    tool->data_.color = clButtonFace;
    return tool;
}

TGraphicTool* TGraphicTool::newFont() {
    auto* tool = new TGraphicTool(font);
    tool->data_.color = clWindowText;
    return tool;
}

TGraphicTool* TGraphicTool::newPen() {
    auto* tool = new TGraphicTool(pen);
    tool->data_.pen.mode = 12;  // copy pen
    return tool;
}

TGraphicTool* TGraphicTool::clone() const {
    auto* tool = new TGraphicTool(kind_);
    std::memcpy(&tool->data_, &data_, sizeof data_);
    tool->data_.brush.pattern = kind_ == brush ? nullptr : tool->data_.brush.pattern;
    return tool;
}

void TGraphicTool::assign(const TGraphicTool& source) {
    if (source.kind_ != kind_ || sameData(source)) return;
    const HBITMAP pattern = kind_ == brush ? data_.brush.pattern : nullptr;
    std::memcpy(&data_, &source.data_, sizeof data_);
    if (kind_ == brush) data_.brush.pattern = pattern;  // the pattern stays owned by its tool
    colorRGB_ = resolveColor(data_.color);
    toolChanged();
}

TGraphicTool::~TGraphicTool() {
    if (kind_ == brush && data_.brush.pattern) DeleteObject(data_.brush.pattern);
    deleteHandle();
}

bool TGraphicTool::sameData(const TGraphicTool& other) const {
    return kind_ == other.kind_ && std::memcmp(&data_, &other.data_, sizeof data_) == 0;
}

void TGraphicTool::deleteHandle() {
    if (!toolHandle_) return;
    DeleteObject(toolHandle_);
    ++deleted;
    toolHandle_ = nullptr;
}

void TGraphicTool::toolChanged() {
    if (toolHandle_) {
        // Tell the owner first, so that a canvas deselects the handle before it goes.
        const HGDIOBJ old = std::exchange(toolHandle_, nullptr);
        if (onToolChange) onToolChange();
        DeleteObject(old);
        ++deleted;
    }
    if (onToolChange) onToolChange();
}

HGDIOBJ TGraphicTool::getToolHandle() {
    if (toolHandle_ && resolveColor(data_.color) != colorRGB_) deleteHandle();  // a system colour changed
    if (parentTool && sameData(*parentTool)) {
        colorRGB_ = resolveColor(data_.color);  // the colour of the handle it shares
        return parentTool->getToolHandle();
    }
    if (!toolHandle_) {
        colorRGB_ = resolveColor(data_.color);
        makeHandle();
    }
    return toolHandle_;
}

void TGraphicTool::makeHandle() {
    switch (kind_) {
        case brush: {
            LOGBRUSH description{BS_SOLID, colorRGB_, 0};
            if (data_.brush.pattern) {
                description.lbStyle = BS_PATTERN;
                description.lbHatch = reinterpret_cast<ULONG_PTR>(data_.brush.pattern);
            } else if (data_.brush.style == 1) {
                description.lbStyle = BS_HOLLOW;
            } else if (data_.brush.style >= 2) {
                description.lbStyle = BS_HATCHED;
                description.lbHatch = data_.brush.style - 2u;
                description.lbColor = resolveColor(data_.brush.hatchColor);
            }
            toolHandle_ = CreateBrushIndirect(&description);
            break;
        }
        case font: {
            LOGFONTW description;
            std::memcpy(&description, &data_.font, offsetof(LOGFONTA, lfFaceName));
            const std::wstring face = toWide(data_.font.lfFaceName);
            std::memset(description.lfFaceName, 0, sizeof description.lfFaceName);
            face.copy(description.lfFaceName, LF_FACESIZE - 1);
            toolHandle_ = CreateFontIndirectW(&description);
            break;
        }
        case pen: {
            const LOGPEN description{data_.pen.style, POINT{data_.pen.width, 0}, colorRGB_};
            toolHandle_ = CreatePenIndirect(&description);
            break;
        }
    }
    if (toolHandle_) ++made;
}

void TGraphicTool::setColor(std::uint32_t color) {
    if (color == data_.color) return;
    data_.color = color;
    colorRGB_ = resolveColor(color);
    toolChanged();
}

void TGraphicTool::setFontHeight(LONG height) {
    if (height == data_.font.lfHeight) return;
    data_.font.lfHeight = height;
    toolChanged();
}

std::uint8_t TGraphicTool::fontStyle() const {
    const LOGFONTA& f = data_.font;
    return static_cast<std::uint8_t>((f.lfWeight >= 700 ? fsBold : 0) | (f.lfItalic ? fsItalic : 0) |
                                     (f.lfUnderline ? fsUnderline : 0) | (f.lfStrikeOut ? fsStrikeOut : 0));
}

void TGraphicTool::setFontStyle(std::uint8_t style) {
    if (style == fontStyle()) return;
    LOGFONTA& f = data_.font;
    if (style & fsBold) {
        if (f.lfWeight < 700) f.lfWeight = 700;
    } else if (f.lfWeight >= 700) {
        f.lfWeight = 0;
    }
    f.lfItalic = (style & fsItalic) ? 1 : 0;
    f.lfUnderline = (style & fsUnderline) ? 1 : 0;
    f.lfStrikeOut = (style & fsStrikeOut) ? 1 : 0;
    toolChanged();
}

void TGraphicTool::setFontName(std::string_view name) {
    char face[LF_FACESIZE] = {};
    name.substr(0, LF_FACESIZE - 1).copy(face, LF_FACESIZE - 1);
    if (std::memcmp(face, data_.font.lfFaceName, LF_FACESIZE) == 0) return;
    std::memcpy(data_.font.lfFaceName, face, LF_FACESIZE);
    toolChanged();
}

void TGraphicTool::setFontCharset(std::uint8_t charset) {
    if (charset == data_.font.lfCharSet) return;
    data_.font.lfCharSet = charset;
    toolChanged();
}

void TGraphicTool::setBrushStyle(std::uint8_t style) {
    if (style == data_.brush.style) return;
    data_.brush.style = style;
    toolChanged();
}

void TGraphicTool::setHatchColor(std::uint32_t color) {
    if (color == data_.brush.hatchColor) return;
    data_.brush.hatchColor = color;
    toolChanged();
}

void TGraphicTool::setPatternBitmap(HBITMAP pattern) {
    if (pattern == data_.brush.pattern) return;
    if (data_.brush.pattern) DeleteObject(data_.brush.pattern);
    data_.brush.pattern = pattern;
    toolChanged();
}

void TGraphicTool::setPenStyle(std::uint8_t style) {
    if (style == data_.pen.style) return;
    data_.pen.style = style;
    toolChanged();
}

void TGraphicTool::setPenWidth(std::int32_t width) {
    if (width == data_.pen.width) return;
    data_.pen.width = width;
    toolChanged();
}

void TGraphicTool::setPenMode(std::uint8_t mode) {
    if (mode == data_.pen.mode) return;
    data_.pen.mode = mode;
    toolChanged();
}

}  // namespace toolkit
