#include "sheets/XlsxRelations.h"

#include "sheets/StoredZip.h"
#include "sheets/ZipPart.h"

#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <algorithm>
#include <vector>

namespace tillora {
namespace {

constexpr std::string_view RootTarget = "Target=\"/";

// The folder a relationships part speaks for: "xl/" for "xl/_rels/workbook.xml.rels".
std::string FolderOf(std::string_view relations) {
    const std::size_t rels = relations.rfind("_rels/");
    return std::string(relations.substr(0, rels == std::string_view::npos ? 0 : rels));
}

std::string RelativeTo(const std::string& folder, std::string_view path) {
    if (path.starts_with(folder)) {
        return std::string(path.substr(folder.size()));
    }
    std::string relative;
    for (auto depth = std::count(folder.begin(), folder.end(), '/'); depth > 0; --depth) {
        relative += "../";
    }
    return relative + std::string(path);
}

// The relationships with every target from the root made relative to their folder.
std::string MendRelations(std::string_view text, const std::string& folder) {
    std::string mended;
    std::size_t done = 0;
    for (std::size_t at = text.find(RootTarget); at != std::string_view::npos;
         at = text.find(RootTarget, done)) {
        const std::size_t start = at + RootTarget.size();
        const std::size_t end = std::min(text.find('"', start), text.size());
        mended += text.substr(done, at - done);
        mended += "Target=\"" + RelativeTo(folder, text.substr(start, end - start));
        done = end;
    }
    return mended + std::string(text.substr(done));
}

} // namespace

std::optional<std::string> WithRelativeTargets(std::string_view xlsx) {
    orcus::zip_archive_stream_blob stream(reinterpret_cast<const uint8_t*>(xlsx.data()),
                                          xlsx.size());
    orcus::zip_archive archive(&stream);
    archive.load();
    bool mended = false;
    CStoredZip zip;
    std::vector<unsigned char> bytes;
    for (std::size_t i = 0; i < archive.get_file_entry_count(); ++i) {
        const std::string name(archive.get_file_entry_name(i));
        if (name.ends_with('/') || !archive.read_file_entry(name, bytes)) {
            continue; // a folder has nothing to read
        }
        const std::string_view data = PartText(bytes);
        if (name.ends_with(".rels") && data.find(RootTarget) != std::string_view::npos) {
            zip.Add(name, MendRelations(data, FolderOf(name)));
            mended = true;
        } else {
            zip.Add(name, data);
        }
    }
    return mended ? std::optional<std::string>(zip.Finish()) : std::nullopt;
}

} // namespace tillora
