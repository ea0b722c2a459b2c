#include "sim/SimTables.h"

#include "link/Charset.h"

#include <algorithm>

namespace tillora::sim {
namespace {

constexpr char NoValueByte = 0x22;
constexpr std::size_t BarcodeWidth = 12;
constexpr std::size_t AmountWidth = 9;
constexpr std::uint32_t HighestPrice = 99999999; // 999999.99 in hundredths: what a report shows

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view field) {
    return std::all_of(field.begin(), field.end(), IsDigit);
}

bool IsNoValue(std::string_view field) {
    return std::all_of(field.begin(), field.end(), [](char c) { return c == NoValueByte; });
}

std::uint64_t DigitsValue(std::string_view digits) {
    std::uint64_t value = 0;
    for (char c : digits) {
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

bool LatinGroups(int model) {
    return model >= 6 && model <= 9;
}

// A field of the record's payload after the other, in the layout's order. The first field that
// does not decode spoils the whole record.
class CPayloadReader {
public:
    explicit CPayloadReader(std::string_view payload) : m_payload(payload) {}

    bool Good() const { return m_good; }
    // Every byte used, none missing: the payload had the layout's length.
    bool Complete() const { return m_good && m_at == m_payload.size(); }

    // A decimal number of exactly this many digits within the range; no no-value form.
    unsigned Number(std::size_t width, unsigned lowest, unsigned highest) {
        const std::string_view field = Take(width);
        if (!m_good || !AllDigits(field) || DigitsValue(field) < lowest ||
            DigitsValue(field) > highest) {
            m_good = false;
            return 0;
        }
        return static_cast<unsigned>(DigitsValue(field));
    }

    // A text in the register's character set, back in Windows-1251 without its padding.
    std::optional<std::string> Text(std::size_t width) {
        const std::string_view field = Take(width);
        if (!m_good || IsNoValue(field)) {
            return std::nullopt;
        }
        std::string text(field);
        ConvertText(text, Direction::FromRegister);
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    }

    std::optional<std::string> Digits(std::size_t width) {
        const std::string_view field = Take(width);
        if (!m_good || IsNoValue(field)) {
            return std::nullopt;
        }
        if (!AllDigits(field)) {
            m_good = false;
            return std::nullopt;
        }
        return std::string(field);
    }

    std::optional<int> Digit() {
        const std::optional<std::string> digit = Digits(1);
        return digit ? std::optional<int>((*digit)[0] - '0') : std::nullopt;
    }

    // Eight digits and the number of decimals they hold; kept in hundredths.
    std::optional<std::uint32_t> Price() {
        const std::optional<std::string> field = Digits(AmountWidth);
        if (!field) {
            return std::nullopt;
        }
        const int decimals = field->back() - '0';
        if (decimals > 2) {
            m_good = false;
            return std::nullopt;
        }
        std::uint64_t value = DigitsValue(std::string_view(*field).substr(0, AmountWidth - 1));
        for (int d = decimals; d < 2; ++d) {
            value *= 10;
        }
        if (value > HighestPrice) {
            m_good = false;
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(value);
    }

    // Nine digits, in thousandths.
    std::optional<std::uint32_t> Quantity() {
        const std::optional<std::string> field = Digits(AmountWidth);
        return field ? std::optional<std::uint32_t>(static_cast<std::uint32_t>(DigitsValue(*field)))
                     : std::nullopt;
    }

    void Constant(char expected, std::size_t count = 1) {
        const std::string_view field = Take(count);
        if (m_good &&
            std::any_of(field.begin(), field.end(), [expected](char c) { return c != expected; })) {
            m_good = false;
        }
    }

private:
    std::string_view Take(std::size_t width) {
        if (!m_good || m_payload.size() - m_at < width) {
            m_good = false;
            return {};
        }
        const std::string_view field = m_payload.substr(m_at, width);
        m_at += width;
        return field;
    }

    std::string_view m_payload;
    std::size_t m_at = 0;
    bool m_good = true;
};

// What one article record says; absent fields leave the article's values alone.
struct ArticleUpdate {
    unsigned number = 0;
    std::optional<std::string> name;
    std::optional<std::string> barcode;
    std::optional<std::uint32_t> price;
    std::optional<std::uint32_t> stock;
    std::optional<int> taxGroup;
    std::optional<int> subgroup;
    std::optional<int> paymentType;
};

void ReadArticleHead(CPayloadReader& in, int model, ArticleUpdate& update) {
    update.number = in.Number(4, 1, MaxArticleNumber);
    update.name = in.Text(ArticleNameWidth(model));
    update.barcode = in.Digits(BarcodeWidth);
    update.price = in.Price();
}

// Models 0, 2 to 4 and 6 to 9: stock, tax group, 0x22, subgroup, eight 0x22, payment type.
void ReadCommonArticle(CPayloadReader& in, ArticleUpdate& update) {
    update.stock = in.Quantity();
    update.taxGroup = in.Digit();
    in.Constant(NoValueByte);
    update.subgroup = in.Digit();
    in.Constant(NoValueByte, 8);
    update.paymentType = in.Digit();
}

// Model 1: tax group, 0x22, subgroup; neither stock nor payment type.
void ReadCompactArticle(CPayloadReader& in, ArticleUpdate& update) {
    update.taxGroup = in.Digit();
    in.Constant(NoValueByte);
    update.subgroup = in.Digit();
}

// Model 5: stock, tax group, subgroup, payment type, no constants.
void ReadModel5Article(CPayloadReader& in, ArticleUpdate& update) {
    update.stock = in.Quantity();
    update.taxGroup = in.Digit();
    update.subgroup = in.Digit();
    update.paymentType = in.Digit();
}

template <typename T> void Take(std::optional<T>& from, T& into) {
    if (from) {
        into = std::move(*from);
    }
}

template <typename T> void Take(std::optional<T>& from, std::optional<T>& into) {
    if (from) {
        into = std::move(from);
    }
}

bool ApplyArticle(SimTables& tables, int model, std::string_view payload) {
    CPayloadReader in(payload);
    ArticleUpdate update;
    ReadArticleHead(in, model, update);
    if (model == 1) {
        ReadCompactArticle(in, update);
    } else if (model == 5) {
        ReadModel5Article(in, update);
    } else {
        ReadCommonArticle(in, update);
    }
    if (!in.Complete()) {
        return false;
    }
    SimArticle& article = tables.articles[update.number];
    Take(update.name, article.name);
    Take(update.barcode, article.barcode);
    Take(update.price, article.price);
    Take(update.stock, article.stock);
    Take(update.taxGroup, article.taxGroup);
    Take(update.subgroup, article.subgroup);
    Take(update.paymentType, article.paymentType);
    DeriveFigures(update.number, article);
    return true;
}

bool ApplyOperator(SimTables& tables, std::string_view payload) {
    CPayloadReader in(payload);
    const unsigned number = in.Number(1, 1, OperatorCount);
    std::optional<std::string> name = in.Text(12);
    in.Constant('*');
    if (!in.Complete()) {
        return false;
    }
    Take(name, tables.operators[number - 1]);
    return true;
}

bool ApplySubgroup(SimTables& tables, int model, std::string_view payload) {
    CPayloadReader in(payload);
    const unsigned number = in.Number(1, 0, SubgroupCount - 1);
    std::optional<std::string> name = in.Text(SubgroupNameWidth(model));
    std::optional<std::uint32_t> price;
    std::optional<int> taxGroup;
    if (model == 1) {
        in.Constant(NoValueByte);
    } else {
        price = in.Price();
        taxGroup = in.Digit();
    }
    if (!in.Complete()) {
        return false;
    }
    SimSubgroup& subgroup = tables.subgroups[number];
    Take(name, subgroup.name);
    Take(price, subgroup.price);
    Take(taxGroup, subgroup.taxGroup);
    return true;
}

bool ApplyHeaderLine(SimTables& tables, int model, std::string_view payload) {
    CPayloadReader in(payload);
    const unsigned number = in.Number(1, 1, HeaderLineCount);
    const bool carriesFlag = model <= 1;
    // Models 0 and 1 send the flag as "0" or "1"; the others a constant "0".
    const unsigned flag = carriesFlag ? in.Number(1, 0, 1) : in.Number(1, 0, 0);
    std::optional<std::string> text = in.Text(HeaderLineWidth(model));
    in.Constant('*');
    if (!in.Complete()) {
        return false;
    }
    SimHeaderLine& line = tables.headerLines[number - 1];
    Take(text, line.text);
    if (carriesFlag) {
        line.flag = flag == 1;
    }
    return true;
}

} // namespace

bool ApplyRecord(SimTables& tables, int model, char kind, std::string_view payload) {
    switch (kind) {
    case 'r':
        return ApplyArticle(tables, model, payload);
    case 'o':
        return ApplyOperator(tables, payload);
    case 'y':
        return ApplySubgroup(tables, model, payload);
    case 'w':
        return ApplyHeaderLine(tables, model, payload);
    default:
        return false;
    }
}

// Sales between 3 and 100 units with a fraction, spread over the article numbers; the turnover
// is what they bring at the article's price.
void DeriveFigures(unsigned number, SimArticle& article) {
    article.sales = (number * 7919u % 97u + 3u) * 1000u + number * 131u % 1000u;
    article.turnover = (std::uint64_t{article.price.value_or(0)} * article.sales + 500u) / 1000u;
}

std::size_t ArticleNameWidth(int model) {
    return model == 1 ? 16 : model == 5 ? 18 : 12;
}

std::size_t SubgroupNameWidth(int model) {
    return ArticleNameWidth(model);
}

std::size_t HeaderLineWidth(int model) {
    return model == 1 ? 20 : 24;
}

char TaxGroupLetter(int model, int group) {
    if (LatinGroups(model)) {
        constexpr std::string_view letters = "0ABCD";
        return group >= 0 && group < 5 ? letters[static_cast<std::size_t>(group)] : '\0';
    }
    const int first = model >= 2 && model <= 5 ? 1 : 0;
    constexpr std::string_view letters = "\xC0\xC1\xC2"; // А Б В
    const int index = group - first;
    return index >= 0 && index < 3 ? letters[static_cast<std::size_t>(index)] : '\0';
}

int TaxGroupOfLetter(int model, char letter) {
    if (LatinGroups(model)) {
        constexpr std::string_view capitals = "0ABCDE";
        constexpr std::string_view small = "0abcde";
        std::size_t index = capitals.find(letter);
        if (index == std::string_view::npos) {
            index = small.find(letter);
        }
        return index == std::string_view::npos ? -1 : static_cast<int>(index % 5);
    }
    // The three groups, each as its capital, its small letter and its digit.
    constexpr std::string_view spellings[] = {"\xC0\xE0"
                                              "1",
                                              "\xC1\xE1"
                                              "2",
                                              "\xC2\xE2"
                                              "3"};
    const int first = model >= 2 && model <= 5 ? 1 : 0;
    for (int index = 0; index < 3; ++index) {
        if (spellings[index].find(letter) != std::string_view::npos) {
            return first + index;
        }
    }
    return -1;
}

int DefaultTaxGroup(int model) {
    return model >= 2 && model <= 5 ? 2 : 1;
}

} // namespace tillora::sim
