// A single-line text box: the system's input (every change of the text is reported
// with the text's value) and an output (doText shows any value as text).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "components/logic/NumberGrammar.h"
#include "components/visual/TZTWin.h"

namespace components {

class TZTEdit : public TZTWin {
public:
    using TValueReader = bool (TZTEdit::*)(TData& data);

    explicit TZTEdit(TControl* parentControl) : TZTWin(parentControl) {}

    // Properties.
    std::string text;
    bool password = false;
    bool readOnly = false;
    TTextAlign textAlign = taLeft;
    std::int32_t maxLength = 0;  // 0: the platform's largest limit
    bool clearOnEnter = false;
    TValueReader valueReader = &TZTEdit::textReader;
    // With the numeric reader: a decimal comma stays as typed (it is read as the point
    // either way); false shows it as the point.
    bool keepsComma = false;

    // Links.
    TDataLink textSource;
    TEventLink onEnterKey;
    TEventLink onChange;
    TEventLink onEmptied;  // (null) the numeric reader found the field emptied and showed its "0"
    // (null) the user's change left no value: an unfinished number ("-", ".", "1e") or an
    // emptied field (after onEmptied), however the change came (typed, deleted, pasted,
    // undone); the numeric reader only.
    TEventLink onNoValue;
    // (string) a paste the numeric reader refused, as pasted (without the blanks around
    // it); the field keeps its text and caret.
    TEventLink onPasteRefused;

    void init() override;
    void doText(TData& data, std::uint16_t index);  // input method
    // Input method: the text that comes, pasted as the user pastes: in place of the
    // selection, read and refused as a paste is.
    void doPaste(TData& data, std::uint16_t index);
    // Input method: the whole text selected, as Tab leaves it, so that typing replaces it.
    void doSelectAll(TData& data, std::uint16_t index);
    // Data point: the text, or with the numeric reader its number (a decimal comma read
    // as the point); null where the text is no number (empty or unfinished). A read
    // changes nothing: not the text, the caret, the undo or the events.
    void value(TData& data, std::uint16_t index);
    // Data point: the text as the field shows it.
    void shownText(TData& data, std::uint16_t index);
    using DataPoints = dataflow::TDataPoints<&TZTEdit::value, &TZTEdit::shownText>;

    // The readers of a change: the text as a string, or the text as a real number (the
    // numeric one enforces the number: it puts back a refused change and shows "0" for an
    // emptied field).
    bool textReader(TData& data);
    bool numericReader(TData& data);

    // The text the numeric reader last kept: a number, an unfinished one or its own "0".
    const std::string& lastGoodText() const { return lastGoodText_; }
    bool changeArmed() const { return changeArmed_; }

protected:
    void fireKeyDown(std::uint32_t& key) override;
    bool handleMessage(toolkit::TMsg& msg) override;

private:
    struct Selection {
        std::int32_t start = 0, end = 0;
    };
    // What the numeric reader made of a change.
    enum class TReading { number, unfinished, emptied, refused };

    void textChanged();
    void reportChange();
    TReading readChange(TData& data);
    bool readNumber(TData& data) const;
    void setControlTextQuietly(std::string_view newText);
    void keep(const std::string& kept);
    void showOwnText(std::string_view ownText, Selection selected);
    bool pasteFromClipboard();
    void paste(std::wstring text);
    static std::string withDecimalPoints(std::string text);
    Selection selection() const;
    void select(Selection selected);

    std::string lastGoodText_;
    std::string undoText_;       // the text the user's last kept edit started from
    Selection selectionBefore_;  // the selection as the last input began
    bool changingItself_ = false;
    bool pasting_ = false;
    bool pasteRefused_ = false;
    bool changeArmed_ = false;
};

}  // namespace components
