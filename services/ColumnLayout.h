#pragma once
// ColumnLayout.clsColumnLayout: each user's column widths of a grid, per company, in the table
// aGridColumnLayout. A grid is known by its window's and its own name ("FrmMaster.GrdMaster").
#include "ado/Ado.h"
#include "forms/FlexGrid.h"
#include "runtime/Object.h"

#include <cstdint>
#include <string>

namespace services {

class ColumnLayout : public rt::Object {
  public:
    static constexpr const char* kProgId = "ColumnLayout.clsColumnLayout";

    std::string className() const override { return "clsColumnLayout"; }
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

    // Without `save`: applies the saved widths, if any, to the columns the grid has. With it:
    // replaces the saved widths by the grid's current ones.
    static bool fnGridSettings(int16_t user, int16_t company, forms::FlexGrid& grid,
                               const ado::ConnectionPtr& connection, bool save = false);

    static std::string gridName(const forms::FlexGrid& grid);
};

} // namespace services
