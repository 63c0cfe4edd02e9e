#include "SampleForm.h"

#include "runtime/Error.h"

#include <QApplication>
#include <QKeyEvent>

SampleForm::SampleForm() : forms::Form("frmSample") {
    optFirst.designValue = true;
    lvwLines.designHeaders = {{"SlNo.", 600, forms::lvwColumnLeft, {}},
                              {"Account", 2400, forms::lvwColumnLeft, {}},
                              {"Debit", 1200, forms::lvwColumnRight, {}},
                              {"AccountID", 0, forms::lvwColumnLeft, {}}};
    cmdOk.Click = [this] {
        ++okClicks;
        if (!failWith.empty()) rt::raise(rt::errInvalidProcedureCall, "frmSample", failWith);
    };
    cmdClose.Click = [this] {
        ++closeClicks;
        Unload();
    };
    txtName.KeyPress = [](int& k) {
        if (k >= '0' && k <= '9') k = 0; // names take no digits
    };
    txtName.Change = [this] { ++nameChanges; };
    GrdData.Click = [this] { ++gridClicks; };
    lvwLines.ItemClick = [this](forms::ListItem&) { ++itemClicks; };
}

void SampleForm::design() {
    Caption = "Sample";
    Width = 9000;
    Height = 8000;
    KeyPreview = true;
    txtName.MaxLength = 10;
    cmdOk.Default = true;
    cmdClose.Cancel = true;
    auto place = [](forms::Control& c, int left, int top, int width, int height) {
        c.Left = left, c.Top = top, c.Width = width, c.Height = height;
    };
    place(lblName, 120, 120, 1000, 315);
    place(txtName, 1200, 120, 3000, 315);
    place(fraType, 4400, 60, 3000, 700);
    place(optFirst, 120, 300, 1300, 300);
    place(optSecond, 1500, 300, 1300, 300);
    place(chkFlag, 120, 540, 2000, 300);
    place(lblKind, 120, 900, 1000, 315);
    place(cboKind, 1200, 900, 3000, 315);
    place(lblDate, 4400, 900, 800, 315);
    place(dtpDate, 5300, 900, 1800, 315);
    place(GrdData, 120, 1350, 8600, 3000);
    place(lvwLines, 120, 4450, 8600, 1900);
    place(picButtons, 120, 6450, 8600, 600);
    place(cmdOk, 5800, 100, 1300, 400);
    place(cmdClose, 7200, 100, 1300, 400);
}

void SampleForm::Form_Load() {
    for (const char* k : {"Journal", "Payment", "Receipt", "Cash Transfer"})
        cboKind.AddItem(k);
    GrdData.setCols(4);
    GrdData.setRows(kGridRows + 1);
    const char* heads[] = {"ID", "Number", "Date", "Status"};
    for (int c = 0; c < 4; ++c) {
        GrdData.setTextMatrix(0, c, heads[c]);
        GrdData.setColWidth(c, c == 0 ? 0 : 1500);
    }
    for (int r = 1; r <= kGridRows; ++r) {
        GrdData.setTextMatrix(r, 0, std::to_string(r));
        GrdData.setTextMatrix(r, 1, "IDJ/" + std::to_string(r));
        GrdData.setTextMatrix(r, 2, "01/04/2026");
        GrdData.setTextMatrix(r, 3, r % 3 ? "Open" : "Posted");
    }
    GrdData.setRow(3);
    GrdData.setCol(3);
    GrdData.setCellForeColor(forms::vbRed);
    GrdData.setRow(1);
    GrdData.setCol(1);
    for (int i = 1; i <= 3; ++i) {
        forms::ListItem& it = lvwLines.Add(std::to_string(i));
        it.setSubItem(1, "Account " + std::to_string(i));
        it.setSubItem(2, std::to_string(i * 100) + ".00");
        it.setSubItem(3, std::to_string(10 + i));
    }
    okClicks = closeClicks = rowChanges = gridClicks = itemClicks = nameChanges = 0;
    GrdData.RowColChange = [this] { ++rowChanges; };
}

void SampleForm::Form_KeyDown(int& keyCode, int shift) {
    previewKeys.emplace_back(keyCode, shift);
}

void SampleForm::Form_QueryUnload(int& cancel, int unloadMode) {
    unloadModes.push_back(unloadMode);
    if (refuseClose) cancel = 1;
}

std::unique_ptr<desktop::FormDialog> showLive(forms::Form& form) {
    auto dialog = std::make_unique<desktop::FormDialog>(form);
    dialog->sync();
    dialog->show();
    dialog->activateWindow();
    QApplication::processEvents();
    form.activate();
    dialog->setLive(true);
    dialog->sync();
    return dialog;
}

DialogFixture::DialogFixture() : form(std::make_shared<SampleForm>()) {
    forms::setHost(&host);
    form->Load();
    dialog = showLive(*form);
}

DialogFixture::~DialogFixture() {
    dialog.reset();
    forms::setHost(nullptr);
}

void DialogFixture::key(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) const {
    QWidget* target = QApplication::focusWidget();
    if (!target) target = dialog.get();
    QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, text);
    QApplication::sendEvent(target, &press);
    target = QApplication::focusWidget() ? QApplication::focusWidget() : dialog.get();
    QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, text);
    QApplication::sendEvent(target, &release);
}

void DialogFixture::type(const QString& text) const {
    for (QChar ch : text) {
        int k = ch.toUpper().unicode();
        Qt::KeyboardModifiers m = ch.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
        key(k, m, QString(ch));
    }
}
