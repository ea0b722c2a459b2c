#pragma once

#include "tables/ImportPlan.h"
#include "tables/SheetText.h"
#include "tables/TableKind.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QTableWidget;

namespace tillora {

// The file an import starts from: a spreadsheet's first sheet, or delimited text read with an
// encoding and separator the user may change.
struct ImportSource {
    std::string path; // UTF-8
    bool spreadsheet = false;
    SheetData sheet;
    TextSheetFormat format; // how text was read; unused for a spreadsheet
};

// Reads the file for an import: .xlsx and .ods as spreadsheets, anything else as text. False with
// the reason in errorUtf8.
bool ReadImportSource(const std::string& path, const TextSheetOptions& options,
                      ImportSource& source, std::string& errorUtf8);

// Shows what an import of a file into a table will do before it is done: the rows as the table
// will take them, the encoding and separator (text files), which sheet column fills each table
// column, the problems met, and the counts. Each choice renews the preview; OK keeps the plan.
class CImportDialog : public QDialog {
    Q_OBJECT
public:
    CImportDialog(ImportSource source, TableKind kind, int model, QWidget* parent = nullptr);

    const ImportPlan& Plan() const { return m_plan; }
    // The choices, as the user makes them in the dialog.
    void ChooseEncoding(TextEncoding encoding);
    void ChooseSeparator(char separator);
    // sheetColumn counted from 0; -1 takes nothing for the table column.
    void ChooseColumn(int tableColumn, int sheetColumn);

private:
    QWidget* MakeFormatRow();
    QWidget* MakeColumnRow();
    void Reread();
    void Replan(std::optional<ColumnMap> columns);
    void FillColumnChoices();
    void ShowPlan();
    ColumnMap MapFromChoices() const;

    ImportSource m_source;
    TableKind m_kind;
    int m_model;
    ImportPlan m_plan;
    QComboBox* m_encoding = nullptr;
    QComboBox* m_separator = nullptr;
    std::vector<QComboBox*> m_columns; // one per table column, the label column first
    QTableWidget* m_preview = nullptr;
    QListWidget* m_problems = nullptr;
    QLabel* m_counts = nullptr;
    bool m_filling = false;
};

} // namespace tillora
