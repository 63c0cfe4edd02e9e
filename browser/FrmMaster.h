#pragma once
// The browse window: lists the company's inter-division journal vouchers of the financial
// year and starts every action on them.
#include "ado/Ado.h"
#include "component/GridColumns.h"
#include "forms/Controls.h"

#include <memory>
#include <string>

namespace idj {

class FrmMaster : public forms::Form {
  public:
    // The one browse window of the process (created on first use).
    static FrmMaster& instance();
    static bool exists();

    // The host's connection, held by reference.
    ado::ConnectionPtr adocon;

    forms::PictureBox Picture1{*this, "Picture1"};
    forms::FlexGrid GrdMaster{*this, "GrdMaster"};
    forms::Frame fraBrowse{*this, "fraBrowse", "Browse"};
    forms::Label lblsearch{*this, "lblsearch", "&Search On:", &fraBrowse};
    forms::ComboBox cboSearch{*this, "cboSearch", &fraBrowse};
    forms::TextBox txtsearch{*this, "txtsearch", &fraBrowse};
    forms::CheckBox chkSearchAll{*this, "chkSearchAll", "Search &All", &fraBrowse};
    forms::ComboBox cboColNames{*this, "cboColNames", &fraBrowse};
    forms::OptionButton optAscend{*this, "optAscend", "Ascending", &fraBrowse};
    forms::OptionButton optDescend{*this, "optDescend", "Descending", &fraBrowse};
    forms::CommandButton cmdNew{*this, "cmdNew", "&New", &Picture1};
    forms::CommandButton CmdEdit{*this, "CmdEdit", "&Edit", &Picture1};
    forms::CommandButton cmdDuplicate{*this, "cmdDuplicate", "D&uplicate", &Picture1};
    forms::CommandButton CmdDelete{*this, "CmdDelete", "&Delete", &Picture1};
    forms::CommandButton cmdUpdate{*this, "cmdUpdate", "Cancel Postin&g", &Picture1};
    forms::CommandButton cmdpreview{*this, "cmdpreview", "&Preview...", &Picture1};
    forms::CommandButton CmdClose{*this, "CmdClose", "&Close", &Picture1};

    // The reason typed in the reason-for-deletion dialog.
    std::string strCancelReason;

    // Grid filling (the statement's '?' placeholders take `params`).
    void GridPopulate(const std::string& strSql, const std::string& strTableMain,
                      const std::string& strTableRelation = {}, const ado::Params& params = {});
    void FillColumnHeaders(const std::string& strTableMain, std::vector<int>& lengths);
    void ColourStatusRows();
    // The grid's selection-change handling.
    void grdMaster_SelChange();

    // Rights and button states.
    void LoadFunctionRights();
    static bool HasRight(const std::string& letter);
    void EnableOrDisableButtons();
    bool fnCheckEditDelete(uint8_t bytEditDeleteFlag);

    // Search and sort.
    void SeekInGrid();
    void SearchTheWordFromTable();

    // Actions.
    void cmdNew_Click();
    void CmdEdit_Click();
    void cmdDuplicate_Click();
    void CmdDelete_Click();
    void cmdUpdate_Click();
    void cmdPreview_click();
    void CmdClose_Click();

    // What GridPopulate kept of the last fill.
    const std::string& lastGridSql() const { return strGridSql_; }
    const ado::Params& lastGridParams() const { return gridParams_; }
    bool loading() const { return blnLoading_; }

    // The voucher of the grid's current row, 0 when the row holds none.
    int32_t selectedVoucherId() const;
    // The current row's text in a column, empty when the grid's layout lacks that column.
    std::string cell(BrowseColumn column) const;
    // The table search's narrower list is up instead of the full one.
    bool searchLayout() const { return GrdMaster.Cols() == kBrowseSearchCols; }

    // The start-up statement of the list (company, year, look-back, the user's department).
    std::string browseStatement() const;

  protected:
    void design() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_KeyPress(int& keyAscii) override;
    void Form_KeyDown(int& keyCode, int shift) override;

  private:
    FrmMaster();
    void wireEvents();
    // The Browse frame's sort and search controls.
    void wireSearchEvents();
    // The column a sort or search entry stands for, in the layout the lists were filled for.
    BrowseColumn entryColumn(const forms::ComboBox& combo) const;
    // After a deletion: log it, refresh the row from the database and draw it red.
    void markRowCancelled(int32_t id, const std::string& voucherNo, const char* actionCode,
                          BrowseColumn lastRedColumn);
    // Re-reads the current row's voucher, so the row shows what another user changed.
    void refreshCurrentRow(int32_t id);

    rt::ObjectPtr objUiToolkit_;
    rt::ObjectPtr objDataAccess_;
    std::string strGridSql_, strTableMain_, strTableRelation_;
    ado::Params gridParams_;
    bool blnLoading_ = false;
    // The report engine and the open report, kept while its preview is open.
    rt::ObjectPtr objReportApp_, objReport_, objPrintOptions_, objParamFields_, objParamField_;
};

} // namespace idj
