#include "res/StringTable.h"
#include "res/StringIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace tillora {
namespace {

using Entries = std::vector<std::pair<unsigned, std::string_view>>;

// Every text in the table, found through the public lookup over the whole number range the
// table uses, so nothing here depends on how the table is stored.
Entries AllTexts() {
    Entries entries;
    for (unsigned id = 0; id <= 0xFFFF; ++id) {
        if (HasString(id)) {
            entries.emplace_back(id, LoadString(id));
        }
    }
    return entries;
}

// The named constants as the header declares them, read from the header itself so that a name
// added later is checked without touching this test.
std::map<std::string, unsigned> NamedIds() {
    std::map<std::string, unsigned> ids;
    const auto header = std::filesystem::path(TILLORA_SOURCE_DIR) / "src" / "res" / "StringIds.h";
    std::ifstream in(header);
    std::stringstream text;
    text << in.rdbuf();
    const std::string source = text.str();
    const std::regex declaration(R"(inline constexpr unsigned (\w+) = (\d+);)");
    for (std::sregex_iterator it(source.begin(), source.end(), declaration), end; it != end; ++it) {
        ids[(*it)[1]] = static_cast<unsigned>(std::stoul((*it)[2]));
    }
    return ids;
}

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            length = 1;
            code = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (next & 0x3F);
        }
        const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
        if (overlong || surrogate || code > 0x10FFFF) {
            return false;
        }
        i += length;
    }
    return true;
}

// The printf directives of a format in order, e.g. {"%s", "%06u"}; "%%" is a plain percent sign.
std::vector<std::string> Directives(std::string_view format) {
    static const std::regex directive(R"(%%|%[-+ #0]*\d*(?:\.\d+)?(?:hh|h|ll|l|z)?[a-zA-Z])");
    const std::string text(format);
    std::vector<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), directive), end; it != end; ++it) {
        if (it->str() != "%%") {
            found.push_back(it->str());
        }
    }
    return found;
}

std::size_t CountOf(std::string_view text, char c) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

TEST(StringTableTest, LookupFindsTheFirstAndLastEntriesAndNothingBetweenOrBeyond) {
    const Entries entries = AllTexts();
    ASSERT_GT(entries.size(), 150u);
    EXPECT_EQ(entries.front().first, ids::FileNotOpenedForReading);
    EXPECT_FALSE(LoadString(entries.back().first).empty());
    // Numbers the table does not hold: below the first, in a gap, above the last.
    for (unsigned id : {0u, 19999u, 20007u, 20043u, 20806u, 59394u, 0xFFFFFFFFu}) {
        EXPECT_FALSE(HasString(id)) << id;
        EXPECT_TRUE(LoadString(id).empty()) << id;
    }
}

TEST(StringTableTest, EveryNamedNumberHasAText) {
    const auto named = NamedIds();
    ASSERT_GT(named.size(), 100u) << "the id header was not found or not understood";
    // The header as read is the header the code compiles against.
    EXPECT_EQ(named.at("NoModel"), ids::NoModel);
    EXPECT_EQ(named.at("RowColLength"), ids::RowColLength);
    EXPECT_EQ(named.at("SettingsNotWritten"), ids::SettingsNotWritten);
    for (const auto& [name, id] : named) {
        EXPECT_FALSE(LoadString(id).empty()) << name << " = " << id;
    }
    // The caption names are block bases: every table has both of its captions.
    for (unsigned kind = 0; kind < 6; ++kind) {
        EXPECT_FALSE(LoadString(ids::TabCaption + kind).empty()) << kind;
        EXPECT_FALSE(LoadString(ids::TabCaptionWithFile + kind).empty()) << kind;
    }
}

TEST(StringTableTest, EveryTextIsNonEmptyValidUtf8WithRealControlCharacters) {
    for (const auto& [id, text] : AllTexts()) {
        EXPECT_FALSE(text.empty()) << id;
        EXPECT_TRUE(IsValidUtf8(text)) << id;
        // An escape written one level too deep would show as a backslash and a letter.
        EXPECT_EQ(text.find('\\'), std::string_view::npos) << id;
        // Message lines break with CR LF; a lone CR would show as garbage.
        for (std::size_t i = text.find('\r'); i != std::string_view::npos;
             i = text.find('\r', i + 1)) {
            EXPECT_EQ(text.substr(i, 2), "\r\n") << id;
        }
    }
}

TEST(StringTableTest, FormatsCarryExactlyTheirDirectives) {
    using D = std::vector<std::string>;
    const std::map<unsigned, D> expected = {
        {ids::FileNotOpenedForReading, {"%s"}},
        {ids::LineNotRead, {"%d"}},
        {ids::FileNotWritten, {"%s"}},
        {ids::FileNotCreated, {"%s"}},
        {ids::ReadingSubgroup, {"%u"}},
        {ids::ArticlesRead, {"%u"}},
        {ids::PortNotOpened, {"%d"}},
        {ids::ReadingArticle, {"%u"}},
        {ids::EnterRowNumber, {"%u"}},
        {ids::SendingRow, {"%u"}},
        {ids::RowsSent, {"%u"}},
        {ids::PictureSize, {"%u", "%u", "%u"}},
        {ids::RowColLength, {"%u", "%u", "%u"}},
        {ids::TabCaptionWithFile + 0, {"%s"}},
        {ids::TabCaptionWithFile + 1, {"%s"}},
        {ids::TabCaptionWithFile + 2, {"%s"}},
        {ids::TabCaptionWithFile + 3, {"%s"}},
        {ids::TabCaptionWithFile + 4, {"%s"}},
        {ids::TabCaptionWithFile + 5, {"%s"}},
        {ids::FrameTitle, {"%s", "%d", "%06u"}},
        {ids::PrintFooterPage, {"%d", "%d"}},
        {ids::ValueRefused, {"%d", "%s", "%s"}},
        {ids::FileHasNoTableRow, {"%s"}},
        {ids::FileHasNoTableRowSeparated, {"%s"}},
        {ids::ReadSummaryRows, {"%d"}},
        {ids::ReadSummarySkipped, {"%d", "%s"}},
        {ids::ReadSummaryRefused, {"%d", "%s"}},
        {ids::ReadSummaryRefusedValue, {"%d", "%s", "%s"}},
        {ids::SettingsNotWritten, {"%s"}},
        {ids::UnsavedOnExitOne, {"%s"}},
        {ids::UnsavedOnExitMany, {"%s"}},
        {ids::UnsavedBeforeRead, {"%s"}},
        {ids::UnsavedTableName, {"%s"}},
        {ids::UnsavedLastTableName, {"%s", "%s"}},
        {ids::PortWithDevice, {"%s", "%s"}},
        {ids::PortOpenDetail, {"%s", "%s"}},
        {ids::ProgressTimeLeft, {"%s"}},
        {ids::ImportAtCell, {"%d", "%d", "%s"}},
        {ids::ImportAtColumn, {"%d", "%d"}},
        {ids::ImportAtLine, {"%d"}},
        {ids::ImportValueRefused, {"%s"}},
        {ids::ImportBarcodeExponent, {"%s"}},
        {ids::ImportTaxLetterLookAlike, {"%s", "%s"}},
        {ids::ImportTextTooLong, {"%s", "%d"}},
        {ids::ImportRowNumberInvalid, {"%s"}},
        {ids::ImportRowRepeated, {"%d"}},
        {ids::ImportTooManyRows, {"%d"}},
        {ids::ImportSeparatorAmbiguous, {"%s", "%s"}},
        {ids::ImportLineBreakReplaced, {"%s"}},
        {ids::ImportColumnTitleMissing, {"%s"}},
        {ids::ImportColumnMissing, {"%d"}},
        {ids::ImportColumnRepeated, {"%d", "%s"}},
        {ids::ImportNothing, {"%s"}},
        {ids::ImportTextFormat, {"%s", "%s"}},
        {ids::ImportSummary, {"%d", "%d"}},
        {ids::ImportSendAnyway, {"%d"}},
        {ids::ImportHeaderLine, {"%d", "%s"}},
        {ids::ImportNoHeaderLine, {"%s"}},
        {ids::ImportSpreadsheetUnreadable, {"%s"}},
        {ids::SpreadsheetsNotBuilt, {"%s"}},
        {ids::SheetFileNotSpreadsheet, {"%s"}},
        {ids::SheetFileDamaged, {"%s", "%s"}},
        {ids::SheetFileHasNoSheet, {"%s"}},
        {ids::SheetNotFound, {"%s", "%s", "%s"}},
        {ids::SheetExportUnknownType, {"%s"}},
        {ids::SheetExportFailed, {"%s", "%s"}},
        {ids::AboutVersion, {"%s"}},
        {ids::ChangesSent, {"%u", "%u", "%s"}},
        {ids::ChangesSentRowsKept, {"%u", "%u", "%s", "%u"}},
        {ids::NoChangesRowsKept, {"%u"}},
        {ids::KnownStateMissing, {"%s"}},
        {ids::KnownStateNotSaved, {"%s"}},
        {ids::KnownStateNotForgotten, {"%s"}},
        {ids::KnownStateNone, {"%s"}},
        {ids::ChangesSummary, {"%u", "%u", "%u"}},
        {ids::CliCellPlace, {"%d", "%d", "%s"}},
        {ids::CliNotBitmap, {"%s"}},
        {ids::CliBitmapTruncated, {"%s"}},
        {ids::CliPictureFile, {"%s", "%llu"}},
        {ids::CliNotRowList, {"%s"}},
        {ids::CliNoSuchRow, {"%d"}},
        {ids::CliTraceNotWritten, {"%s"}},
        {ids::CliHint, {"%s"}},
        {ids::SheetFileEmpty, {"%s"}},
        {ids::SheetFileEncrypted, {"%s"}},
        {ids::SheetFileOldExcel, {"%s"}},
        {ids::SheetFileBroken, {"%s"}},
        {ids::HelpTable, {"%s"}},
        {ids::CliUnknownTable, {"%s"}},
        {ids::CliReportNotSent, {"%s"}},
        {ids::CliRegisterTwice, {"%s"}},
        {ids::CliUsageMissing, {"%s"}},
        {ids::CliUsageExtra, {"%s"}},
        {ids::CliUsageBadValue, {"%s"}},
        {ids::CliUsageNoValue, {"%s"}},
        {ids::CliUsageExcludes, {"%s", "%s"}},
        {ids::CliUsageNeeds, {"%s", "%s"}},
        {ids::CliSheetOfTextFile, {"%s"}},
        {ids::CliNoneOf, {"%s", "%s", "%s"}},
        {ids::CliColumnsAre, {"%s"}},
        {ids::CliUsageUnknown, {"%s"}},
        {ids::CliUsageHelp, {"%s"}},
        {ids::PartStyleOutside, {"%s", "%s"}},
        {ids::PartEndsInside, {"%s"}},
        {ids::SendStopped, {"%u", "%u"}},
        {ids::ReportStopped, {"%u"}},
        {ids::RegisterNameInvalid, {"%s"}},
        {ids::RegisterUnknown, {"%s"}},
        {ids::RegisterNotSaved, {"%s"}},
        {ids::FrameTitleNamed, {"%s", "%s"}},
        {ids::RegisterRemoveQuestion, {"%s"}},
        {ids::RegisterNameTaken, {"%s"}},
        {ids::RegisterCopyName, {"%s"}},
        {ids::RegisterListEntry, {"%s", "%s"}},
        {ids::SeveralTable, {"%s"}},
        {ids::SeveralOutcome, {"%s", "%s"}},
        {ids::SeveralConfirmed, {"%s"}},
        {ids::SeveralRefused, {"%s"}},
        {ids::SeveralDone, {"%u", "%u"}},
    };
    // Every other text goes through the formatter with no arguments, so it must hold none.
    for (const auto& [id, text] : AllTexts()) {
        const auto it = expected.find(id);
        EXPECT_EQ(Directives(text), it == expected.end() ? D{} : it->second) << id;
    }
}

TEST(StringTableTest, TextsThatOtherCodeMatchesByteForByte) {
    // Two blanks between the port and the verb.
    EXPECT_EQ(LoadString(ids::PortNotOpened), "COM%d  не може да бъде отворен!");
    // Two blanks before "не".
    EXPECT_EQ(LoadString(ids::FileNotCreated), "Файлът \"%s\"  не може да бъде създаден!");
    EXPECT_EQ(LoadString(ids::ConfirmClearAll),
              "Всички данни в таблиците ще бъдат изтрити!\r\nМоля потвърдете!");
    // Three blanks between the items.
    EXPECT_EQ(LoadString(ids::PictureSize), "Ширина: %u   Височина: %u   Цвята: %u");
    EXPECT_EQ(LoadString(ids::TabCaptionWithFile), "Артикули (%s)");
    EXPECT_EQ(LoadString(ids::TabCaption + 5), "Отчет по подгрупи");
}

TEST(StringTableTest, CommandPromptsSplitIntoStatusTextAndTooltip) {
    // Send selected: the context menu shows the tooltip part.
    const std::string_view sendSelected = LoadString(32781);
    const std::size_t split = sendSelected.find('\n');
    ASSERT_NE(split, std::string_view::npos);
    EXPECT_EQ(sendSelected.substr(0, split), "Изпраща към касата само избраните клетки");
    EXPECT_EQ(sendSelected.substr(split + 1), "Изпращане на избраните клетки");
    EXPECT_EQ(LoadString(57635), "Изрязва текущия избор и го копира в клипборда\nИзрежи");
    // The recent-file entries have a status text only.
    EXPECT_EQ(LoadString(57616), "Отваряне на файла");
    EXPECT_EQ(LoadString(57631), "Отваряне на файла");

    for (const auto& [id, text] : AllTexts()) {
        if (id >= 32768) {
            // Commands: one line feed at most, with text on both sides.
            ASSERT_LE(CountOf(text, '\n'), 1u) << id;
            const std::size_t at = text.find('\n');
            if (at != std::string_view::npos) {
                EXPECT_GT(at, 0u) << id;
                EXPECT_LT(at + 1, text.size()) << id;
            }
        } else {
            // Messages and dialog texts: every line feed belongs to a CR LF.
            EXPECT_EQ(CountOf(text, '\n'), CountOf(text, '\r')) << id;
        }
    }
}

} // namespace
} // namespace tillora
