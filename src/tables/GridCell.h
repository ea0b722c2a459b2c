#pragma once

#include "tables/GridCellBase.h"

#include <memory>

namespace tillora {

// The standard text cell: free text, stored as given, and everything the grid draws it with.
class CGridCell : public CGridCellBase {
public:
    static constexpr std::string_view ClassName = "CGridCell";
    const CellClass& GetClass() const override { return ClassOf<CGridCell>(); }

    void SetText(std::string_view text) override { m_text = text; }
    std::string GetText() const override { return m_text; }

    virtual void SetData(std::int32_t data) { m_data = data; }
    std::int32_t GetData() const { return m_data; }
    void SetImage(int image) { m_image = image; }
    int GetImage() const { return m_image; }
    void SetFormat(std::uint32_t format) { m_format = format; }
    std::uint32_t GetFormat() const { return m_format; }
    void SetTextClr(Colour colour) { m_textColour = colour; }
    Colour GetTextClr() const { return m_textColour; }
    void SetBackClr(Colour colour) { m_backColour = colour; }
    Colour GetBackClr() const { return m_backColour; }
    // Keeps a copy of the font; none gives the default cell's back.
    void SetFont(const CellFont* font);
    const CellFont* GetFont() const { return m_font.get(); }
    bool IsDefaultFont() const { return m_font == nullptr; }
    void SetMargin(int margin) { m_margin = margin; }
    int GetMargin() const { return m_margin; }

    // Set between the opening and the closing of an in-place editor on the cell.
    void SetEditing(bool editing) { m_editing = editing; }
    bool IsEditing() const { return m_editing; }

    // Right if the format aligns right, else centred if it centres, else left; no limit.
    EditorOptions GetEditorOptions() const override;

    void CopyFrom(const CGridCellBase& other) override;
    void Reset() override;

protected:
    // The text as stored, for classes that keep more than the text.
    void StoreText(std::string text) { m_text = std::move(text); }

private:
    std::string m_text;
    std::int32_t m_data = 0;
    int m_image = -1;
    std::uint32_t m_format = CellFormat::Default;
    Colour m_textColour = DefaultColour;
    Colour m_backColour = DefaultColour;
    std::unique_ptr<CellFont> m_font;
    int m_margin = -1;
    bool m_editing = false;
};

} // namespace tillora
