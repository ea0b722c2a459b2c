#include "tables/TaxGroup.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tillora {
namespace {

// Cyrillic А, Б, В, а, б, в in Windows-1251.
constexpr char CyrA = '\xC0';
constexpr char CyrB = '\xC1';
constexpr char CyrV = '\xC2';
constexpr char CyrSmallA = '\xE0';
constexpr char CyrSmallB = '\xE1';
constexpr char CyrSmallV = '\xE2';

using Groups = std::vector<std::pair<char, char>>; // letter, group digit

const Groups FirstModels = {{CyrA, '0'}, {CyrSmallA, '0'}, {'1', '0'},
                            {CyrB, '1'}, {CyrSmallB, '1'}, {'2', '1'},
                            {CyrV, '2'}, {CyrSmallV, '2'}, {'3', '2'}};
const Groups MiddleModels = {{CyrA, '1'}, {CyrSmallA, '1'}, {'1', '1'},
                             {CyrB, '2'}, {CyrSmallB, '2'}, {'2', '2'},
                             {CyrV, '3'}, {CyrSmallV, '3'}, {'3', '3'}};
const Groups LatinModels = {{'0', '0'}, {'A', '1'}, {'a', '1'}, {'B', '2'}, {'b', '2'}, {'C', '3'},
                            {'c', '3'}, {'D', '4'}, {'d', '4'}, {'E', '0'}, {'e', '0'}};

const Groups& GroupsOf(int model) {
    if (model <= 1) {
        return FirstModels;
    }
    return model <= 5 ? MiddleModels : LatinModels;
}

bool InGroups(const Groups& groups, char letter) {
    for (const auto& [groupLetter, digit] : groups) {
        if (groupLetter == letter) {
            return true;
        }
    }
    return false;
}

TEST(TaxGroupTest, GroupDigitOfEveryLetterUnderEveryModel) {
    for (int model = 0; model <= 9; ++model) {
        for (const auto& [letter, digit] : GroupsOf(model)) {
            EXPECT_EQ(TaxGroupDigit(model, letter), digit)
                << "model " << model << " letter 0x" << std::hex
                << static_cast<int>(static_cast<unsigned char>(letter));
        }
    }
}

TEST(TaxGroupTest, EveryLetterOfTheModelIsATaxGroupLetter) {
    for (int model = 0; model <= 9; ++model) {
        for (const auto& [letter, digit] : GroupsOf(model)) {
            EXPECT_TRUE(IsTaxGroupLetter(model, letter))
                << "model " << model << " letter " << static_cast<int>(letter);
        }
    }
}

// Nothing outside the model's set counts: not the other alphabet, not a neighbouring letter.
TEST(TaxGroupTest, NoOtherByteIsATaxGroupLetter) {
    for (int model = 0; model <= 9; ++model) {
        const Groups& groups = GroupsOf(model);
        for (int b = 0; b <= 0xFF; ++b) {
            const char letter = static_cast<char>(b);
            EXPECT_EQ(IsTaxGroupLetter(model, letter), InGroups(groups, letter))
                << "model " << model << " byte " << b;
        }
    }
}

TEST(TaxGroupTest, ModelsWithoutLatinGroupsShareTheCyrillicSet) {
    for (char letter : {CyrA, CyrB, CyrV, CyrSmallA, CyrSmallB, CyrSmallV, '1', '2', '3'}) {
        EXPECT_TRUE(IsTaxGroupLetter(-1, letter)) << "no model chosen yet";
        for (int model = 6; model <= 9; ++model) {
            EXPECT_FALSE(IsTaxGroupLetter(model, letter)) << model;
        }
    }
    for (char letter : {'0', 'A', 'E', 'a', 'e'}) {
        for (int model = -1; model <= 5; ++model) {
            EXPECT_FALSE(IsTaxGroupLetter(model, letter)) << model;
        }
    }
}

TEST(TaxGroupTest, NulIsNoLetter) {
    for (int model = -1; model <= 9; ++model) {
        EXPECT_FALSE(IsTaxGroupLetter(model, '\0')) << model;
    }
}

} // namespace
} // namespace tillora
