#include "components/logic/TZTTextTable.h"

#include <string>

#include "dataflow/EventDispatch.h"

namespace components {

using namespace dataflow;

void TZTTextTable::compose(TData& data, std::uint16_t) {
    std::string table;
    for (const auto& line : lines) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (i > 0) table += '\t';
            TData none;
            table += line[i].source.isLinked() ? readString(none, line[i].source, "") : line[i].text;
        }
        table += "\r\n";
    }
    TData text;
    setString(text, table);
    passOnData(data, onText, text);
}

}  // namespace components
