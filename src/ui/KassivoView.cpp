#include "ui/KassivoView.h"

#include "grid/QtText.h"
#include "tables/StatusTexts.h"
#include "tables/TableTabs.h"
#include "tables/UnsavedTables.h"
#include "ui/TableFont.h"
#include "ui/TableGrid.h"
#include "ui/UiText.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace tillora {

CKassivoView::CKassivoView(QWidget* parent)
    : QWidget(parent), m_measure(TableFont()),
      m_document(std::make_unique<CTableDocument>(&m_measure)), m_tabs(new QTabWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);
    for (TableKind kind : AllTables) {
        auto* grid = new CTableGrid(m_document->Grid(kind), kind, m_tabs);
        grid->setObjectName(QStringLiteral("table%1").arg(TableIndex(kind)));
        grid->setFont(m_measure.Font());
        m_grids[Index(kind)] = grid;
        m_readers[Index(kind)] = std::make_unique<TableReader>(*grid);
        m_tabs->addTab(grid, QString());
        grid->installEventFilter(this);
        UpdateTabCaption(kind);
        ConnectGrid(grid);
    }
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0) {
            if (std::exchange(m_focusParked, false)) {
                CurrentGrid().SetFocus();
            }
            RenewFocusPane();
            emit currentTableChanged(static_cast<TableKind>(index));
            emit editStateChanged();
        }
    });
    // The editor opening and closing moves the keyboard focus.
    connect(qApp, &QApplication::focusChanged, this, [this] {
        RenewFocusPane();
        emit editStateChanged();
    });
}

// The grids go before the cells they show, and nothing they signal on the way reaches the view.
CKassivoView::~CKassivoView() {
    disconnect(qApp, nullptr, this, nullptr);
    m_tabs->disconnect(this);
    for (CTableGrid* grid : m_grids) {
        grid->removeEventFilter(this);
        grid->disconnect(this);
        grid->model()->disconnect(this);
    }
    delete m_tabs;
}

void CKassivoView::ConnectGrid(CTableGrid* grid) {
    connect(grid, &CGridCtrl::focusCellChanged, this, [this, grid] {
        if (IsCurrent(grid)) {
            RenewFocusPane();
            emit editStateChanged();
        }
    });
    connect(grid, &CGridCtrl::selectionChangedByUser, this, [this, grid] {
        if (IsCurrent(grid)) {
            emit editStateChanged();
        }
    });
    connect(grid, &CGridCtrl::editorTextChanged, this, [this, grid](int, int, const QString& text) {
        if (!IsCurrent(grid)) {
            return;
        }
        const std::string typed = ToCp1251(text);
        if (const auto pane = FocusPaneText(*grid, &typed)) {
            emit focusPaneChanged(FromUtf8(*pane));
        }
    });
    connect(grid, &CGridCtrl::valueRefused, this,
            [this, grid](int row, int column, const QString& text) {
                if (IsCurrent(grid)) {
                    emit valueRefused(
                        FromUtf8(RefusedValueText(*grid, row, column, ToCp1251(text))));
                }
            });
    // A committed edit, a paste or a read changes the focus cell's length.
    auto renewIfCurrent = [this, grid] {
        if (IsCurrent(grid)) {
            RenewFocusPane();
        }
    };
    connect(grid->model(), &QAbstractItemModel::dataChanged, this, renewIfCurrent);
    connect(grid->model(), &QAbstractItemModel::modelReset, this, renewIfCurrent);
    connect(grid, &CGridCtrl::historyChanged, this, [this, grid] {
        if (IsCurrent(grid)) {
            emit editStateChanged();
        }
    });
}

// A grid, or its editor, hidden while it has the keyboard focus is asked by Qt to pass the focus
// on, which the grid takes as a Tab and so moves its focus cell. So the focus waits on the tab bar
// (which commits an open edit) and the table that is shown next takes it. Only a tab change hides
// a grid in a window that stays shown.
bool CKassivoView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && !event->spontaneous() && window()->isVisible()) {
        auto* grid = qobject_cast<CTableGrid*>(watched);
        QWidget* focus = QApplication::focusWidget();
        if (grid != nullptr && focus != nullptr && grid->isAncestorOf(focus)) {
            m_tabs->tabBar()->setFocus(Qt::OtherFocusReason);
            m_focusParked = true;
            grid->EndEditing();
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool CKassivoView::IsCurrent(const QObject* grid) const {
    return m_tabs->currentWidget() == grid;
}

int CKassivoView::GetCurtab() const {
    return m_tabs->currentIndex();
}

void CKassivoView::SetCurtab(int index) {
    m_tabs->setCurrentIndex(index);
}

TableKind CKassivoView::CurrentTable() const {
    const int index = m_tabs->currentIndex();
    return index >= 0 ? static_cast<TableKind>(index) : TableKind::Articles;
}

void CKassivoView::OnNextTable() {
    ActivateTable(NextTable(CurrentTable()));
}

void CKassivoView::OnPrevTable() {
    ActivateTable(PreviousTable(CurrentTable()));
}

void CKassivoView::ActivateTable(TableKind kind) {
    SetCurtab(TableIndex(kind));
    CTableGrid& grid = Grid(kind);
    grid.SetFocus();
    if (!grid.GetFocusCell().IsValid()) {
        grid.SetFocusCell(1, 1);
    }
}

void CKassivoView::UpdateTabCaption(TableKind kind) {
    const bool marked = m_captionMark && m_captionMark(kind);
    m_tabs->setTabText(TableIndex(kind),
                       MessageText(MarkedCaption(m_document->Caption(kind), marked)));
    // A screen reader names the table by its tab, as the user sees it.
    Grid(kind).setAccessibleName(MessageText(m_document->Caption(kind)));
}

void CKassivoView::SetCaptionMark(std::function<bool(TableKind)> marked) {
    m_captionMark = std::move(marked);
    for (TableKind kind : AllTables) {
        UpdateTabCaption(kind);
    }
}

QLineEdit* CKassivoView::OpenEditor() const {
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    return editor != nullptr && CurrentGrid().isAncestorOf(editor) ? editor : nullptr;
}

void CKassivoView::SetCommands(CCommands* commands) {
    for (CTableGrid* grid : m_grids) {
        grid->SetCommands(commands);
    }
}

void CKassivoView::RenewFocusPane() {
    const CTableGrid& grid = CurrentGrid();
    std::string typed;
    QLineEdit* editor = OpenEditor();
    if (editor != nullptr) {
        typed = ToCp1251(editor->text());
    }
    if (const auto pane = FocusPaneText(grid, editor != nullptr ? &typed : nullptr)) {
        emit focusPaneChanged(FromUtf8(*pane));
    }
}

} // namespace tillora
