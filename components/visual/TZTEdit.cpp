#include "components/visual/TZTEdit.h"

#include <algorithm>

#include "dataflow/EventDispatch.h"
#include "toolkit/text/NumberText.h"
#include "toolkit/text/WideText.h"
#include "toolkit/window/Clipboard.h"

namespace components {

using namespace dataflow;

namespace {

// The messages with which an edit of the text can begin: keys, and the edit box's own
// commands (those of its context menu among them).
bool startsAnEdit(UINT message) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CHAR:
        case WM_IME_CHAR:
        case WM_CONTEXTMENU:
        case WM_CUT:
        case WM_PASTE:
        case WM_CLEAR:
        case WM_UNDO:
        case EM_UNDO:
        case EM_REPLACESEL: return true;
        default: return false;
    }
}

// A number as documents and spreadsheets write it becomes one the field reads: the minus
// sign as the hyphen, the narrow no-break space as the no-break space between digit
// groups, a superscript two as the digit (for the "2" of a unit).
wchar_t numericCharacter(wchar_t c) {
    switch (c) {
        case L'\u2212': return L'-';
        case L'\u202F': return L'\u00A0';
        case L'\u00B2': return L'2';
        default: return c;
    }
}

}  // namespace

void TZTEdit::init() {
    std::uint32_t options = 0;
    if (password) options |= toolkit::eoPassword;
    if (readOnly) options |= toolkit::eoReadonly;
    control = TControl::newEditbox(parentControl(), options);
    // Any code above 2 counts as left.
    static constexpr DWORD alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    const DWORD alignment = alignments[textAlign <= taCenter ? textAlign : taLeft];
    control->setStyle((control->style() & ~DWORD{ES_RIGHT | ES_CENTER}) | alignment);
    TZTWin::init();
    control->perform(EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
    control->onChange = [this](TControl&) { textChanged(); };
    control->setControlText(text);
    lastGoodText_ = text;
    undoText_ = text;
}

TZTEdit::Selection TZTEdit::selection() const {
    DWORD start = 0, end = 0;
    control->perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<std::int32_t>(start), static_cast<std::int32_t>(end)};
}

void TZTEdit::select(Selection selected) { control->perform(EM_SETSEL, selected.start, selected.end); }

void TZTEdit::setControlTextQuietly(std::string_view newText) {
    changeArmed_ = false;
    control->setControlText(newText);
}

// The field changes its own text; the notifications that come meanwhile are not the
// user's. The change replaces, undoably, the text that the user's last kept edit
// started from, so that Ctrl+Z still takes that edit back.
void TZTEdit::showOwnText(std::string_view ownText, Selection selected) {
    changingItself_ = true;
    control->setControlText(undoText_);
    control->perform(EM_SETSEL, 0, -1);
    control->perform(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(toolkit::toWide(ownText).c_str()));
    select(selected);
    changingItself_ = false;
}

bool TZTEdit::textReader(TData& data) {
    setString(data, control->getControlText());
    return true;
}

// A change the reader keeps: the text before it is what Ctrl+Z goes back to.
void TZTEdit::keep(const std::string& kept) {
    if (kept == lastGoodText_) return;
    undoText_ = lastGoodText_;
    lastGoodText_ = kept;
}

bool TZTEdit::numericReader(TData& data) { return readChange(data) == TReading::number; }

TZTEdit::TReading TZTEdit::readChange(TData& data) {
    const std::string typed = control->getControlText();
    const std::string t = keepsComma ? typed : withDecimalPoints(typed);
    const std::string lower = toolkit::lowerCase(withDecimalPoints(typed));
    const bool number = isNumberText(lower, data);
    // Unfinished: one digit or two more make a number ("-", "1e", "1 0" of "1 000").
    TData probe;
    if (!number && !isNumberText(lower + '0', probe) && !isNumberText(lower + "00", probe)) {
        // Text that can never become a number: the text and the selection from before
        // the change come back, so that typing goes on where the user was.
        showOwnText(lastGoodText_, selectionBefore_);
        if (pasting_) pasteRefused_ = true;
        return TReading::refused;
    }
    if (t.empty()) {
        // An emptied field becomes 0, unreported and selected, so that the next
        // character typed replaces it instead of standing in front of it.
        keep("0");
        showOwnText("0", {0, 1});
        return TReading::emptied;
    }
    keep(t);                                      // a number, or an unfinished one that waits
    if (typed != t) showOwnText(t, selection());  // a comma read as the point shows as one
    return number ? TReading::number : TReading::unfinished;
}

bool TZTEdit::readNumber(TData& data) const {
    return isNumberText(toolkit::lowerCase(withDecimalPoints(control->getControlText())), data);
}

// The field's users write decimals with a comma: it is read as the point, so a text
// with a second separator is refused like one with a second point.
std::string TZTEdit::withDecimalPoints(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

// The clipboard's text pasted as a number; false when there is none to paste, so that
// the edit box does what it always does.
bool TZTEdit::pasteFromClipboard() {
    const std::wstring pasted = toolkit::clipboardWideText(control->handle());
    if (pasted.empty()) return false;
    paste(pasted);
    return true;
}

// Blanks, tabs, line ends and no-break spaces around a pasted number go; blanks alone
// paste nothing. A paste the reader refuses is told with its text.
void TZTEdit::paste(std::wstring text) {
    static constexpr std::wstring_view around = L" \t\r\n\u00A0\u202F";
    for (wchar_t& c : text) c = numericCharacter(c);
    const std::size_t first = text.find_first_not_of(around);
    if (first == std::wstring::npos) return;
    const std::wstring trimmed = text.substr(first, text.find_last_not_of(around) + 1 - first);
    selectionBefore_ = selection();
    pasting_ = true;
    pasteRefused_ = false;
    control->perform(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(trimmed.c_str()));
    pasting_ = false;
    if (pasteRefused_) fireEventStr(onPasteRefused, toolkit::fromWide(trimmed));
}

bool TZTEdit::handleMessage(toolkit::TMsg& msg) {
    if (!changingItself_ && startsAnEdit(msg.message)) selectionBefore_ = selection();
    const bool numeric = valueReader == &TZTEdit::numericReader && !readOnly;
    if (numeric && msg.message == WM_PASTE && pasteFromClipboard()) {
        msg.result = 0;
        return true;
    }
    if (numeric && msg.message == WM_CHAR) msg.wParam = numericCharacter(static_cast<wchar_t>(msg.wParam));
    return TZTWin::handleMessage(msg);
}

void TZTEdit::textChanged() {
    if (changingItself_) return;
    if (changeArmed_) reportChange();
    changeArmed_ = true;
}

// A change read as a value is reported with it; with the numeric reader, one that left
// no value says so, and a refused one, put back, changed nothing.
void TZTEdit::reportChange() {
    TData v;
    if (valueReader != &TZTEdit::numericReader) {
        if ((this->*valueReader)(v)) fireEvent(onChange, v);
        return;
    }
    switch (readChange(v)) {
        case TReading::number: fireEvent(onChange, v); break;
        case TReading::emptied: fireEventNull(onEmptied); [[fallthrough]];
        case TReading::unfinished: fireEventNull(onNoValue); break;
        case TReading::refused: break;
    }
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
    const std::int32_t caret = selection().start;
    control->setControlText(readString(data, textSource, ""));
    select({caret, caret});
}

void TZTEdit::doPaste(TData& data, std::uint16_t) {
    const std::string text = readString(data, {}, "");
    if (valueReader == &TZTEdit::numericReader && !readOnly)
        paste(toolkit::toWide(text));
    else
        control->perform(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(toolkit::toWide(text).c_str()));
}

void TZTEdit::doSelectAll(TData&, std::uint16_t) { control->perform(EM_SETSEL, 0, -1); }

void TZTEdit::shownText(TData& data, std::uint16_t) { setString(data, control->getControlText()); }

void TZTEdit::value(TData& data, std::uint16_t) {
    const bool read = valueReader == &TZTEdit::numericReader ? readNumber(data) : (this->*valueReader)(data);
    if (!read) setNull(data);
}

}  // namespace components
