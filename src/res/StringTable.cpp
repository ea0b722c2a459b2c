#include "res/StringTable.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tillora {
namespace {

struct Entry {
    unsigned id;
    std::string_view text;
};

// Sorted by number.
constexpr Entry Strings[] = {
    {20019, "Моля задайте тип на касата в диалога за настройка!"},
    {20020, "Моля задайте номер на COM порт в диалога за настройката на касата!"},
    {20021, "Моля задайте валиден сериен номер в диалога за настройка на касата!"},
    {20023, "COM%d  не може да бъде отворен!"},
    {20024, "Пресрочено време за отговор от касата (timeout)!"},
    {20025, "Касата върна сигнал за отказ!"},
    {20026, "Получени са невалидни данни!"},
    {20027, "Грешка по чексума (CRC)!"},
    {20028, "Номера на касата не съвпада!"},
    {20029, "Данните не могат да бъдат изпратени!"},
};

const Entry* Find(unsigned id) {
    const auto* it = std::lower_bound(std::begin(Strings), std::end(Strings), id,
                                      [](const Entry& e, unsigned key) { return e.id < key; });
    return (it != std::end(Strings) && it->id == id) ? it : nullptr;
}

} // namespace

std::string_view LoadString(unsigned id) {
    const Entry* e = Find(id);
    return e ? e->text : std::string_view{};
}

bool HasString(unsigned id) { return Find(id) != nullptr; }

} // namespace tillora
