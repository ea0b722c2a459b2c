#pragma once

#include <cstdint>

namespace tillora {

// A cell's state flag word.
namespace CellState {
inline constexpr std::uint32_t Focused = 0x0001;
inline constexpr std::uint32_t Selected = 0x0002;
inline constexpr std::uint32_t DropHighlighted = 0x0004;
inline constexpr std::uint32_t ReadOnly = 0x0008;
inline constexpr std::uint32_t Fixed = 0x0010;
inline constexpr std::uint32_t FixedRow = 0x0020;
inline constexpr std::uint32_t FixedColumn = 0x0040;
inline constexpr std::uint32_t Modified = 0x0080;
} // namespace CellState

// Text-drawing flags of a cell's format, with the values Windows gives them, so that a format
// read from anywhere means the same on every platform.
namespace CellFormat {
inline constexpr std::uint32_t Left = 0x0000;
inline constexpr std::uint32_t Center = 0x0001;
inline constexpr std::uint32_t Right = 0x0002;
inline constexpr std::uint32_t VCenter = 0x0004;
inline constexpr std::uint32_t SingleLine = 0x0020;
inline constexpr std::uint32_t NoPrefix = 0x0800;
inline constexpr std::uint32_t EndEllipsis = 0x8000;
inline constexpr std::uint32_t HorizontalMask = Center | Right;
// "Take the default cell's format."
inline constexpr std::uint32_t Default = 0xFFFFFFFF;
// How every aligned column of the tables is drawn.
inline constexpr std::uint32_t Aligned = VCenter | SingleLine | NoPrefix | EndEllipsis;
} // namespace CellFormat

// A colour as 0x00BBGGRR.
using Colour = std::uint32_t;
inline constexpr Colour DefaultColour = 0xFF000000; // take the grid's
constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

enum class EditorAlignment { Left, Center, Right };

// How the in-place editor of a cell takes typed input.
struct EditorOptions {
    bool digitsOnly = false;
    EditorAlignment alignment = EditorAlignment::Left;
    int maxLength = 0; // 0: no limit
    // The comma key types the decimal point: a keypad that types a comma would otherwise give
    // amounts the cell refuses.
    bool commaIsPoint = false;
    bool operator==(const EditorOptions&) const = default;
};

// A logical font, as a front end turns it into its own font object.
struct CellFont {
    std::uint32_t height = 0; // pixels
    int weight = 400;
    bool italic = false;
    char faceName[32] = {};
};

} // namespace tillora
