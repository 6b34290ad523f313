#include "components/visual/TZTEdit.h"

#include <algorithm>

#include "dataflow/EventDispatch.h"
#include "toolkit/NumberText.h"

namespace components {

using namespace dataflow;

void TZTEdit::init() {
    std::uint32_t options = 0;
    if (password) options |= toolkit::eoPassword;
    if (readOnly) options |= toolkit::eoReadonly;
    control = TControl::newEditbox(parentControl(), options);
    // Any code above 2 counts as left.
    static constexpr DWORD alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    const DWORD alignment = alignments[textAlign <= 2 ? textAlign : 0];
    control->setStyle((control->style() & ~DWORD{ES_RIGHT | ES_CENTER}) | alignment);
    TZTWin::init();
    control->perform(EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
    control->onChange = [this](TControl&) { textChanged(); };
    control->setControlText(text);
    lastGoodText_ = text;
}

std::int32_t TZTEdit::caret() const {
    DWORD start = 0;
    control->perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<std::int32_t>(start);
}

void TZTEdit::setCaret(std::int32_t position) { control->perform(EM_SETSEL, position, position); }

void TZTEdit::setControlTextQuietly(std::string_view newText) {
    changeArmed_ = false;
    control->setControlText(newText);
}

bool TZTEdit::textReader(TData& data) {
    setString(data, control->getControlText());
    return true;
}

bool TZTEdit::numericReader(TData& data) {
    const std::string typed = control->getControlText();
    const std::string t = withDecimalPoints(typed);
    const std::int32_t c = caret();
    const std::string lower = toolkit::lowerCase(t);
    if (isNumberText(lower, data)) {
        showDecimalPoints(typed, t, c);
        lastGoodCaret_ = c;
        lastGoodText_ = t;
        return true;
    }
    std::string completed = lower;
    completed.push_back('0');
    TData probe;
    if (isNumberText(completed, probe)) {  // an unfinished number waits
        if (t.empty()) {
            // An emptied field becomes 0, unreported and selected, so that the next
            // character typed replaces it instead of standing in front of it.
            setControlTextQuietly("0");
            control->perform(EM_SETSEL, 0, 1);
            lastGoodText_.assign(1, '0');
        } else {
            showDecimalPoints(typed, t, c);
        }
        return false;
    }
    // Text that can never become a number: the last good text comes back.
    setControlTextQuietly(lastGoodText_);
    setCaret(lastGoodCaret_);
    return false;
}

// The field's users write decimals with a comma: it is read as the point, so a text
// with a second separator is refused like one with a second point.
std::string TZTEdit::withDecimalPoints(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

// A comma the reader took for the point is shown as the point, the caret kept.
void TZTEdit::showDecimalPoints(const std::string& typed, const std::string& read, std::int32_t caretAt) {
    if (typed == read) return;
    setControlTextQuietly(read);
    setCaret(caretAt);
}

void TZTEdit::textChanged() {
    if (changeArmed_) {
        TData v;
        if ((this->*valueReader)(v)) fireEvent(onChange, v);
    }
    changeArmed_ = true;
}

void TZTEdit::fireKeyDown(std::uint32_t& key) {
    if (onEnterKey.isLinked() && key == VK_RETURN) {
        TData v;
        if ((this->*valueReader)(v)) {
            fireEvent(onEnterKey, v);
            if (clearOnEnter) setControlTextQuietly("");
        }
        key = 0;  // consumed: neither onKeyDown nor the character fires
        return;
    }
    TZTWin::fireKeyDown(key);
}

void TZTEdit::doText(TData& data, std::uint16_t) {
    const std::int32_t position = caret();
    control->setControlText(readString(data, textSource, ""));
    setCaret(position);
}

void TZTEdit::value(TData& data, std::uint16_t) {
    if (!(this->*valueReader)(data)) setNull(data);
}

}  // namespace components
