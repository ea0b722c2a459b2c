#include "sheets/SpreadsheetFile.h"

#include "link/FileReplace.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "sheets/SheetCollector.h"

#include <orcus/format_detection.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>

#include <exception>
#include <memory>

namespace tillora {
namespace {

std::unique_ptr<orcus::iface::import_filter> FilterFor(std::string_view bytes,
                                                       CSheetCollector& collector) {
    switch (orcus::detect(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size())) {
    case orcus::format_t::xlsx:
        return std::make_unique<orcus::orcus_xlsx>(&collector);
    case orcus::format_t::ods:
        return std::make_unique<orcus::orcus_ods>(&collector);
    default:
        return nullptr;
    }
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
    CSheetCollector collector;
    try {
        const std::unique_ptr<orcus::iface::import_filter> filter = FilterFor(*bytes, collector);
        if (!filter) {
            errorUtf8 = FormatMessage(ids::SheetFileNotSpreadsheet, path.c_str());
            return false;
        }
        filter->read_stream(*bytes);
    } catch (const std::exception& e) {
        errorUtf8 = FormatMessage(ids::SheetFileDamaged, path.c_str(), e.what());
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
