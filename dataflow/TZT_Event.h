// The link record of event links and data links alike, and the two kinds of link made
// of it: an event link calls an input method, a data link asks a data point for a
// value. A component's fields take only their kind, and the makers take only the
// matching kind of target, so the two cannot be mixed up.
#pragma once

#include <cstdint>
#include <type_traits>

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

// An event: fired by its owner, it calls an input method.
struct TEventLink : TZT_Event {};
// A data input: read by its owner, it asks a data point for a value.
struct TDataLink : TZT_Event {};

inline TEventLink makeLink(THandler handler, void* target, std::uint16_t index) {
    return TEventLink{{handler, target, index}};
}
inline TDataLink makeDataLink(THandler handler, void* target, std::uint16_t index) {
    return TDataLink{{handler, target, index}};
}

// A component names its data points in its class: using DataPoints = TDataPoints<&C::value>.
// Data links are made to them, event links to its other methods.
template <auto... Points>
struct TDataPoints {
    template <auto>
    struct Tag {};
    // By the identity of template arguments: methods declared but not defined here
    // cannot be compared as values in a constant expression.
    template <auto Method>
    static constexpr bool holds = (std::is_same_v<Tag<Method>, Tag<Points>> || ...);
};

namespace detail {
template <class>
struct MethodOwner;
template <class C>
struct MethodOwner<void (C::*)(TData&, std::uint16_t)> {
    using type = C;
};
template <auto Method>
using OwnerOf = typename MethodOwner<decltype(Method)>::type;

template <auto Method>
constexpr bool isDataPoint() {
    if constexpr (requires { typename OwnerOf<Method>::DataPoints; })
        return OwnerOf<Method>::DataPoints::template holds<Method>;
    else
        return false;
}

template <auto Method>
constexpr THandler handlerOf() {
    return [](void* object, TData& data, std::uint16_t i) {
        (static_cast<OwnerOf<Method>*>(object)->*Method)(data, i);
    };
}
}  // namespace detail

// An event link to a component's input method: makeLink<&TZTHub::trigger>(hub, 0).
template <auto Method>
TEventLink makeLink(detail::OwnerOf<Method>& target, std::uint16_t index = 0) {
    static_assert(!detail::isDataPoint<Method>(),
                  "an event link is made to an input method, not to a data point");
    return makeLink(detail::handlerOf<Method>(), &target, index);
}

// A data link to a component's data point: makeDataLink<&TZTEdit::value>(levelEdit).
template <auto Method>
TDataLink makeDataLink(detail::OwnerOf<Method>& target, std::uint16_t index = 0) {
    static_assert(detail::isDataPoint<Method>(),
                  "a data link is made to a data point, not to an input method");
    return makeDataLink(detail::handlerOf<Method>(), &target, index);
}

}  // namespace dataflow
