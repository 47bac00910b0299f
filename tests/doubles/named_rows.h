#pragma once

// Table rows that carry a `name`: gtest prints a row by its name instead of dumping its bytes,
// and `byName` names each instantiated test after its row. A test file brings PrintTo into the
// namespace of its rows with `using ssn::testing::PrintTo;`.

#include <concepts>
#include <ostream>
#include <string>

namespace ssn::testing {

template <typename Row>
requires requires(const Row& row) {
    { row.name } -> std::convertible_to<const char*>;
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

inline constexpr auto byName = [](const auto& info) { return std::string(info.param.name); };

} // namespace ssn::testing
