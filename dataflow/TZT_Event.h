// The link record of event links and data links alike.
#pragma once

#include <cstdint>

#include "dataflow/TData.h"

namespace dataflow {

// Every input method and data point: target, data value by reference, index.
using THandler = void (*)(void* target, TData& data, std::uint16_t index);

// A plain copyable value; without a handler the link is unlinked.
struct TZT_Event {
    THandler handler = nullptr;
    void* target = nullptr;
    std::uint16_t index = 0;

    bool isLinked() const { return handler != nullptr; }
};

inline TZT_Event makeLink(THandler handler, void* target, std::uint16_t index) {
    return TZT_Event{handler, target, index};
}

namespace detail {
template <class>
struct MethodOwner;
template <class C>
struct MethodOwner<void (C::*)(TData&, std::uint16_t)> {
    using type = C;
};
}  // namespace detail

// A link to a component's method: makeLink<&TZTHub::trigger>(hub, 0).
template <auto Method>
TZT_Event makeLink(typename detail::MethodOwner<decltype(Method)>::type& target, std::uint16_t index = 0) {
    using Owner = typename detail::MethodOwner<decltype(Method)>::type;
    THandler handler = [](void* object, TData& data, std::uint16_t i) {
        (static_cast<Owner*>(object)->*Method)(data, i);
    };
    return TZT_Event{handler, &target, index};
}

}  // namespace dataflow
