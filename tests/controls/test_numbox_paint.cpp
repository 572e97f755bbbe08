// How the field looks: the colour rules, the selection, the border and the
// buttons, read from the painted widget.

#include "NumboxFixture.h"

#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <functional>

namespace numbox::testing {
namespace {

using NumboxPaintTest = NumboxTest;

constexpr OleColor kBlue = 0xFF0000, kGreen = 0x00FF00, kYellow = 0x00FFFF, kPurple = 0x800080;

TEST_F(NumboxPaintTest, ColourRulesTakeTheFirstThatAppliesAndIsSet) {
  struct Case {
    const char* name;
    std::function<void(CNumCtrl*)> setup;
    bool focused;
    QColor fore, back;
  } cases[] = {
      {"plain", [](CNumCtrl*) {}, false, ColorOf(kSystemWindowText, QPalette()), ColorOf(kSystemWindow, QPalette())},
      {"disabled text is grey over the normal background",
       [](CNumCtrl* f) { f->SetEnabled(false); f->SetBackColor(kYellow); }, false,
       ColorOf(0x80000011, QPalette()), QColor(255, 255, 0)},
      {"locked wins over focus",
       [](CNumCtrl* f) { f->SetLocked(true); f->SetReadOnlyForeColor(kBlue); f->SetFocusForeColor(kGreen); },
       true, QColor(0, 0, 255), ColorOf(kSystemButtonFace, QPalette())},
      {"focus colours", [](CNumCtrl* f) { f->SetFocusForeColor(kGreen); f->SetFocusBackColor(kYellow); }, true,
       QColor(0, 255, 0), QColor(255, 255, 0)},
      {"an unset focus colour falls through",
       [](CNumCtrl* f) { f->SetText("-5"); f->SetNegForeColor(kPurple); }, true, QColor(128, 0, 128),
       ColorOf(kSystemWindow, QPalette())},
      {"negative", [](CNumCtrl* f) { f->SetText("-5"); f->SetNegForeColor(kBlue); f->SetNegBackColor(kGreen); },
       false, QColor(0, 0, 255), QColor(0, 255, 0)},
      {"null text colours",
       [](CNumCtrl* f) {
         f->SetMaskZeroIfNull(false);
         f->SetDataType(0);
         f->SetText("");
         f->SetNullText("none");
         f->SetNullForeColor(kBlue);
         f->SetNullBackColor(kYellow);
       },
       false, QColor(0, 0, 255), QColor(255, 255, 0)},
      {"system colours are the palette's",
       [](CNumCtrl* f) { f->SetForeColor(kSystemHighlightText); f->SetBackColor(kSystemHighlight); }, false,
       ColorOf(kSystemHighlightText, QPalette()), ColorOf(kSystemHighlight, QPalette())},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CNumCtrl* field = AddField();
    c.setup(field);
    if (c.focused) Focus(field);
    EXPECT_EQ(field->GetCurrentForeColor(), c.fore);
    EXPECT_EQ(field->GetCurrentBackColor(), c.back);
    field->clearFocus();
  }
}

class NumboxPictureTest : public NumboxPaintTest {
 protected:
  static QImage Picture(CNumCtrl* field) { return field->grab().toImage(); }
  static QRgb Pixel(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }
  // Whether any pixel of the row segment has the colour.
  static bool RowHas(const QImage& image, int y, int x0, int x1, const QColor& color) {
    for (int x = x0; x < x1; ++x) {
      if (Pixel(image, x, y) == color.rgb()) return true;
    }
    return false;
  }
};

TEST_F(NumboxPaintTest, DisabledTextStaysReadableOnTheLightGreyOfDisabledLines) {
  CNumCtrl* total = AddTaxLine();
  total->SetText("1209567");
  total->SetEnabled(false);
  total->SetBackColor(0xC0C0C0);
  const int text = qGray(total->GetCurrentForeColor().rgb());
  const int back = qGray(total->GetCurrentBackColor().rgb());
  EXPECT_EQ(back, 192);
  EXPECT_GT(std::abs(text - back), 48);
}

TEST_F(NumboxPictureTest, BorderStylesAndTheInnerMargin) {
  CNumCtrl* field = AddField();
  field->SetBackColor(kYellow);
  const FrameColors frame = field->Frame();
  QImage image = Picture(field);
  EXPECT_EQ(Pixel(image, 0, 10), frame.shadow.rgb());     // outer top-left
  EXPECT_EQ(Pixel(image, 1, 10), frame.frame.rgb());      // inner top-left
  EXPECT_EQ(Pixel(image, 159, 10), frame.highlight.rgb());  // outer bottom-right
  EXPECT_EQ(Pixel(image, 158, 10), frame.face.rgb());     // inner bottom-right
  EXPECT_EQ(Pixel(image, 2, 10), qRgb(255, 255, 0));  // the margin in the background colour

  field->SetAppearance(0);
  image = Picture(field);
  EXPECT_EQ(Pixel(image, 0, 10), frame.frame.rgb());
  EXPECT_EQ(Pixel(image, 1, 10), qRgb(255, 255, 0));

  field->SetBorderStyle(0);
  image = Picture(field);
  EXPECT_EQ(Pixel(image, 0, 10), qRgb(255, 255, 0));
  EXPECT_EQ(field->GetTextRect().left, 0);
}

TEST_F(NumboxPictureTest, AFieldLeftWithAnErrorIsDrawnInTheErrorColour) {
  CNumCtrl* field = AddTaxLine();
  AddTaxLine();
  field->SetValidateType(1);
  field->SetValidateRangeLow("10");
  field->SetValidateRangeHigh("20");
  field->SetText("5");
  Focus(field);
  QTest::keyClick(field, Qt::Key_Tab);
  ASSERT_TRUE(field->MaskError());
  const QImage image = Picture(field);
  const Rect text = field->GetTextRect();
  bool red = false;
  for (int y = text.top; y < text.bottom && !red; ++y) red = RowHas(image, y, text.left, text.right, Qt::red);
  EXPECT_TRUE(red);
}

TEST_F(NumboxPictureTest, TheSelectionShowsOnlyWhileFocusedUnlessToldOtherwise) {
  CNumCtrl* field = AddField();
  field->SetText("12345");
  const QColor highlight = field->ToColor(kSystemHighlight);
  auto selectionDrawn = [&] {
    const QImage image = Picture(field);
    const Rect text = field->GetTextRect();
    return RowHas(image, text.top + 2, text.left, text.right, highlight);
  };
  Focus(field);
  field->SetSel(1, 4);
  EXPECT_TRUE(selectionDrawn());
  auto* other = new QLineEdit(window_.get());
  other->show();
  other->setFocus();
  EXPECT_FALSE(selectionDrawn());
  field->SetHideSelection(false);
  field->SetSel(1, 4);
  EXPECT_TRUE(selectionDrawn());
}

TEST_F(NumboxPictureTest, ButtonsTakeTheirPlaceAtTheRightEdge) {
  CNumCtrl* field = AddField();
  field->SetSpinButton(true);
  field->SetEllipsesButton(true);
  field->SetCalcDropDown(true);
  const Rect client = field->ClientRect();
  EXPECT_EQ(field->CalculatorButtonRect().right, client.right);
  EXPECT_EQ(field->CalculatorButtonRect().Width(), 13);
  EXPECT_EQ(field->EllipsesButtonRect().right, client.right - 13);
  EXPECT_EQ(field->EllipsesButtonRect().Width(), 16);
  EXPECT_EQ(field->SpinUpRect().right, client.right - 29);
  EXPECT_EQ(field->SpinUpRect().bottom, field->SpinDownRect().top + (client.Height() % 2));
  EXPECT_EQ(field->GetTextRect().right, client.right - 42 - 1 - 1 - 1);

  // The ellipses button without a picture shows three dots, grey when disabled.
  const Rect e = field->EllipsesButtonRect();
  const int x0 = e.left + e.Width() / 2 - 4, y0 = e.bottom + (e.top - e.bottom) / 3;
  EXPECT_EQ(Pixel(Picture(field), x0 + 6, y0), field->Frame().frame.rgb());
  field->SetEllipsesButtonEnabled(false);
  EXPECT_EQ(Pixel(Picture(field), x0 + 6, y0), field->ToColor(0x80000011).rgb());

  field->SetAppearance(0);
  EXPECT_EQ(field->ButtonArea().right, field->ClientRect().right + 1);
}

}  // namespace
}  // namespace numbox::testing
