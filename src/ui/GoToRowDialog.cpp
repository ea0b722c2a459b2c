#include "ui/GoToRowDialog.h"

#include "grid/QtText.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/GoToRow.h"
#include "ui/UiText.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tillora {

CGoToRowDialog::CGoToRowDialog(int maxRow, IFeedback& feedback, QWidget* parent)
    : QDialog(parent), m_maxRow(maxRow), m_feedback(feedback),
      m_prompt(new QLabel(UiText(ids::GoToRowLabel), this)), m_number(new QLineEdit(this)),
      m_ok(new QPushButton(UiText(ids::GoToRowOk), this)),
      m_cancel(new QPushButton(UiText(ids::GoToRowCancel), this)) {
    setWindowTitle(UiText(ids::GoToRowCaption));
    // The resource's label is replaced by the range of the current table.
    m_prompt->setText(
        MessageText(FormatMessage(ids::EnterRowNumber, static_cast<unsigned>(m_maxRow))));
    m_prompt->setObjectName(QStringLiteral("prompt"));
    m_prompt->setBuddy(m_number);
    m_number->setObjectName(QStringLiteral("number"));
    m_number->setMaxLength(MaxRowNumberLength);
    m_number->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) +
                            fontMetrics().averageCharWidth() * 3);

    auto* fields = new QHBoxLayout;
    fields->addWidget(m_prompt);
    fields->addWidget(m_number);
    fields->addStretch(1);

    auto* buttons = new QDialogButtonBox(this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_cancel->setObjectName(QStringLiteral("cancel"));
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    m_cancel->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &CGoToRowDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_number->setFocus(Qt::OtherFocusReason);
}

void CGoToRowDialog::accept() {
    const std::optional<int> row = ParseRowNumber(ToCp1251(m_number->text()), m_maxRow);
    if (!row) {
        ShowError(m_feedback, ids::EnterRowNumber, static_cast<unsigned>(m_maxRow));
        m_number->setFocus(Qt::OtherFocusReason);
        m_number->selectAll();
        return;
    }
    m_row = *row;
    QDialog::accept();
}

} // namespace tillora
