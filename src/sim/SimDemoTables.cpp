#include "sim/SimTables.h"

#include "link/Cp1251.h"

#include <string_view>

namespace tillora::sim {
namespace {

// Texts are written in UTF-8 here for reading's sake and held as Windows-1251.
std::string Cp(std::u8string_view text) {
    return Utf8ToCp1251(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
}

struct DemoArticle {
    unsigned number;
    std::u8string_view name; // at most twelve characters: the narrowest name field
    const char* barcode;
    std::uint32_t price; // hundredths
    std::uint32_t stock; // thousandths
    int taxGroup;
    int subgroup;
    std::uint64_t turnover; // hundredths
    std::uint64_t sales;    // thousandths
};

constexpr DemoArticle Articles[] = {
    {1, u8"ХЛЯБ БЯЛ", "380000000001", 129, 40000, 1, 1, 19350, 150000},
    {2, u8"ХЛЯБ ТИПОВ", "380000000002", 99, 25000, 1, 1, 8910, 90000},
    {3, u8"МЛЯКО 3%", "380000000003", 239, 18000, 2, 2, 14340, 60000},
    {4, u8"КИСЕЛО МЛЯКО", "380000000004", 109, 32000, 2, 2, 13080, 120000},
    {5, u8"СИРЕНЕ КГ", "380000000005", 1290, 12500, 2, 2, 45924, 35600},
    {6, u8"КАШКАВАЛ КГ", "380000000006", 1890, 8250, 2, 2, 39312, 20800},
    {7, u8"ЯЙЦА 10 БР", "380000000007", 389, 30000, 2, 3, 17505, 45000},
    {8, u8"ЛУКАНКА", "380000000008", 599, 15000, 2, 4, 13777, 23000},
    {9, u8"ОЛИО 1Л", "380000000009", 349, 40000, 2, 5, 10470, 30000},
    {10, u8"ЗАХАР 1КГ", "380000000010", 219, 50000, 2, 5, 6570, 30000},
    {11, u8"БРАШНО 1КГ", "380000000011", 179, 45000, 2, 5, 3580, 20000},
    {12, u8"ДОМАТИ КГ", "380000000012", 459, 22750, 2, 6, 12485, 27200},
    {13, u8"БАНАНИ КГ", "380000000013", 279, 35500, 2, 6, 11662, 41800},
    {14, u8"МИН.ВОДА 1.5", "380000000014", 89, 120000, 1, 7, 8544, 96000},
};

constexpr std::u8string_view Subgroups[SubgroupCount] = {
    u8"РАЗНИ",   u8"ХЛЯБ",     u8"МЛЕЧНИ",  u8"ЯЙЦА",   u8"КОЛБАСИ",
    u8"ОСНОВНИ", u8"ЗЕЛЕНЧУК", u8"НАПИТКИ", u8"ЦИГАРИ", u8"ДРУГИ"};

constexpr std::u8string_view Operators[] = {u8"ИВАН", u8"МАРИЯ", u8"ГЕОРГИ"};

// At most twenty characters: the narrowest header line.
constexpr std::u8string_view HeaderLines[HeaderLineCount] = {
    u8"БАКАЛИЯ ПРИМЕР ЕООД", u8"УЛ. ВИТОША 12",  u8"СОФИЯ",
    u8"ЕИК 000000000",       u8"БЛАГОДАРИМ ВИ!", u8""};

} // namespace

SimTables DemoTables() {
    SimTables tables;
    for (const DemoArticle& demo : Articles) {
        SimArticle& article = tables.articles[demo.number];
        article.name = Cp(demo.name);
        article.barcode = demo.barcode;
        article.price = demo.price;
        article.stock = demo.stock;
        article.taxGroup = demo.taxGroup;
        article.subgroup = demo.subgroup;
        article.paymentType = 0;
        article.turnover = demo.turnover;
        article.sales = demo.sales;
    }
    for (unsigned i = 0; i < SubgroupCount; ++i) {
        tables.subgroups[i].name = Cp(Subgroups[i]);
        tables.subgroups[i].price = 0;
        tables.subgroups[i].taxGroup = i == 7 ? 1 : 2;
    }
    for (std::size_t i = 0; i < std::size(Operators); ++i) {
        tables.operators[i] = Cp(Operators[i]);
    }
    for (unsigned i = 0; i < HeaderLineCount; ++i) {
        tables.headerLines[i].text = Cp(HeaderLines[i]);
    }
    tables.headerLines[0].flag = true;
    return tables;
}

} // namespace tillora::sim
