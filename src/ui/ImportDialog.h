#pragma once

#include "sheets/SheetSource.h"
#include "tables/ImportPlan.h"
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

// Shows what an import of a file into a table will do before it is done: the rows as the table
// will take them, the encoding and separator (delimited text, which the user may change), which
// sheet column fills each table column, the problems met, and the counts. Each choice renews the
// preview; OK keeps the plan.
class CImportDialog : public QDialog {
    Q_OBJECT
public:
    CImportDialog(SheetSource source, TableKind kind, int model, QWidget* parent = nullptr);

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

    SheetSource m_source;
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
