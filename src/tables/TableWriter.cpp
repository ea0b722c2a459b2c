#include "tables/TableWriter.h"

#include "link/FileReplace.h"
#include "link/Message.h"
#include "res/StringIds.h"

#include <filesystem>

namespace tillora {
namespace {

bool HasData(const CCellGrid& grid, int row) {
    for (int c = grid.GetFixedColumnCount(); c < grid.GetColumnCount(); ++c) {
        if (!grid.GetItemText(row, c).empty()) {
            return true;
        }
    }
    return false;
}

void AppendRow(const CCellGrid& grid, int row, std::string& text) {
    for (int c = 0; c < grid.GetColumnCount(); ++c) {
        if (c > 0) {
            text += '\t';
        }
        text += grid.GetItemText(row, c);
    }
    text += "\r\n";
}

} // namespace

std::string TableFileText(const CCellGrid& grid) {
    std::string text;
    for (int r = grid.GetFixedRowCount(); r < grid.GetRowCount(); ++r) {
        if (HasData(grid, r)) {
            AppendRow(grid, r, text);
        }
    }
    return text;
}

bool TableWriter::WriteTableFile(const std::string& path, IFeedback& feedback) const {
    switch (ReplaceFile(Utf8Path(path), TableFileText(m_grid))) {
    case ReplaceResult::Replaced:
        return true;
    case ReplaceResult::NotCreated:
        ShowError(feedback, ids::FileNotCreated, path.c_str());
        return false;
    case ReplaceResult::NotWritten:
        ShowError(feedback, ids::FileNotWritten, path.c_str());
        return false;
    }
    return false;
}

bool TableWriter::SaveAs(const std::string& path, IFeedback& feedback) {
    if (!WriteTableFile(path, feedback)) {
        return false;
    }
    m_pathName = path;
    m_fileName = PathToUtf8(Utf8Path(path).filename());
    return true;
}

bool TableWriter::Save(IFeedback& feedback) {
    return HasPath() && WriteTableFile(m_pathName, feedback);
}

void TableWriter::ClearNames() {
    m_fileName.clear();
    m_pathName.clear();
}

} // namespace tillora
