#include "ui/ImportDialog.h"

#include "grid/QtText.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/SheetText.h"
#include "tables/TableSetup.h"
#include "transfer/SendCommands.h"
#include "ui/UiText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

namespace tillora {
namespace {

const QColor RefusedColour(255, 200, 200);
const QColor ChangedColour(255, 240, 180);

} // namespace

CImportDialog::CImportDialog(SheetSource source, TableKind kind, int model, QWidget* parent)
    : QDialog(parent), m_source(std::move(source)), m_kind(kind), m_model(model) {
    setWindowTitle(UiText(ids::ImportDialogCaption));
    auto* layout = new QVBoxLayout(this);
    auto* file = new QLabel(QFileInfo(FromPath(m_source.path)).fileName(), this);
    file->setObjectName("file");
    layout->addWidget(file);
    layout->addWidget(MakeFormatRow());
    layout->addWidget(MakeColumnRow());
    m_preview = new QTableWidget(this);
    m_preview->setObjectName("preview");
    m_preview->setAccessibleName(UiText(ids::ImportPreviewName));
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->verticalHeader()->hide();
    layout->addWidget(m_preview, 3);
    m_counts = new QLabel(this);
    m_counts->setObjectName("counts");
    layout->addWidget(m_counts);
    m_problems = new QListWidget(this);
    m_problems->setObjectName("problems");
    m_problems->setAccessibleName(UiText(ids::ImportProblemsName));
    layout->addWidget(m_problems, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(UiText(ids::ButtonOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(UiText(ids::SettingsCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(860, 600);
    Replan(std::nullopt);
}

QWidget* CImportDialog::MakeFormatRow() {
    auto* row = new QWidget(this);
    auto* form = new QFormLayout(row);
    m_encoding = new QComboBox(row);
    m_encoding->setObjectName("encoding");
    for (const NamedEncoding& encoding : TextEncodings) {
        m_encoding->addItem(FromUtf8(encoding.name));
    }
    m_separator = new QComboBox(row);
    m_separator->setObjectName("separator");
    for (const NamedSeparator& separator : TextSeparators) {
        m_separator->addItem(FromUtf8(separator.name));
    }
    ChooseEncoding(m_source.format.encoding);
    ChooseSeparator(m_source.format.separator);
    // A spreadsheet types its own cells: there is nothing to choose.
    m_encoding->setEnabled(!m_source.workbook);
    m_separator->setEnabled(!m_source.workbook);
    form->addRow(UiText(ids::ImportEncodingLabel), m_encoding);
    form->addRow(UiText(ids::ImportSeparatorLabel), m_separator);
    connect(m_encoding, &QComboBox::currentIndexChanged, this, [this] { Reread(); });
    connect(m_separator, &QComboBox::currentIndexChanged, this, [this] { Reread(); });
    return row;
}

QWidget* CImportDialog::MakeColumnRow() {
    auto* row = new QWidget(this);
    auto* grid = new QGridLayout(row);
    grid->addWidget(new QLabel(UiText(ids::ImportColumnsLabel), row), 1, 0);
    for (int c = 0; c < ShapeOf(m_kind).columns; ++c) {
        auto* choice = new QComboBox(row);
        choice->setObjectName(QString("column%1").arg(c));
        auto* title = new QLabel(FromUtf8(ImportColumnTitle(m_kind, c)), row);
        title->setBuddy(choice);
        grid->addWidget(title, 0, c + 1);
        grid->addWidget(choice, 1, c + 1);
        connect(choice, &QComboBox::currentIndexChanged, this, [this] {
            if (!m_filling) {
                Replan(MapFromChoices());
            }
        });
        m_columns.push_back(choice);
    }
    return row;
}

void CImportDialog::ChooseEncoding(TextEncoding encoding) {
    const auto found = std::ranges::find(TextEncodings, encoding, &NamedEncoding::encoding);
    if (found != TextEncodings.end()) {
        m_encoding->setCurrentIndex(static_cast<int>(found - TextEncodings.begin()));
    }
}

void CImportDialog::ChooseSeparator(char separator) {
    const auto found = std::ranges::find(TextSeparators, separator, &NamedSeparator::separator);
    if (found != TextSeparators.end()) {
        m_separator->setCurrentIndex(static_cast<int>(found - TextSeparators.begin()));
    }
}

void CImportDialog::ChooseColumn(int tableColumn, int sheetColumn) {
    m_columns.at(static_cast<std::size_t>(tableColumn))->setCurrentIndex(sheetColumn + 1);
}

// Another encoding or separator makes other rows and cells: the columns are chosen afresh.
void CImportDialog::Reread() {
    if (m_source.workbook || m_filling) {
        return;
    }
    SheetSourceOptions options;
    options.text.encoding =
        TextEncodings.at(static_cast<std::size_t>(m_encoding->currentIndex())).encoding;
    options.text.separator =
        TextSeparators.at(static_cast<std::size_t>(m_separator->currentIndex())).separator;
    std::string error;
    SheetSource source;
    if (ReadSheetSource(m_source.path, options, source, error)) {
        m_source = std::move(source);
    }
    Replan(std::nullopt);
}

void CImportDialog::Replan(std::optional<ColumnMap> columns) {
    ImportOptions options = ImportOptionsFor(m_kind, m_model);
    options.columns = std::move(columns);
    m_plan = PlanImport(m_source.sheet, m_kind, options);
    FillColumnChoices();
    ShowPlan();
}

ColumnMap CImportDialog::MapFromChoices() const {
    ColumnMap map;
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        const int sheetColumn = m_columns[c]->currentIndex(); // 0 is "none"
        if (sheetColumn > 0) {
            map.sources.push_back({static_cast<int>(c), sheetColumn, {}});
        }
    }
    return map;
}

// Each choice lists the sheet's columns by number, with the header line's title where it has one.
void CImportDialog::FillColumnChoices() {
    std::size_t width = 0;
    const SheetRow* header = nullptr;
    for (const SheetRow& row : m_source.sheet.rows) {
        width = std::max(width, row.cells.size());
        if (row.line == m_plan.headerLine) {
            header = &row;
        }
    }
    m_filling = true;
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        QComboBox* choice = m_columns[c];
        choice->clear();
        choice->addItem(UiText(ids::ImportNoColumn));
        for (std::size_t s = 0; s < width; ++s) {
            QString item = QString::number(s + 1);
            if (header != nullptr && s < header->cells.size() && !header->cells[s].text.empty()) {
                item += " „" + FromCp1251(header->cells[s].text) + "“";
            }
            choice->addItem(item);
        }
        const int chosen = c < m_plan.columns.size() ? m_plan.columns[c] : -1;
        choice->setCurrentIndex(chosen + 1);
    }
    m_filling = false;
}

void CImportDialog::ShowPlan() {
    const int columns = ShapeOf(m_kind).columns;
    std::map<int, std::vector<QTableWidgetItem*>> rows;
    auto itemAt = [&](int row, int column) {
        auto& line = rows[row];
        if (line.empty()) {
            line.resize(static_cast<std::size_t>(columns));
            for (int c = 0; c < columns; ++c) {
                line[static_cast<std::size_t>(c)] = new QTableWidgetItem();
            }
            line[0]->setText(QString::number(RowLabel(m_kind, row)));
        }
        return line.at(static_cast<std::size_t>(column));
    };
    for (const ImportCell& cell : m_plan.cells) {
        itemAt(cell.row, cell.column)->setText(FromCp1251(cell.text));
    }
    m_problems->clear();
    for (const ImportProblem& problem : m_plan.problems) {
        const QString text = FromUtf8(FormatImportProblem(problem, m_kind));
        const QColor colour = problem.LeavesOut() ? RefusedColour : ChangedColour;
        auto* entry = new QListWidgetItem(text, m_problems);
        entry->setBackground(colour);
        if (problem.tableRow > 0 && problem.tableColumn >= 0 && problem.tableColumn < columns) {
            QTableWidgetItem* item = itemAt(problem.tableRow, problem.tableColumn);
            item->setBackground(colour);
            item->setToolTip(text);
        }
    }
    m_preview->clear();
    m_preview->setColumnCount(columns);
    m_preview->setRowCount(static_cast<int>(rows.size()));
    QStringList titles;
    for (int c = 0; c < columns; ++c) {
        titles << FromUtf8(ImportColumnTitle(m_kind, c));
    }
    m_preview->setHorizontalHeaderLabels(titles);
    int r = 0;
    for (auto& [row, items] : rows) {
        for (int c = 0; c < columns; ++c) {
            m_preview->setItem(r, c, items[static_cast<std::size_t>(c)]);
        }
        ++r;
    }
    m_preview->resizeColumnsToContents();
    QString counts = FromUtf8(FormatMessage(ids::ImportSummary, m_plan.rowsFilled,
                                            static_cast<int>(m_plan.problems.size())));
    if (!m_source.workbook) {
        counts +=
            "; " +
            FromUtf8(FormatMessage(ids::ImportTextFormat,
                                   std::string(EncodingName(m_source.format.encoding)).c_str(),
                                   std::string(SeparatorName(m_source.format.separator)).c_str()));
    }
    m_counts->setText(counts);
}

} // namespace tillora
