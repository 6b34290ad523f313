// A stand-in input method for tests: it keeps every value fired at it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dataflow/TData.h"

namespace testsupport {

struct Sink {
    std::vector<dataflow::TData> values;
    void input(dataflow::TData& data, std::uint16_t) { values.push_back(data); }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const dataflow::TData& v : values) out.push_back(dataflow::toString(v));
        return out;
    }
};

}  // namespace testsupport
