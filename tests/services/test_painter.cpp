#include "SampleForm.h"

#include "automation/Automation.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "services/Painter.h"

#include <gtest/gtest.h>

TEST(Painter, ColoursTheWindowAndItsControlsByKind) {
    auto form = servicetest::SampleForm::create();
    automation::callv(automation::CreateObject("Paintkit.clsPainter"), "ApplyPaintkit", rt::ObjectPtr(form));
    using services::Painter;
    EXPECT_EQ(form->BackColor, Painter::kWindow);
    EXPECT_EQ(form->lblRemarks.BackColor, Painter::kWindow);
    EXPECT_EQ(form->optDebit.BackColor, Painter::kWindow);
    EXPECT_EQ(form->txtRemarks.BackColor, Painter::kInput);
    EXPECT_EQ(form->cboDepartment.BackColor, Painter::kInput);
    EXPECT_EQ(form->cmdOK.BackColor, Painter::kButton);
    EXPECT_EQ(form->grdList.BackColor, Painter::kList);
    EXPECT_EQ(form->mnuPopup.BackColor, forms::vbWindowBackground);
}
