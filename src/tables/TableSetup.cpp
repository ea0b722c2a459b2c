#include "tables/TableSetup.h"

#include "link/Cp1251.h"
#include "link/EcrSettings.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/TypedCells.h"

#include <span>
#include <string_view>

namespace tillora {
namespace {

enum class Align { Default, Right, Center };

struct ColumnSpec {
    const CellClass& (*cellClass)();
    unsigned headerId;
    Align align;
};

constexpr ColumnSpec LabelColumn{&ClassOf<CGridCell>, 0, Align::Right};
constexpr ColumnSpec NameColumn{&ClassOf<CGridCell>, ids::HeaderName, Align::Default};
constexpr ColumnSpec BarcodeColumn{&ClassOf<CGridCellBarcode>, ids::HeaderBarcode, Align::Center};
constexpr ColumnSpec PriceColumn{&ClassOf<CGridCellPrice>, ids::HeaderPrice, Align::Right};
constexpr ColumnSpec TaxGroupColumn{&ClassOf<CGridCellChar1>, ids::HeaderTaxGroup, Align::Center};
constexpr ColumnSpec SubgroupColumn{&ClassOf<CGridCellNum1>, ids::HeaderSubgroup, Align::Center};
constexpr ColumnSpec PaymentColumn{&ClassOf<CGridCellNum1>, ids::HeaderPaymentType, Align::Center};
constexpr ColumnSpec StockColumn{&ClassOf<CGridCellQuantity>, ids::HeaderStock, Align::Right};
constexpr ColumnSpec TurnoverColumn{&ClassOf<CGridCellPrice>, ids::HeaderTurnover, Align::Right};
constexpr ColumnSpec SalesColumn{&ClassOf<CGridCellQuantity>, ids::HeaderSales, Align::Right};
constexpr ColumnSpec TextColumn{&ClassOf<CGridCell>, ids::HeaderText, Align::Default};
constexpr ColumnSpec FlagColumn{&ClassOf<CGridCellCheck>, 0, Align::Default};

constexpr ColumnSpec ArticleColumns[] = {LabelColumn,   NameColumn,     BarcodeColumn,
                                         PriceColumn,   TaxGroupColumn, SubgroupColumn,
                                         PaymentColumn, StockColumn};
constexpr ColumnSpec OperatorColumns[] = {LabelColumn, NameColumn};
constexpr ColumnSpec SubgroupColumns[] = {LabelColumn, NameColumn, PriceColumn, TaxGroupColumn};
constexpr ColumnSpec CompanyColumns[] = {LabelColumn, TextColumn, FlagColumn};
constexpr ColumnSpec ReportColumns[] = {LabelColumn,    NameColumn,     BarcodeColumn, PriceColumn,
                                        TaxGroupColumn, SubgroupColumn, PaymentColumn, StockColumn,
                                        TurnoverColumn, SalesColumn};
constexpr ColumnSpec SubgroupReportColumns[] = {LabelColumn, NameColumn, PriceColumn,
                                                TaxGroupColumn, TurnoverColumn};

constexpr TableShape Shapes[TableCount] = {
    {2600, 8, 1, true, Rgb(255, 255, 224)},   {9, 2, 1, true, Rgb(224, 255, 255)},
    {10, 4, 0, true, Rgb(255, 224, 255)},     {6, 3, 1, true, Rgb(255, 192, 192)},
    {2600, 10, 1, false, Rgb(224, 255, 224)}, {10, 5, 0, false, Rgb(192, 255, 192)}};

std::span<const ColumnSpec> ColumnsOf(TableKind kind) {
    switch (kind) {
    case TableKind::Articles:
        return ArticleColumns;
    case TableKind::Operators:
        return OperatorColumns;
    case TableKind::Subgroups:
        return SubgroupColumns;
    case TableKind::Company:
        return CompanyColumns;
    case TableKind::Report:
        return ReportColumns;
    case TableKind::SubgroupReport:
        return SubgroupReportColumns;
    }
    return {};
}

std::uint32_t FormatOf(Align align) {
    return (align == Align::Right ? CellFormat::Right : CellFormat::Center) | CellFormat::Aligned;
}

constexpr int NameWidth = 150;
constexpr int WideNameWidth = 250;
constexpr int FlagColumnIndex = 2;
constexpr int BarcodeColumnIndex = 2;

void ShapeGrid(CCellGrid& grid, TableKind kind) {
    const TableShape& shape = ShapeOf(kind);
    grid.SetColumnCount(shape.columns);
    grid.SetRowCount(shape.dataRows + 1);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int r = 1; r <= shape.dataRows; ++r) {
        grid.SetItemFormat(r, 0, FormatOf(Align::Right));
        grid.SetItemText(r, 0, std::to_string(RowLabel(kind, r)));
    }
    grid.SetRowResize(false);
    grid.SetColumnWidth(1, NameWidth);
}

void ShadeRows(CCellGrid& grid, TableKind kind) {
    const TableShape& shape = ShapeOf(kind);
    for (int r = 2; r <= shape.dataRows; r += 2) {
        for (int c = 1; c < shape.columns; ++c) {
            if (CGridCell* cell = grid.GetTextCell(r, c)) {
                cell->SetBackClr(shape.shading);
            }
        }
    }
}

// Header cells get the column's alignment but stay text cells; data cells get the column's class.
// The Company flag cells come with the flags, below.
void SetColumnClasses(CCellGrid& grid, TableKind kind) {
    const std::span<const ColumnSpec> columns = ColumnsOf(kind);
    for (int r = 0; r <= ShapeOf(kind).dataRows; ++r) {
        for (int c = 1; c < static_cast<int>(columns.size()); ++c) {
            const ColumnSpec& column = columns[static_cast<std::size_t>(c)];
            if (column.align != Align::Default) {
                grid.SetItemFormat(r, c, FormatOf(column.align));
            }
            if (r > 0 && c >= 2 && kind != TableKind::Company) {
                grid.SetCellType(r, c, column.cellClass());
            }
        }
    }
}

void WriteHeaders(CCellGrid& grid, TableKind kind) {
    const std::span<const ColumnSpec> columns = ColumnsOf(kind);
    for (int c = 1; c < static_cast<int>(columns.size()); ++c) {
        const unsigned id = columns[static_cast<std::size_t>(c)].headerId;
        grid.SetItemText(0, c, id != 0 ? Utf8ToCp1251(LoadString(id)) : std::string("B"));
    }
}

// The barcode column is fitted to a full twelve-digit barcode, measured on a sample that is
// taken out again.
void FitArticleColumns(CCellGrid& grid) {
    for (int c : {0, 4, 5, 6}) {
        grid.AutoSizeColumn(c);
    }
    grid.SetItemText(1, BarcodeColumnIndex, "1");
    grid.AutoSizeColumn(BarcodeColumnIndex);
    grid.SetItemText(1, BarcodeColumnIndex, "");
}

void SetUpFlags(CCellGrid& grid) {
    for (int r = 1; r <= ShapeOf(TableKind::Company).dataRows; ++r) {
        grid.SetCellType(r, FlagColumnIndex, ClassOf<CGridCellCheck>());
        grid.SetItemState(r, FlagColumnIndex,
                          grid.GetItemState(r, FlagColumnIndex) | CellState::ReadOnly);
        grid.SetItemText(r, FlagColumnIndex, "0");
    }
}

void FitColumns(CCellGrid& grid, TableKind kind) {
    switch (kind) {
    case TableKind::Articles:
    case TableKind::Report:
        FitArticleColumns(grid);
        break;
    case TableKind::Operators:
        grid.SetColumnWidth(1, WideNameWidth);
        grid.AutoSizeColumn(0);
        break;
    case TableKind::Subgroups:
    case TableKind::SubgroupReport:
        grid.AutoSizeColumn(0);
        grid.AutoSizeColumn(3);
        break;
    case TableKind::Company:
        SetUpFlags(grid);
        grid.SetColumnWidth(1, WideNameWidth);
        grid.AutoSizeColumn(0);
        ApplyModelColumns(grid, ConnectionSettings().EcrType);
        break;
    }
}

} // namespace

const TableShape& ShapeOf(TableKind kind) {
    return Shapes[TableIndex(kind)];
}

int RowLabel(TableKind kind, int row) {
    return row - 1 + ShapeOf(kind).firstLabel;
}

void SetupTable(CCellGrid& grid, TableKind kind) {
    ShapeGrid(grid, kind);
    ShadeRows(grid, kind);
    grid.SetEditable(ShapeOf(kind).editable);
    SetColumnClasses(grid, kind);
    WriteHeaders(grid, kind);
    FitColumns(grid, kind);
}

const CellClass& ColumnClass(TableKind kind, int column) {
    const std::span<const ColumnSpec> columns = ColumnsOf(kind);
    if (column < 0 || column >= static_cast<int>(columns.size())) {
        return ClassOf<CGridCell>();
    }
    return columns[static_cast<std::size_t>(column)].cellClass();
}

std::string ColumnHeader(TableKind kind, int column) {
    const std::span<const ColumnSpec> columns = ColumnsOf(kind);
    if (column < 1 || column >= static_cast<int>(columns.size())) {
        return {};
    }
    const unsigned id = columns[static_cast<std::size_t>(column)].headerId;
    return id != 0 ? std::string(LoadString(id)) : std::string("B");
}

void ApplyModelColumns(CCellGrid& company, int model) {
    if (model <= 1) {
        company.SetColumnWidth(FlagColumnIndex, 10);
        company.AutoSizeColumn(FlagColumnIndex);
    } else {
        company.SetColumnWidth(FlagColumnIndex, 0);
    }
}

void ClearTable(CCellGrid& grid) {
    for (int r = grid.GetFixedRowCount(); r < grid.GetRowCount(); ++r) {
        for (int c = grid.GetFixedColumnCount(); c < grid.GetColumnCount(); ++c) {
            grid.SetItemText(r, c, "");
        }
    }
}

std::string TabCaption(TableKind kind, const std::string& fileName) {
    const unsigned index = static_cast<unsigned>(TableIndex(kind));
    if (fileName.empty()) {
        return std::string(LoadString(ids::TabCaption + index));
    }
    return FormatMessage(ids::TabCaptionWithFile + index, fileName.c_str());
}

} // namespace tillora
