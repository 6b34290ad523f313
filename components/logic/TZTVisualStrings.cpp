#include "components/logic/TZTVisualStrings.h"

namespace components {

using namespace dataflow;

std::unique_ptr<TZTVisualStrings> TZTVisualStrings::constant(std::string text, TEventLink onText) {
    auto strings = std::make_unique<TZTVisualStrings>();
    strings->strings = std::move(text);
    strings->onText = onText;
    return strings;
}

void TZTVisualStrings::text(TData& data, std::uint16_t) { setString(data, strings); }

namespace {

std::string signedText(const TData& value) {
    const std::string text = toString(value);
    const bool number = value.dataType == dataInt || value.dataType == dataReal;
    return number && toReal(value) > 0 ? "+" + text : text;
}

}  // namespace

void TZTVisualStrings::compose(TData& data, std::uint16_t) {
    std::string composed;
    for (std::size_t i = 0; i < strings.size();) {
        if (strings.compare(i, 2, "%1") == 0) {
            composed += toString(data);
            i += 2;
        } else if (strings.compare(i, 3, "%+1") == 0) {
            composed += signedText(data);
            i += 3;
        } else {
            composed += strings[i++];
        }
    }
    TData text;
    setString(text, composed);
    passOnData(data, onText, text);
}

}  // namespace components
