// Values made in one expression, for tests.
#pragma once

#include <cstdint>
#include <string>

#include "dataflow/TData.h"

namespace testsupport {

inline dataflow::TData intValue(std::int32_t i) {
    dataflow::TData d;
    dataflow::setInteger(d, i);
    return d;
}

inline dataflow::TData realValue(double r) {
    dataflow::TData d;
    dataflow::setReal(d, r);
    return d;
}

inline dataflow::TData strValue(const std::string& s) {
    dataflow::TData d;
    dataflow::setString(d, s);
    return d;
}

}  // namespace testsupport
