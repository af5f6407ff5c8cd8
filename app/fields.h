// How many fields a plain struct has, for the tripwires that hold a struct's comparison to
// every one of its fields: a field added and left out of the comparison fails the build.
#pragma once

#include <cstddef>

namespace fieldCounting {

// Stands in for any one field in a brace initialiser; never defined, only asked about.
struct AnyField {
    template <typename T> operator T() const;
};

template <typename T, typename... Fields> constexpr std::size_t count(long) {
    return sizeof...(Fields);
}

// One more stand-in than the braces took last time, for as long as they take it. A field
// that is itself an array would be filled element by element, so the structs counted hold
// std::array instead. The braces leave the later fields out on purpose.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
template <typename T, typename... Fields>
constexpr auto count(int) -> decltype(T{Fields()..., AnyField()}, std::size_t()) {
    return count<T, Fields..., AnyField>(0);
}
#pragma GCC diagnostic pop

} // namespace fieldCounting

// Called by the static_asserts beside OverlayFrame and FrameState: T's field count.
template <typename T> constexpr std::size_t fieldCount() {
    return fieldCounting::count<T>(0);
}
