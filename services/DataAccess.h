#pragma once
// BaseServices.clsDataAccess: single values and combo lists read from a table text.
#include "ado/Ado.h"
#include "forms/ComboBox.h"
#include "runtime/Object.h"
#include "runtime/Variant.h"

#include <string>

namespace services {

class DataAccess : public rt::Object {
  public:
    static constexpr const char* kProgId = "BaseServices.clsDataAccess";

    std::string className() const override { return "clsDataAccess"; }
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

    ado::ConnectionPtr adocon;
    // What follows FROM: a table, joined tables, or a table with " where " and a condition.
    std::string strTableName;

    // The field (a column or an expression) of the first row: Empty without a row, Null for NULL.
    rt::Variant fnreturnfield(const std::string& field, const std::string& condition = {});
    // Replaces the combo's entries by the rows: text field as text, id field as item data.
    void populatecomboorlist(forms::ComboBox& combo, const std::string& idField, const std::string& textField,
                             const std::string& condition);

  private:
    std::string statement(const std::string& fields, const std::string& condition) const;
    const ado::ConnectionPtr& connection() const;
};

} // namespace services
