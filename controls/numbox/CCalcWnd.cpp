#include "numbox/CCalcWnd.h"

#include "numbox/CNumCtrl.h"
#include "numbox/NumServices.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>

namespace numbox {

namespace {

enum class LabelGroup { Digit, Operator, Clear, Memory };

struct ButtonPlace {
  int row, column;
  LabelGroup group;
};

// Grid cell and label colour of each button; "+" is two rows high.
constexpr ButtonPlace kPlaces[kCalcButtonCount] = {
    {4, 1, LabelGroup::Digit},    {3, 1, LabelGroup::Digit},    {3, 2, LabelGroup::Digit},
    {3, 3, LabelGroup::Digit},    {2, 1, LabelGroup::Digit},    {2, 2, LabelGroup::Digit},
    {2, 3, LabelGroup::Digit},    {1, 1, LabelGroup::Digit},    {1, 2, LabelGroup::Digit},
    {1, 3, LabelGroup::Digit},    {4, 2, LabelGroup::Digit},    {4, 3, LabelGroup::Operator},
    {1, 0, LabelGroup::Operator}, {2, 0, LabelGroup::Operator}, {4, 0, LabelGroup::Clear},
    {1, 4, LabelGroup::Operator}, {2, 4, LabelGroup::Operator}, {3, 4, LabelGroup::Operator},
    {0, 5, LabelGroup::Digit},    {1, 5, LabelGroup::Operator}, {2, 5, LabelGroup::Memory},
    {3, 5, LabelGroup::Memory},   {4, 5, LabelGroup::Memory},
};

struct KeyButton {
  int code;
  int button;
};

// Characters that press a button while the calculator is down.
constexpr KeyButton kCharacterButtons[] = {
    {'.', kCalcDecimal}, {'=', kCalcEqual},    {'*', kCalcMultiply}, {'-', kCalcSubtract},
    {'+', kCalcAdd},     {'/', kCalcDivide},   {8, kCalcBackspace},
};

}  // namespace

std::array<QString, kCalcButtonCount> CalcSettings::DefaultButtonTexts() {
  std::array<QString, kCalcButtonCount> texts;
  for (int d = 0; d <= 9; ++d) texts[d] = QString::number(d);
  const char* rest[] = {".", "=", "\xB1", "sq", "C", "\xD7", "-", "+", "<<", "\xF7", "M!", "M+", "M-"};
  for (int i = 0; i < 13; ++i) {
    QString text;
    for (const char* c = rest[i]; *c; ++c) text += AnsiChar(static_cast<unsigned char>(*c));
    texts[10 + i] = text;
  }
  return texts;
}

CCalcWnd::CCalcWnd(CNumCtrl* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                         Qt::WindowStaysOnTopHint | Qt::BypassWindowManagerHint),
      owner_(owner) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setObjectName("quorCalculator");
}

void CCalcWnd::Load(double x) {
  engine_.Load(x);
  pressed_ = -1;
  tracking_ = pushed_ = false;
  update();
}

bool CCalcWnd::Press(int button) {
  const bool acted = engine_.Press(button);
  update();
  if (!acted) return true;
  return owner_->FireCalcBtnClick(static_cast<short>(button));
}

bool CCalcWnd::Character(int code) {
  if (code >= '0' && code <= '9') {
    Press(code - '0');
    return true;
  }
  if (code == 13) {
    owner_->CommitCalculator();
    return true;
  }
  for (const KeyButton& k : kCharacterButtons) {
    if (k.code == code) {
      Press(k.button);
      return true;
    }
  }
  return false;
}

bool CCalcWnd::KeyDown(int vk) {
  switch (vk) {
    case kVkDelete:
      Press(kCalcClear);
      return true;
    case kVkF4:
      owner_->CommitCalculator();
      return true;
    case kVkEscape:
      owner_->CloseCalculator();
      return true;
    default:
      return false;
  }
}

QString CCalcWnd::DisplayText() const { return engine_.DisplayText(owner_->calc_.errorText); }

// ---- layout ----------------------------------------------------------------

QRect CCalcWnd::DisplayRect() const {
  const int ch = (height() - 8) / 6;
  return QRect(QPoint(4, 4), QPoint(width() - 4 - 1, ch + 2 - 1));
}

QRect CCalcWnd::CellRect(int row, int column) const {
  const int cw = (width() - 8) / 6, ch = (height() - 8) / 6;
  const QRect display = DisplayRect();
  const int top = display.bottom() + 1 + 2 + row * (ch + 1);
  const int left = display.left() + column * (cw + 1);
  return QRect(left, top, cw - 2, ch - 2);
}

QRect CCalcWnd::ButtonRect(int button) const {
  if (button < 0 || button >= kCalcButtonCount) return QRect();
  const ButtonPlace& place = kPlaces[button];
  QRect r = CellRect(place.row, place.column);
  if (button == kCalcAdd) r.setHeight(2 * r.height() + 3);
  return r;
}

QRect CCalcWnd::MemoryRect() const { return CellRect(0, 0); }

int CCalcWnd::ButtonAt(QPoint at) const {
  for (int b = 0; b < kCalcButtonCount; ++b) {
    if (ButtonRect(b).contains(at)) return b;
  }
  return -1;
}

// ---- painting ----------------------------------------------------------------

QColor CCalcWnd::TextColor(OleColor value) const {
  return ColorOf(value == kIgnoreColor ? owner_->ForeColor() : value, owner_->palette());
}

void CCalcWnd::FillIfSet(QPainter& p, const QRect& r, OleColor color) const {
  if (color != kIgnoreColor) p.fillRect(r, ColorOf(color, owner_->palette()));
}

void CCalcWnd::paintEvent(QPaintEvent*) {
  const CalcSettings& s = owner_->calc_;
  const FrameColors colors = FrameColors::FromPalette(owner_->palette());
  // Drawn off screen and copied in one block.
  QPixmap buffer(size());
  {
    QPainter p(&buffer);
    const Rect client{0, 0, width(), height()};
    DrawButtonFace(p, client, false, colors);
    FillIfSet(p, rect().adjusted(1, 1, -1, -1), s.backColor);
    auto sunken = [&](const QRect& r, OleColor back) {
      Draw3dRect(p, Rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1}, colors.shadow, colors.highlight);
      FillIfSet(p, r.adjusted(1, 1, -1, -1), back);
    };
    const QRect display = DisplayRect();
    sunken(display, s.dispBackColor);
    p.setFont(s.dispFont.ToQFont());
    p.setPen(TextColor(s.dispForeColor));
    p.drawText(display.adjusted(1, 1, -2, -1), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, DisplayText());

    p.setFont(s.btnFont.ToQFont());
    for (int b = 0; b < kCalcButtonCount; ++b) {
      const QRect r = ButtonRect(b);
      const bool down = b == pressed_ && pushed_;
      DrawButtonFace(p, Rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1}, down, colors);
      FillIfSet(p, r.adjusted(2, 2, -2, -2), s.btnBackColor);
      OleColor label = s.btnForeColor;
      switch (kPlaces[b].group) {
        case LabelGroup::Operator: label = s.btnOpForeColor; break;
        case LabelGroup::Clear: label = s.btnClrForeColor; break;
        case LabelGroup::Memory: label = s.btnMemForeColor; break;
        case LabelGroup::Digit: break;
      }
      p.setPen(TextColor(label));
      p.drawText(down ? r.translated(1, 1) : r, Qt::AlignCenter | Qt::TextSingleLine, s.btnText[b]);
    }

    const QRect memory = MemoryRect();
    sunken(memory, s.memBackColor);
    if (engine_.Memory() != 0) {
      p.setFont(s.memFont.ToQFont());
      p.setPen(TextColor(s.memForeColor));
      p.drawText(memory, Qt::AlignCenter | Qt::TextSingleLine, s.memText);
    }
  }
  QPainter screen(this);
  screen.drawPixmap(0, 0, buffer);
}

// ---- mouse -----------------------------------------------------------------

void CCalcWnd::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  if (!rect().contains(at)) {
    // A click anywhere else (the field and its button, too) commits.
    owner_->CommitCalculator();
    return;
  }
  const int b = ButtonAt(at);
  if (b < 0) return;
  pressed_ = b;
  tracking_ = pushed_ = true;
  update(ButtonRect(b));
}

void CCalcWnd::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void CCalcWnd::mouseMoveEvent(QMouseEvent* event) {
  if (!tracking_) return;
  const bool over = ButtonRect(pressed_).contains(event->position().toPoint());
  if (over != pushed_) {
    pushed_ = over;
    update(ButtonRect(pressed_));
  }
}

void CCalcWnd::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !tracking_) return;
  tracking_ = false;
  if (ButtonAt(event->position().toPoint()) != pressed_) return;  // the press is abandoned
  pushed_ = false;
  update(ButtonRect(pressed_));
  const int b = pressed_;
  pressed_ = -1;
  Press(b);
}

}  // namespace numbox
