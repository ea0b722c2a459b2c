#pragma once

#include <QDialog>

#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tillora {

// "Търси": the text to search for (at most 50 characters) and the two options. It opens empty with
// both boxes cleared every time, never showing the last search.
class CFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit CFindDialog(QWidget* parent = nullptr);

    // After OK: the text in Windows-1251 and the options.
    std::string Text() const;
    bool MatchCase() const;
    bool SelectedOnly() const;

    QLineEdit* TextEdit() const { return m_text; }
    QCheckBox* MatchCaseBox() const { return m_matchCase; }
    QCheckBox* SelectedOnlyBox() const { return m_selectedOnly; }
    QPushButton* FindButton() const { return m_find; }
    QPushButton* CancelButton() const { return m_cancel; }

private:
    QLineEdit* m_text;
    QCheckBox* m_matchCase;
    QCheckBox* m_selectedOnly;
    QPushButton* m_find;
    QPushButton* m_cancel;
};

} // namespace tillora
