#pragma once

#include "grid/QtCellMeasure.h"
#include "tables/TableDocument.h"
#include "tables/TableKind.h"
#include "tables/TableReader.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <string>

class QLineEdit;
class QTabWidget;

namespace tillora {

class CCommands;
class CTableGrid;

// The window's client area: the six tables, one tab each, and the per-table file records. The
// current table is the grid of the current tab; the tab index is its TableKind.
class CKassivoView : public QWidget {
    Q_OBJECT
public:
    explicit CKassivoView(QWidget* parent = nullptr);
    ~CKassivoView() override;

    CTableDocument& Document() { return *m_document; }
    CTableGrid& Grid(TableKind kind) const { return *m_grids[Index(kind)]; }
    TableReader& Reader(TableKind kind) { return *m_readers[Index(kind)]; }
    QTabWidget* Tabs() const { return m_tabs; }

    int GetCurtab() const;
    void SetCurtab(int index);
    TableKind CurrentTable() const;
    CTableGrid& CurrentGrid() const { return Grid(CurrentTable()); }

    // F6 and Shift+F6: the new table takes the keyboard focus, and cell (1, 1) when it has no
    // focus cell.
    void OnNextTable();
    void OnPrevTable();
    void ActivateTable(TableKind kind);

    // The tab's caption from the name of the file the table was last saved to, with "*" after it
    // while the caption mark says the table has unsaved changes.
    void UpdateTabCaption(TableKind kind);
    void SetCaptionMark(std::function<bool(TableKind)> marked);

    // The in-place editor open on the current grid, if any.
    QLineEdit* OpenEditor() const;

    void SetCommands(CCommands* commands);

signals:
    void currentTableChanged(tillora::TableKind kind);
    // Something the edit commands' enable states depend on has changed.
    void editStateChanged();
    // The text of the status pane that follows the focus cell.
    void focusPaneChanged(const QString& text);
    // The status-bar line naming a value that a cell of the current table refused.
    void valueRefused(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static std::size_t Index(TableKind kind) { return static_cast<std::size_t>(kind); }
    void ConnectGrid(CTableGrid* grid);
    bool IsCurrent(const QObject* grid) const;
    void RenewFocusPane();

    CQtCellMeasure m_measure; // the cells measure with it, so it is made first
    std::unique_ptr<CTableDocument> m_document;
    std::array<CTableGrid*, TableCount> m_grids{};
    std::array<std::unique_ptr<TableReader>, TableCount> m_readers;
    QTabWidget* m_tabs;
    std::function<bool(TableKind)> m_captionMark;
    bool m_focusParked = false;
};

} // namespace tillora
