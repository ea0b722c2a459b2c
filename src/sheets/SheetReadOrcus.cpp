#include "sheets/SpreadsheetFile.h"

#include "link/FileReplace.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "sheets/PartChecks.h"
#include "sheets/SheetCollector.h"
#include "sheets/XlsxInlineStrings.h"
#include "sheets/XlsxRelations.h"
#include "sheets/ZipPart.h"
#include "sheets/ZipSizes.h"

#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <exception>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

namespace tillora {
namespace {

using namespace std::string_view_literals;

// An OLE compound file: Excel 97-2003's .xls, and also the shell an .xlsx or .docx is put in
// when it is saved with a password.
constexpr std::string_view CompoundFileSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"sv;
constexpr std::string_view EncryptedPackageName =
    "E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0"sv; // UTF-16, as the compound file names it
constexpr std::string_view ZipSignature = "PK\x03\x04"sv;

enum class WorkbookKind { Xlsx, Ods };

// The kind of workbook the archive holds, by its parts: orcus' own detection is not used, as
// on some damaged archives it ends the program with an exception it cannot let out.
std::optional<WorkbookKind> KindOf(const orcus::zip_archive& archive) {
    std::vector<unsigned char> part;
    if (archive.read_file_entry("mimetype", part) &&
        PartText(part).starts_with("application/vnd.oasis.opendocument.spreadsheet")) {
        return WorkbookKind::Ods;
    }
    if (archive.read_file_entry("[Content_Types].xml", part) &&
        (PartText(part).find("spreadsheetml.sheet.main+xml") != std::string_view::npos ||
         PartText(part).find("ms-excel.sheet.macroEnabled.main+xml") != std::string_view::npos)) {
        return WorkbookKind::Xlsx;
    }
    return std::nullopt;
}

// Whether an OpenDocument file has parts only its password opens.
bool HasEncryptedParts(const orcus::zip_archive& archive) {
    std::vector<unsigned char> manifest;
    return archive.read_file_entry("META-INF/manifest.xml", manifest) &&
           PartText(manifest).find("encryption-data") != std::string_view::npos;
}

// The kind of workbook, or the message for a file orcus is not given: an empty file, an .xls
// under another name, a file saved with a password and a zip archive that is cut short or
// damaged are told apart here, as orcus would only fail on them with words of its own, or
// not at all.
std::variant<unsigned, WorkbookKind> Examine(std::string_view bytes) {
    if (bytes.empty()) {
        return ids::SheetFileEmpty;
    }
    if (bytes.starts_with(CompoundFileSignature)) {
        return bytes.find(EncryptedPackageName) != std::string_view::npos ? ids::SheetFileEncrypted
                                                                          : ids::SheetFileOldExcel;
    }
    if (!bytes.starts_with(ZipSignature)) {
        return ids::SheetFileNotSpreadsheet;
    }
    if (!HasPlausibleSizes(bytes)) {
        return ids::SheetFileBroken;
    }
    try {
        orcus::zip_archive_stream_blob stream(reinterpret_cast<const uint8_t*>(bytes.data()),
                                              bytes.size());
        orcus::zip_archive archive(&stream);
        archive.load();
        if (HasEncryptedParts(archive)) {
            return ids::SheetFileEncrypted;
        }
        const std::optional<WorkbookKind> kind = KindOf(archive);
        return kind ? std::variant<unsigned, WorkbookKind>(*kind) : ids::SheetFileNotSpreadsheet;
    } catch (const std::exception&) {
        return ids::SheetFileBroken;
    }
}

void ReadWorkbook(std::string_view bytes, CSheetCollector& collector, bool xlsx) {
    CheckWorkbookParts(bytes, !xlsx);
    if (xlsx) {
        const std::optional<std::string> mended = WithRelativeTargets(bytes);
        if (mended) {
            bytes = *mended;
        }
        orcus::orcus_xlsx(&collector).read_stream(bytes);
        for (const InlineString& cell : ReadInlineStrings(bytes)) {
            if (CSheetCells* sheet = collector.Find(cell.sheet)) {
                sheet->SetText(cell.row, cell.column, cell.text);
            }
        }
    } else {
        orcus::orcus_ods(&collector).read_stream(bytes);
    }
}

// orcus' own words on what it met, for whoever helps the user: the start is enough, as it may
// quote a whole damaged part.
std::string Detail(std::string_view what) {
    constexpr std::size_t Enough = 160;
    if (what.size() <= Enough) {
        return std::string(what);
    }
    std::size_t cut = Enough;
    while (cut > 0 && (static_cast<unsigned char>(what[cut]) & 0xC0) == 0x80) {
        --cut; // not inside a UTF-8 character
    }
    return std::string(what.substr(0, cut)) + "…";
}

} // namespace

bool CanReadSpreadsheets() {
    return true;
}

bool ReadSpreadsheetFile(const std::string& path, const std::string& sheet, SheetData& out,
                         std::string& errorUtf8) {
    out = {};
    const std::optional<std::string> bytes = ReadWholeFile(Utf8Path(path));
    if (!bytes) {
        errorUtf8 = FormatMessage(ids::FileNotOpenedForReading, path.c_str());
        return false;
    }
    return ReadSpreadsheetBytes(*bytes, path, sheet, out, errorUtf8);
}

bool ReadSpreadsheetBytes(std::string_view bytes, const std::string& path, const std::string& sheet,
                          SheetData& out, std::string& errorUtf8) {
    out = {};
    const std::variant<unsigned, WorkbookKind> examined = Examine(bytes);
    if (const unsigned* refusal = std::get_if<unsigned>(&examined)) {
        errorUtf8 = FormatMessage(*refusal, path.c_str());
        return false;
    }
    const bool xlsx = std::get<WorkbookKind>(examined) == WorkbookKind::Xlsx;
    CSheetCollector collector(xlsx);
    try {
        ReadWorkbook(bytes, collector, xlsx);
    } catch (const std::exception& e) {
        errorUtf8 = FormatMessage(ids::SheetFileDamaged, path.c_str(), Detail(e.what()).c_str());
        return false;
    }
    const CSheetCells* chosen = collector.Find(sheet);
    if (!chosen) {
        errorUtf8 = collector.Empty() ? FormatMessage(ids::SheetFileHasNoSheet, path.c_str())
                                      : FormatMessage(ids::SheetNotFound, path.c_str(),
                                                      sheet.c_str(), collector.Names().c_str());
        return false;
    }
    out = chosen->Rows();
    return true;
}

} // namespace tillora
