// The exchange-rate dialog's in-place editor: a text box laid over the rate cell.
#include "automation/Automation.h"
#include "component/RateText.h"
#include "forms/Constants.h"
#include "rates/frmExchangerate.h"
#include "runtime/Convert.h"

namespace idj {

namespace {
constexpr int kColName = 1, kColRate = 2, kColId = 3;
// The grid draws its rows this high; the model keeps no row heights.
constexpr int kRowHeight = 240;
} // namespace

bool frmExchangerate::onRateCell() const {
    return mfgitem.Col() == kColRate && mfgitem.Row() >= 1;
}

void frmExchangerate::placeEditor() {
    int cellLeft = 0;
    for (int col = 0; col < mfgitem.Col(); ++col)
        cellLeft += mfgitem.ColWidth(col);
    const int cellTop = (mfgitem.FixedRows + mfgitem.Row() - mfgitem.TopRow()) * kRowHeight;
    txter.Left = mfgitem.Left + cellLeft;
    txter.Top = mfgitem.Top + cellTop;
    txter.Width = mfgitem.ColWidth(mfgitem.Col()) + 10;
    txter.Height = kRowHeight + 10;
    txter.touch();
}

void frmExchangerate::mfgitem_RowColChange() {
    if (blnSuppressRowCol_) return;
    txter.Visible = false;
    txter.touch();
    if (!onRateCell()) return;
    placeEditor();
    const std::string& cell = mfgitem.TextMatrix(mfgitem.Row(), kColRate);
    txter.setText(rt::Trim(cell).empty() ? std::string() : rates::rateText(rt::Val(cell)));
    // A rate typed over the cell replaces the old one; appended to it, it would read as another rate.
    txter.selectAll();
    txter.Visible = true;
    txter.SetFocus();
}

void frmExchangerate::mfgitem_GotFocus() {
    if (!onRateCell()) return;
    placeEditor();
    txter.Visible = true;
    txter.SetFocus();
}

void frmExchangerate::txter_KeyPress(int& keyAscii) {
    std::vector<rt::Variant> args{txter.ref(), static_cast<int32_t>(keyAscii), static_cast<int32_t>(15),
                                  static_cast<int32_t>(8)};
    automation::call(objUiToolkit_, "TextValidateNum", args);
    keyAscii = rt::CLng(args[1]);
}

void frmExchangerate::txter_KeyUp(int keyCode, int shift) {
    if (keyCode == forms::vbKeyReturn) {
        if (shift & forms::vbShiftMask)
            mfgitem.setCol(kColName);
        else if (!blnSkipEnterRelease_)
            mfgitem.setCol(kColId);
    }
    if (mfgitem.Col() == kColRate) mfgitem.setTextMatrix(mfgitem.Row(), kColRate, txter.Text());
    blnSkipEnterRelease_ = false;
}

void frmExchangerate::txter_Change() {
    if (txter.Visible && onRateCell()) mfgitem.setTextMatrix(mfgitem.Row(), kColRate, txter.Text());
}

} // namespace idj
