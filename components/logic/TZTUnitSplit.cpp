#include "components/logic/TZTUnitSplit.h"

#include "components/logic/NumberGrammar.h"
#include "dataflow/EventDispatch.h"

namespace components {

using namespace dataflow;

namespace {

std::string trimmed(const std::string& text) {
    static constexpr const char* blanks = " \t\r\n\xA0";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(blanks) + 1 - first);
}

}  // namespace

const TZTUnitSplit::TUnit* TZTUnitSplit::unitEnding(const std::string& text) const {
    const std::int32_t shown = current.isLinked() ? readInteger(current) : -1;
    const TUnit* best = nullptr;
    for (const TUnit& unit : units) {
        if (unit.text.empty() || unit.text.size() > text.size() ||
            text.compare(text.size() - unit.text.size(), unit.text.size(), unit.text) != 0)
            continue;
        const bool longer = !best || unit.text.size() > best->text.size();
        const bool theShownOne = best && unit.text == best->text && unit.item == shown;
        if (longer || theShownOne) best = &unit;
    }
    return best;
}

void TZTUnitSplit::split(TData& data, std::uint16_t) {
    const std::string text = trimmed(toString(data));
    const TUnit* unit = unitEnding(text);
    const std::string number = unit ? trimmed(text.substr(0, text.size() - unit->text.size())) : "";
    if (!unit || !isShownNumber(number)) {
        TData refused;
        setString(refused, text);
        passOnData(data, onRefused, refused);
        return;
    }
    fireEventInt(onUnit, unit->item);
    TData rest;
    setString(rest, number);
    passOnData(data, onNumber, rest);
}

}  // namespace components
