#include "components/visual/TZTMemo.h"

#include <cstring>

#include "dataflow/EventDispatch.h"

namespace components {

using namespace dataflow;

namespace {

// The memo's lines are split as the string list splits text (a line ends at CR, an LF
// right after it belongs to the ending, a final ending starts no further line), so
// that every operation sees the same lines as memoText.
struct Lines {
    explicit Lines(std::string_view text) : text(text) { list.setText(text, false); }
    std::int32_t count() const { return list.count(); }
    // Where line `index` starts; count() gives the end of the text.
    std::size_t start(std::int32_t index) const {
        std::size_t position = 0;
        for (std::int32_t i = 0; i < index && i < count(); ++i) {
            position += std::strlen(list.get(i));
            if (position < text.size() && text[position] == '\r') ++position;
            if (position < text.size() && text[position] == '\n' && text[position - 1] == '\r') ++position;
        }
        return position;
    }
    // The last line has no ending: something typed or added goes on in it.
    bool lastLineOpen() const {
        return count() > 0 && start(count() - 1) + std::strlen(list.get(count() - 1)) == text.size();
    }

    std::string_view text;
    toolkit::TStrList list;
};

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

void TZTWinList::collectItems(toolkit::TStrList& items) { items.setText(control->getControlText(), false); }

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
    std::uint32_t options =
        toolkit::eoMultiline | toolkit::eoNoHideSel | toolkit::eoNoHScroll | toolkit::eoNoVScroll;
    if (scrollBars & sbHorizontal) options &= ~toolkit::eoNoHScroll;
    if (scrollBars & sbVertical) options &= ~toolkit::eoNoVScroll;
    if (!editable) options |= toolkit::eoReadonly;
    control = TControl::newEditbox(parentControl(), options);
    control->onChange = [this](TControl&) { fireEventStr(onChange, control->getControlText()); };
    if (edgeStyle == 0) control->setStyle(control->style() & ~DWORD{WS_BORDER});
    TZTWin::init();
    control->setControlText(initialText);
}

void TZTMemo::append(std::string_view s) {
    const std::string text = control->getControlText();
    control->setControlText(text + std::string(s));
}

std::int32_t TZTMemo::addItem(std::string_view s) {
    if (Lines(control->getControlText()).lastLineOpen()) append("\r\n");
    append(s);
    return Lines(control->getControlText()).count() - 1;
}

void TZTMemo::selectItem(std::int32_t index) {
    const std::string text = control->getControlText();
    const Lines lines(text);
    if (index < 0 || index >= lines.count()) return;
    control->perform(EM_SETSEL, lines.start(index), lines.start(index + 1));
}

void TZTMemo::replaceItem(const TData& indexData, const TData& value) {
    std::string text = control->getControlText();
    const Lines lines(text);
    const std::int32_t index = toIndex(indexData);
    if (index < 0 || index >= lines.count()) return;
    std::string line = toString(value);
    if (index + 1 < lines.count()) line += "\r\n";
    const std::size_t start = lines.start(index);
    text.replace(start, lines.start(index + 1) - start, line);
    setAllText(text);
}

}  // namespace components
