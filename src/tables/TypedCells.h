#pragma once

#include "tables/GridCell.h"

namespace tillora {

// The typed cells. Each stores its value in one normal form and turns a text it does not accept
// into the empty text; the send procedures read these forms back.

// Digits only, at least twelve, zero-padded on the left.
class CGridCellBarcode : public CGridCell {
public:
    static constexpr std::string_view ClassName = "CGridCellBarcode";
    const CellClass& GetClass() const override { return ClassOf<CGridCellBarcode>(); }
    void SetText(std::string_view text) override;
    EditorOptions GetEditorOptions() const override { return {true, EditorAlignment::Right, 12}; }
};

// One tax-group letter of the register model in force when the text is set.
class CGridCellChar1 : public CGridCell {
public:
    static constexpr std::string_view ClassName = "CGridCellChar1";
    const CellClass& GetClass() const override { return ClassOf<CGridCellChar1>(); }
    void SetText(std::string_view text) override;
    EditorOptions GetEditorOptions() const override { return {false, EditorAlignment::Center, 1}; }
};

// An on/off flag that reads "1" or "0", never the empty text.
class CGridCellCheck : public CGridCell {
public:
    static constexpr std::string_view ClassName = "CGridCellCheck";
    const CellClass& GetClass() const override { return ClassOf<CGridCellCheck>(); }
    // The empty text and "0" clear the flag; every other text sets it.
    void SetText(std::string_view text) override;
    std::string GetText() const override { return m_checked ? "1" : "0"; }
    bool GetCheck() const { return m_checked; }
    // A click on the box: not a change of the text, so no modified mark.
    void Toggle() { m_checked = !m_checked; }
    void Reset() override;

private:
    bool m_checked = false;
};

// One decimal digit.
class CGridCellNum1 : public CGridCell {
public:
    static constexpr std::string_view ClassName = "CGridCellNum1";
    const CellClass& GetClass() const override { return ClassOf<CGridCellNum1>(); }
    void SetText(std::string_view text) override;
    EditorOptions GetEditorOptions() const override { return {true, EditorAlignment::Center, 1}; }
};

// A non-negative amount with two decimals.
class CGridCellPrice : public CGridCell {
public:
    static constexpr std::string_view ClassName = "CGridCellPrice";
    const CellClass& GetClass() const override { return ClassOf<CGridCellPrice>(); }
    void SetText(std::string_view text) override;
    EditorOptions GetEditorOptions() const override {
        return {false, EditorAlignment::Right, 30, true};
    }
};

// A non-negative quantity with three decimals.
class CGridCellQuantity : public CGridCell {
public:
    static constexpr std::string_view ClassName = "CGridCellQuantity";
    const CellClass& GetClass() const override { return ClassOf<CGridCellQuantity>(); }
    void SetText(std::string_view text) override;
    EditorOptions GetEditorOptions() const override {
        return {false, EditorAlignment::Right, 30, true};
    }
};

// The stored forms, for every place that needs a value in a cell's form without a cell.
std::string BarcodeForm(std::string_view text);
std::string TaxGroupForm(std::string_view text, int model);
std::string DigitForm(std::string_view text);
std::string AmountForm(std::string_view text, int decimals);

} // namespace tillora
