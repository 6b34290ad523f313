#include "components/visual/TZTMemo.h"

#include <vector>

#include "dataflow/EventDispatch.h"

namespace components {

using namespace dataflow;

namespace {

// The lines of an edit box's text, each without its "\r\n".
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return lines;
}

}  // namespace

// ---------------------------------------------------------------- TZTWinList

void TZTWinList::doAdd(TData& data, std::uint16_t) {
    const std::string s = readString(data, textSource, "");
    std::int32_t index = -1;
    if (!addAtTop) {
        index = addItem(s);
    } else if ((index = insertFirst(s)) < 0) {
        // The edit box cannot insert an item: the text is put in front instead.
        setAllText(s + "\r\n" + control->getControlText());
    }
    if (selectAdded) selectItem(index);
    TData item;
    readValue(data, itemValue, nullptr, item);
    (void)toInteger(item);  // item data: the edit box keeps none
    passOnNull(data, onChange);
}

void TZTWinList::doClear(TData& data, std::uint16_t) {
    beginRefill();
    endRefill();
    passOnNull(data, onChange);
}

void TZTWinList::memoText(TData& data, std::uint16_t) {
    toolkit::TStrList* workList = new toolkit::TStrList;
    collectItems(*workList);
    std::string text;
    for (std::int32_t i = 0; i < workList->count(); ++i) text.append(workList->get(i)).append("\r\n");
    if (workList->count() > 0 && workList->get(workList->count() - 1)[0] != '\0')
        text.resize(text.size() - 2);  // a last item that is empty keeps its "\r\n"
    setString(data, text);
    workList->free();
}

void TZTWinList::collectItems(toolkit::TStrList& items) {
    for (const std::string& line : linesOf(control->getControlText())) items.add(line);
}

void TZTWinList::beginRefill() {
    if (control->handle()) control->perform(WM_SETREDRAW, FALSE, 0);
    control->setControlText("");
}

void TZTWinList::endRefill() {
    if (!control->handle()) return;
    control->perform(WM_SETREDRAW, TRUE, 0);
    control->invalidate();
}

std::int32_t TZTWinList::insertFirst(std::string_view) { return -1; }

// ---------------------------------------------------------------- TZTEWinList

void TZTEWinList::setAllText(std::string_view text) {
    beginRefill();
    control->setControlText(text);
    endRefill();
}

// ---------------------------------------------------------------- TZTMemo

void TZTMemo::init() {
    std::uint32_t options = toolkit::eoMultiline | toolkit::eoNoHideSel | toolkit::eoNoHScroll |
                            toolkit::eoNoVScroll;
    if (scrollBars & 1) options &= ~toolkit::eoNoHScroll;
    if (scrollBars & 2) options &= ~toolkit::eoNoVScroll;
    if (!editable) options |= toolkit::eoReadonly;
    control = TControl::newEditbox(parentControl(), options);
    control->onChange = [this](TControl&) { fireEventStr(onChange, control->getControlText()); };
    if (edgeStyle == 0) control->setStyle(control->style() & ~DWORD{WS_BORDER});
    TZTWin::init();
    control->setControlText(initialText);
}

void TZTMemo::collectItems(toolkit::TStrList& items) {
    items.setText(control->getControlText(), false);
}

void TZTMemo::append(std::string_view s) {
    const std::string text = control->getControlText();
    control->setControlText(text + std::string(s));
}

std::int32_t TZTMemo::addItem(std::string_view s) {
    const std::string text = control->getControlText();
    const std::vector<std::string> lines = linesOf(text);
    if (!text.empty() && !lines.back().empty()) append("\r\n");
    append(s);
    return static_cast<std::int32_t>(linesOf(control->getControlText()).size()) - 1;
}

void TZTMemo::selectItem(std::int32_t index) {
    const std::string text = control->getControlText();
    const std::vector<std::string> lines = linesOf(text);
    if (index < 0 || index >= static_cast<std::int32_t>(lines.size())) return;
    std::size_t start = 0;
    for (std::int32_t i = 0; i < index; ++i) start += lines[static_cast<std::size_t>(i)].size() + 2;
    const std::size_t end = std::min(text.size(), start + lines[static_cast<std::size_t>(index)].size() + 2);
    control->perform(EM_SETSEL, start, end);
}

void TZTMemo::replaceItem(const TData& indexData, const TData& value) {
    std::vector<std::string> lines = linesOf(control->getControlText());
    const std::int32_t index = toIndex(indexData);
    if (index < 0 || index >= static_cast<std::int32_t>(lines.size())) return;
    lines[static_cast<std::size_t>(index)] = toString(value);
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (i + 1 < lines.size()) text += "\r\n";
    }
    setAllText(text);
}

}  // namespace components
