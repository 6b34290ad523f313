// A single-line text box: the system's input (every change of the text is reported
// with the text's value) and an output (doText shows any value as text).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "components/visual/NumberGrammar.h"
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
    std::uint8_t textAlign = 0;  // 0 left, 1 right, 2 centred
    std::int32_t maxLength = 0;  // 0: the platform's largest limit
    bool clearOnEnter = false;
    TValueReader valueReader = &TZTEdit::textReader;

    // Links.
    TZT_Event textSource;
    TZT_Event onEnterKey;
    TZT_Event onChange;

    void init() override;
    void doText(TData& data, std::uint16_t index);  // input method
    void value(TData& data, std::uint16_t index);   // data point

    // The readers: the text as a string, or the text as a real number.
    bool textReader(TData& data);
    bool numericReader(TData& data);

    const std::string& lastGoodText() const { return lastGoodText_; }
    bool changeArmed() const { return changeArmed_; }

protected:
    void fireKeyDown(std::uint32_t& key) override;

private:
    void textChanged();
    void setControlTextQuietly(std::string_view newText);
    static std::string withDecimalPoints(std::string text);
    void showDecimalPoints(const std::string& typed, const std::string& read, std::int32_t caretAt);
    std::int32_t caret() const;
    void setCaret(std::int32_t position);

    std::string lastGoodText_;
    std::int32_t lastGoodCaret_ = 0;
    bool changeArmed_ = false;
};

}  // namespace components
