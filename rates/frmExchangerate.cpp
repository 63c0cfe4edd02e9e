// The exchange-rate dialog: the window, its load from the voucher's rates text, OK and Close.
#include "rates/frmExchangerate.h"

#include "automation/Automation.h"
#include "component/Context.h"
#include "component/RateText.h"
#include "component/ReportError.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"

#include <memory>

namespace idj {

namespace {

constexpr const char* kWindow = "frmExchangerate";
constexpr int kColNo = 0, kColName = 1, kColRate = 2, kColId = 3;

// A rate as the grid shows it: with the blank of a number's text, without an exponent.
std::string shownRate(double rate) {
    std::string shown = rate < 0 ? "" : " ";
    return shown += rates::rateText(rate);
}

std::shared_ptr<frmExchangerate>& slot() {
    static std::shared_ptr<frmExchangerate> window;
    return window;
}

} // namespace

frmExchangerate& frmExchangerate::instance() {
    // The controls hand themselves out through the window's shared_from_this.
    auto& window = slot();
    if (!window) window.reset(new frmExchangerate());
    return *window;
}

bool frmExchangerate::exists() {
    return slot() != nullptr;
}

frmExchangerate::frmExchangerate() : forms::Form(kWindow) {
    wireEvents();
}

rt::ObjectPtr frmExchangerate::self() {
    return shared_from_this();
}

void frmExchangerate::wireEvents() {
    cmdOk.Click = [this] { cmdOk_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    mfgitem.RowColChange = [this] {
        trapped(kWindow, "mfgitem_RowColChange", [this] { mfgitem_RowColChange(); });
    };
    mfgitem.GotFocus = [this] { trapped(kWindow, "mfgitem_GotFocus", [this] { mfgitem_GotFocus(); }); };
    // Scrolling would leave the editor floating over another cell.
    mfgitem.Scroll = [this] { trapped(kWindow, "mfgitem_Scroll", [this] { mfgitem.setCol(kColNo); }); };
    txter.KeyPress = [this](int& keyAscii) {
        trapped(kWindow, "txter_KeyPress", [&] { txter_KeyPress(keyAscii); });
    };
    txter.KeyUp = [this](int& keyCode, int shift) {
        trapped(kWindow, "txter_KeyUp", [&] { txter_KeyUp(keyCode, shift); });
    };
    // A rate pasted or dropped with the mouse has no key release; without this OK would save the
    // old rate while the editor shows the new one.
    txter.Change = [this] { trapped(kWindow, "txter_Change", [this] { txter_Change(); }); };
}

void frmExchangerate::design() {
    Caption = "Exchange Rates";
    Width = 4620;
    Height = 3660;
    mfgitem.setCols(4);
    mfgitem.setRows(2);
    txter.Visible = false;
    int tab = 0;
    for (forms::Control* c : std::initializer_list<forms::Control*>{&mfgitem, &txter, &cmdOk, &cmdCancel})
        c->TabIndex = tab++;
    place(mfgitem, 120, 120, 4260, 2460);
    place(txter, 2745, 360, 1260, 255);
    place(cmdOk, 2040, 2760, 1095, 375);
    place(cmdCancel, 3285, 2760, 1095, 375);
    blnSuppressRowCol_ = false;
    blnSkipEnterRelease_ = false;
}

void frmExchangerate::Form_Load() {
    // Nothing of an earlier opening may reach this one's OK.
    blnLoaded_ = false;
    intBaseCurrency_ = 0;
    blnSuppressRowCol_ = false;
    blnSkipEnterRelease_ = false;
    blnLoaded_ = trapped(kWindow, "Form_Load", [this] {
        Context& c = ctx();
        forms::screen().MousePointer = forms::vbHourglass;
        objUiToolkit_ = automation::CreateObject("BaseServices.clsUiToolkit");
        objDataAccess_ = automation::CreateObject("BaseServices.clsDataAccess");
        automation::set(objDataAccess_, "adocon", adocon);
        automation::callv(c.objPainter, "ApplyPaintkit", self());
        // The rates are against the company's own currency.
        intBaseCurrency_ = PartyCurrency("Z", c.intCompanyID);
        setUpGrid();
        fillGrid();
        setColumns();
        forms::screen().MousePointer = forms::vbDefault;
    });
    // The failure has been reported; the user is not left with the hourglass.
    if (!blnLoaded_) forms::screen().MousePointer = forms::vbDefault;
}

void frmExchangerate::setUpGrid() {
    blnSuppressRowCol_ = true;
    mfgitem.setRows(2);
    mfgitem.setCols(4);
    const char* headings[] = {"Sl. No", "Currency Name", "Ex. Rate", "Currencyid"};
    mfgitem.setRow(0);
    for (int col = 0; col < 4; ++col) {
        mfgitem.setTextMatrix(0, col, headings[col]);
        mfgitem.setCol(col);
        mfgitem.setCellFontBold(true);
    }
    mfgitem.setRow(0);
    mfgitem.setCol(0);
    blnSuppressRowCol_ = false;
}

void frmExchangerate::fillGrid() {
    const rates::RateLists lists = rates::splitRates(ctx().GStrExchangeRates);
    const std::string ids = rates::sqlIdList(lists.ids);
    int added = 0;
    if (!ids.empty()) {
        const std::string sql = "select currencyname, currencyid from acurrencymaster where companyid = " +
                                std::to_string(ctx().intCompanyID) + " and currencyid in (" + ids + ")";
        ado::RecordsetPtr rs = ado::Recordset::create();
        rs->Open(sql, adocon, ado::adOpenStatic, ado::adLockReadOnly);
        for (; !rs->eof(); rs->MoveNext()) {
            const int32_t currency = rt::CLng(rs->field("CurrencyID").Value());
            if (currency == intBaseCurrency_) continue;
            ++added;
            mfgitem.AddItem(rt::Str(added) + "\t" + rt::TextOf(rs->field("Currencyname").Value()) + "\t" +
                                shownRate(rates::rateOf(lists, currency)) + "\t" + rt::Str(currency),
                            added);
        }
        rs->Close();
    }
    if (mfgitem.Rows() >= 3) {
        mfgitem.RemoveItem(mfgitem.Rows() - 1);
    } else if (added == 0) {
        // Nothing to rate: an empty row would only ask for a rate of no currency.
        mfgitem.setRows(1);
    }
}

void frmExchangerate::setColumns() {
    mfgitem.setColWidth(kColNo, 625);
    mfgitem.setColWidth(kColName, 2000);
    mfgitem.setColWidth(kColRate, 1250);
    mfgitem.setColWidth(kColId, 0);
    mfgitem.setColAlignment(kColNo, forms::flexAlignRightCenter);
    mfgitem.setColAlignment(kColName, forms::flexAlignLeftCenter);
    mfgitem.setColAlignment(kColRate, forms::flexAlignRightCenter);
}

int frmExchangerate::rowWithoutRate() const {
    // A negative rate would also put a second "-" into the text.
    for (int row = 1; row < mfgitem.Rows(); ++row)
        if (rt::Val(mfgitem.TextMatrix(row, kColRate)) <= 0) return row;
    return 0;
}

void frmExchangerate::cmdOk_Click() {
    trapped(kWindow, "cmdok_Click", [this] {
        // After a load that failed the grid is no list of the voucher's rates: the text stays.
        if (!blnLoaded_) {
            Unload();
            return;
        }
        if (int row = rowWithoutRate()) {
            // The Enter that closes the message must not move the editor off the cell.
            blnSkipEnterRelease_ = true;
            forms::MsgBox("Enter Exchange Rate", forms::vbInformation, ctx().strMsgboxCaption);
            mfgitem.setRow(row);
            mfgitem.setCol(kColRate);
            mfgitem.SetFocus();
            return;
        }
        // Without a listed currency there is nothing to write; the old text stays.
        if (mfgitem.Rows() > 1) {
            rates::RateLists lists;
            lists.ids.push_back(rt::Str(intBaseCurrency_));
            lists.rates.push_back("1");
            for (int row = 1; row < mfgitem.Rows(); ++row) {
                lists.ids.push_back(rt::Trim(mfgitem.TextMatrix(row, kColId)));
                lists.rates.push_back(rates::rateText(rt::Val(mfgitem.TextMatrix(row, kColRate))));
            }
            ctx().GStrExchangeRates = rates::joinRates(lists);
        }
        Unload();
    });
}

void frmExchangerate::cmdCancel_Click() {
    trapped(kWindow, "cmdCancel_Click", [this] { Unload(); });
}

void frmExchangerate::Form_Unload(int&) {
    objDataAccess_.reset();
    objUiToolkit_.reset();
}

} // namespace idj
