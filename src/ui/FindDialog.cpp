#include "ui/FindDialog.h"

#include "grid/QtText.h"
#include "res/StringIds.h"
#include "tables/Find.h"
#include "ui/UiText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tillora {

CFindDialog::CFindDialog(QWidget* parent)
    : QDialog(parent), m_text(new QLineEdit(this)),
      m_matchCase(new QCheckBox(UiText(ids::FindMatchCase), this)),
      m_selectedOnly(new QCheckBox(UiText(ids::FindSelectedOnly), this)),
      m_find(new QPushButton(UiText(ids::FindButton), this)),
      m_cancel(new QPushButton(UiText(ids::FindCancel), this)) {
    setWindowTitle(UiText(ids::FindCaption));
    m_text->setObjectName(QStringLiteral("text"));
    m_text->setMaxLength(static_cast<int>(MaxSearchTextLength));
    m_text->setMinimumWidth(fontMetrics().averageCharWidth() * 30);
    m_matchCase->setObjectName(QStringLiteral("matchCase"));
    m_selectedOnly->setObjectName(QStringLiteral("selectedOnly"));

    auto* label = new QLabel(UiText(ids::FindTextLabel), this);
    label->setBuddy(m_text);
    auto* textRow = new QHBoxLayout;
    textRow->addWidget(label);
    textRow->addWidget(m_text, 1);
    auto* fields = new QVBoxLayout;
    fields->addLayout(textRow);
    fields->addWidget(m_matchCase);
    fields->addWidget(m_selectedOnly);
    fields->addStretch(1);

    // The buttons stand at the right, one above the other, as in the register's other dialogs.
    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    m_find->setObjectName(QStringLiteral("find"));
    m_cancel->setObjectName(QStringLiteral("cancel"));
    buttons->addButton(m_find, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    m_find->setDefault(true);
    m_find->setAutoDefault(true);
    m_cancel->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_text->setFocus(Qt::OtherFocusReason);
}

std::string CFindDialog::Text() const {
    return ToCp1251(m_text->text());
}

bool CFindDialog::MatchCase() const {
    return m_matchCase->isChecked();
}

bool CFindDialog::SelectedOnly() const {
    return m_selectedOnly->isChecked();
}

} // namespace tillora
