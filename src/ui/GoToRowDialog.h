#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tillora {

class IFeedback;

// "Отиди на ред ...": a row number from 1 to the table's N. OK with anything else shows 20031 and
// keeps the dialog open with the keyboard focus back in the number.
class CGoToRowDialog : public QDialog {
    Q_OBJECT
public:
    // maxRow is N, the current table's number of data rows.
    CGoToRowDialog(int maxRow, IFeedback& feedback, QWidget* parent = nullptr);

    int MaxRow() const { return m_maxRow; }
    // The accepted grid row, after OK; 0 before.
    int Row() const { return m_row; }

    QLabel* Prompt() const { return m_prompt; }
    QLineEdit* NumberEdit() const { return m_number; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

    // Checks the number; closes only with one that the table has.
    void accept() override;

private:
    int m_maxRow;
    IFeedback& m_feedback;
    int m_row = 0;
    QLabel* m_prompt;
    QLineEdit* m_number;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace tillora
