#pragma once

#include <cstddef>

namespace tillora::test {

// Where the fields of a report line are, counted from its start byte, as the register's models
// lay them out; the widths are the same in every model except the name's. Both sides of the
// report (the register's writer and the program's reader) are tested against these.
struct ArticleOffsets {
    std::size_t numberWidth, name, nameWidth, barcode, price, taxGroup, subgroup, paymentType,
        turnover, sales, stock; // stock 0: none
};

inline ArticleOffsets ArticleOffsetsOf(int model) {
    switch (model) {
    case 0:
        return {4, 12, 12, 25, 38, 58, 60, 64, 66, 78, 90};
    case 1:
        return {3, 12, 16, 29, 41, 51, 53, 55, 57, 69, 0};
    case 5:
        return {4, 13, 18, 32, 45, 55, 57, 59, 61, 73, 85};
    default:
        return {4, 13, 12, 26, 39, 49, 51, 53, 55, 67, 79};
    }
}

struct SubgroupOffsets {
    std::size_t name, nameWidth, price, taxGroup, turnover;
};

inline SubgroupOffsets SubgroupOffsetsOf(int model) {
    switch (model) {
    case 1:
        return {10, 16, 27, 37, 39};
    case 5:
        return {10, 18, 29, 41, 43};
    default:
        return {10, 12, 23, 35, 39};
    }
}

} // namespace tillora::test
