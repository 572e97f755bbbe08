#include "numbox/CNumCtrl.h"

#include "numbox/CCursorBinding.h"
#include "numbox/CTipWnd.h"
#include "numbox/NumModule.h"
#include "numbox/NumServices.h"
#include "numbox/PropertyExchange.h"
#include "numbox/Units.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace numbox {

namespace {

constexpr int kCalculatorButtonWidth = 13;
constexpr int kFirstRepeatDelay = 500;
constexpr int kRepeatDelay = 100;
const QColor kGlyphGrey(0x80, 0x80, 0x80);

}  // namespace

CNumCtrl::CNumCtrl(QWidget* parent)
    : CEditBase(parent), tip_(new CTipWnd(this)), binding_(std::make_unique<CCursorBinding>(this)) {
  tip_->AddTool(0, toolTipText_, rect());
  PropertiesLoaded();
}

CNumCtrl::~CNumCtrl() {
  // The windows go first: a calculator that holds the mouse lets it go.
  delete calcWnd_.data();
  delete tip_;
}

void CNumCtrl::PropertiesLoaded() {
  tip_->SetToolText(0, toolTipText_);
  // A stored text that is no number of the value kind (the empty text
  // among them) is not taken and reports nothing.
  const bool taken = engine_.SetValueFromText(engine_.StoredText());
  if (!taken) engine_.SetValueText(QString());
  RebuildDisplay();
  RefreshWindowText();
  DiscardUndo();
  ResetCaret();
  if (taken) NotifyChange();
}

QByteArray CNumCtrl::Save() const { return PropertyExchange::Save(*this); }
void CNumCtrl::Load(const QByteArray& bytes) { PropertyExchange::Load(*this, bytes); }
void CNumCtrl::Reset() { PropertyExchange::Reset(*this); }
QVariantMap CNumCtrl::SaveToBag() const { return PropertyExchange::SaveToBag(*this); }
void CNumCtrl::LoadFromBag(const QVariantMap& bag) { PropertyExchange::LoadFromBag(*this, bag); }

// ---- value members -----------------------------------------------------------

void CNumCtrl::SetText(const QString& text) {
  const PutSelection before = SelectionBeforePut();
  if (!engine_.SetValueFromText(text)) ThrowErrorById(13);
  SetModified(true);
  ShowPut(before);
}

QVariant CNumCtrl::Value() { return engine_.ValueAsVariant(); }

void CNumCtrl::SetValue(QVariant& value) {
  const PutSelection before = SelectionBeforePut();
  if (!engine_.SetValueFromVariant(value)) ThrowErrorById(13);
  SetModified(true);
  ShowPut(before);
}

void CNumCtrl::SetValue(const QVariant& value) {
  QVariant copy = value;
  SetValue(copy);
}

void CNumCtrl::SetSelText(const QString& text) {
  SetModified(true);
  ReplaceSel(text);
}

void CNumCtrl::SetFormat(const QString& format) {
  Store(format_, format, SetKind::Keep);
  RefreshWindowText();
}

void CNumCtrl::SetMaskDecimalChar(const QString& v) {
  if (v.size() > 1) ThrowErrorById(31004);
  if (v.size() == 1 && IsDigit(v[0])) ThrowErrorById(31005);
  Store(engine_.mask.MaskDecimalChar, v, SetKind::Reformat);
}

short CNumCtrl::DataType() const {
  return engine_.boundKind ? static_cast<short>(DataTypeOfKind(*engine_.boundKind)) : engine_.DataType;
}

void CNumCtrl::SetDataType(short v) {
  if (engine_.boundKind) ThrowErrorById(31002);
  if (v < 0 || v > 5) ThrowErrorById(380);
  if (!Convert(engine_.Cache(), KindOfDataType(v), UserStyle())) ThrowErrorById(31003);
  Store(engine_.DataType, v, SetKind::Keep);
}

void CNumCtrl::StoreNumberText(QString& member, const QString& text) {
  if (!text.isEmpty() && !Convert(QVariant(text), engine_.EffectiveKind(), UserStyle())) ThrowErrorById(31001);
  Store(member, text, SetKind::Keep);
}

void CNumCtrl::AfterSet(SetKind kind) {
  if (kind == SetKind::Calc && dropped_ && calcWnd_) calcWnd_->update();
  if (kind == SetKind::Reformat) RefreshAll();
  // The null text is shown as the field's text: a change shows at once.
  if (kind == SetKind::RepaintNull) RefreshWindowText();
  if (kind == SetKind::Negative && IsNegative()) update();
  CEditBase::AfterSet(kind);
}

// ---- display ---------------------------------------------------------------

bool CNumCtrl::RebuildDisplay() {
  SetMaskErrorFlag(false);
  engine_.Rebuild();
  return true;
}

QString CNumCtrl::FormatText() const {
  if (format_.isEmpty()) return engine_.DisplayText();
  const QVariant cache = engine_.Cache();
  if (KindOf(cache) == Kind::Null) return engine_.StoredText();
  const auto text = Convert(cache, Kind::String, UserStyle());
  if (!text) return engine_.StoredText();
  QString out;
  return FormatTextByHost(text->toString(), format_, out) ? out : text->toString();
}

void CNumCtrl::RefreshWindowText() {
  QString shown;
  const bool showNull = !HasFocusNow() && engine_.DisplayText().isEmpty() && !NullText().isEmpty();
  if (showNull) {
    shown = NullText();
  } else if (HasFocusNow()) {
    shown = engine_.DisplayText();
  } else {
    shown = FormatText();
  }
  nullTextShown_ = showNull;
  const bool replaced = shown != GetEditText();
  if (replaced) {
    putting_ = true;
    SetEditText(shown);
    putting_ = false;
  }
  selectionSuppressed_ = replaced;
  shownValueText_ = engine_.ValueText();
}

void CNumCtrl::RefreshAll() {
  RebuildDisplay();
  RefreshWindowText();
  DiscardUndo();
}

void CNumCtrl::NotifyChange() {
  if (!reading_) dataChanged_ = true;
  emit Change();
}

void CNumCtrl::OnEditTextChanged() {
  if (putting_ || textChangingInternally_) return;
  NotifyChange();
}

void CNumCtrl::ShowChange(std::optional<int> caret) {
  QPointer<CNumCtrl> self(this);
  RefreshWindowText();
  NotifyChange();
  if (self && caret) SetCaret(*caret, false);
}

// With the focus the selection is the edit base's over the display text;
// without it, the one kept for the focus's return, over the display text
// the field had when it was kept.
CNumCtrl::PutSelection CNumCtrl::SelectionBeforePut() const {
  const int length = static_cast<int>(engine_.DisplayText().size());
  const int anchor = HasFocusNow() ? GetSelAnchor() : savedSelStart_;
  const int end = HasFocusNow() ? GetSelEnd() : savedSelEnd_;
  const bool whole = anchor != end && std::min(anchor, end) == 0 && std::max(anchor, end) == length;
  return {whole, whole && anchor == 0};
}

void CNumCtrl::ShowPut(PutSelection before) {
  RefreshWindowText();
  const int length = static_cast<int>(engine_.DisplayText().size());
  const int anchor = before.fromStart ? 0 : length, end = before.fromStart ? length : 0;
  if (HasFocusNow()) {
    if (before.whole) {
      SetSel(anchor, end);
    } else {
      SetCaret(GetCaretPos(), false);
    }
  } else if (before.whole) {
    savedSelStart_ = anchor;
    savedSelEnd_ = end;
  } else {
    savedSelStart_ = savedSelEnd_ = std::min(savedSelEnd_, length);
  }
  NotifyChange();
}

// ---- typing and editing ---------------------------------------------------------

bool CNumCtrl::AcceptChar(QChar c, int position) {
  if (!CanEdit()) return false;
  const QString decimalChar = engine_.mask.DecimalChar();
  const bool decimal = !IsDigit(c) && decimalChar.contains(c);
  if (!IsDigit(c) && c != '-' && !decimal) return false;
  QPointer<CNumCtrl> self(this);
  const QString display = engine_.DisplayText();
  if (decimal) {
    const qsizetype at = display.indexOf(c, position);
    if (at >= 0) {  // the decimal character is shown: the caret moves past it
      int caret = static_cast<int>(at) + 1;
      while (caret < display.size() && !IsDigit(display[caret])) ++caret;
      SetCaret(caret, false);
      return true;
    }
  }
  if (c == '-') {
    const auto caret = engine_.ToggleSign(GetCaretPos());
    if (!caret) return false;
    ShowChange(caret);
    return true;
  }
  if (HasSelection()) {
    if (!ReplaceSel(QString(c))) {
      BeepIfAllowed();
      return false;
    }
    if (!self) return true;
    RebuildDisplay();
    RefreshWindowText();
    NotifyChange();
  } else {
    const auto caret = engine_.PutChar(c, position, InsertMode());
    if (!caret) {
      BeepIfAllowed();
      return false;
    }
    ShowChange(caret);
  }
  if (!self) return true;
  if (AutoTab() && IsDigit(c) && engine_.ValueIndexOf(GetCaretPos()) >= engine_.ValueText().size()) {
    const QString value = engine_.ValueText();
    const int n = engine_.mask.DecimalPlaces();
    const qsizetype point = value.indexOf('.');
    const short whole = engine_.mask.MaskWholePlaces;
    const bool full = (whole >= 0 && n == 0 && value.size() >= whole) ||
                      (n > 0 && point >= 0 && value.size() - point - 1 >= n);
    if (full) MoveToNextControl();
  }
  return true;
}

bool CNumCtrl::DeleteSelection() {
  const int lo = HasSelection() ? SelLow() : 0, hi = HasSelection() ? SelHigh() : 0;
  const auto caret = engine_.DeleteAt(-1, GetCaretPos(), lo, hi);
  if (!caret) return false;
  ShowChange(caret);
  return true;
}

bool CNumCtrl::BackspaceKey() {
  if (!CanEdit()) return false;
  if (HasSelection()) return DeleteSelection();
  const int index = engine_.BackspaceIndex(GetCaretPos());
  if (index < 0) return false;
  const auto caret = engine_.DeleteAt(index, GetCaretPos(), 0, 0);
  if (!caret) return false;
  ShowChange(caret);
  return true;
}

bool CNumCtrl::ReplaceSel(const QString& text) {
  const int lo = HasSelection() ? SelLow() : 0, hi = HasSelection() ? SelHigh() : 0;
  const auto caret = engine_.ReplaceSel(text, GetCaretPos(), lo, hi);
  if (!caret) return false;
  ShowChange(caret);
  return true;
}

QString CNumCtrl::CopiedText() const {
  // Without ClipLiterals only the value's own characters are copied.
  return clipLiterals_ ? CEditBase::CopiedText() : engine_.ValueCharsOf(SelLow(), SelHigh());
}

void CNumCtrl::PasteText() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return;
  const QString decimalChar = engine_.mask.DecimalChar();
  QString kept;
  for (QChar c : clipboard->text()) {
    if (IsDigit(c) || decimalChar.contains(c)) kept += c;
  }
  // A text without a single digit or decimal character pastes nothing.
  if (!kept.isEmpty()) ReplaceSel(kept);
}

void CNumCtrl::UndoEdit() {
  if (!UndoAvailable()) return;
  QPointer<CNumCtrl> self(this);
  // The value goes back with the text, so that the next layout keeps it.
  engine_.SetValueText(undoValueText_);
  CEditBase::UndoEdit();
  if (!self) return;
  RefreshWindowText();
}

// ---- spin ------------------------------------------------------------------

void CNumCtrl::Spin(bool up) {
  const auto target = engine_.SpinTarget(up);
  if (!target || engine_.CheckRange(*target) != kValid) return;
  QVariant value = *target;
  if (!engine_.SetValueFromVariant(value)) return;
  QPointer<CNumCtrl> self(this);
  ShowChange(GetCaretPos());
  if (self) emit SpinClick(up ? 1 : 0);
}

void CNumCtrl::DoSpinClick(short direction) {
  if (direction != 0 && direction != 1) return;
  QPointer<CNumCtrl> self(this);
  Spin(direction == 1);
  if (self) repaint();
}

// ---- validation and focus -------------------------------------------------------

short CNumCtrl::Validate() {
  QPointer<CNumCtrl> self(this);
  short valid = -1;
  emit OnValidate(engine_.ValueText(), valid);
  if (!self) return kValid;
  if (valid == 0) return kUserError;
  return engine_.Outcome(AllowNull(), IsTextEmpty());
}

void CNumCtrl::OnSetFocus() {
  QPointer<CNumCtrl> self(this);
  if (IsMaskError()) RebuildDisplay();
  RefreshWindowText();
  SetSel(savedSelStart_, savedSelEnd_);
  CEditBase::OnSetFocus();
  UpdateStatusBar();
  if (self) emit GotFocus();
}

void CNumCtrl::OnKillFocus(Qt::FocusReason reason) {
  QPointer<CNumCtrl> self(this);
  if (calcDropDown_ && dropped_) {
    CommitCalculator();
    if (!self) return;
  }
  CEditBase::OnKillFocus(reason);
  // Where the caret stood, also when the focus is taken back below.
  savedSelStart_ = GetSelAnchor();
  savedSelEnd_ = GetSelEnd();
  auto windowActive = [this] { return window()->isActiveWindow(); };
  // Only a move within the active window is checked; another window
  // taking the focus passes silently.
  if (windowActive()) {
    short cancel = 0;
    emit BeforeLostFocus(cancel);
    if (!self) return;
    short outcome = -1;
    if (cancel == 0) {
      outcome = Validate();
      if (!self) return;
      SetMaskErrorFlag(outcome != kValid);
    }
    if (outcome == -1) {
      if (windowActive()) setFocus(Qt::OtherFocusReason);
      return;
    }
    if (outcome != kValid) {
      update();
      emit DataError(outcome, engine_.ValueText());
      if (!self) return;
      if (KeepFocusOnError() && windowActive()) {
        setFocus(Qt::OtherFocusReason);
        return;
      }
    }
  }
  RefreshWindowText();
  DiscardUndo();
  UpdateStatusBar();
  if (self) emit LostFocus();
}

// ---- keys ------------------------------------------------------------------

bool CNumCtrl::ConsumesBeforeDispatch(int vk) const {
  // Enter commits a dropped calculator and goes no further.
  if (vk == kVkReturn && dropped_) return true;
  if (vk == kVkEscape) return !(calcDropDown_ && !dropped_ && !AllowEscape());
  return CEditBase::ConsumesBeforeDispatch(vk);
}

bool CNumCtrl::WantsShortcutOverride(const QKeyEvent* event) const {
  if (calcDropDown_ && VirtualKeyOf(event) == kVkF4) return true;
  return CEditBase::WantsShortcutOverride(event);
}

void CNumCtrl::OnKeyDown(int vk, Qt::KeyboardModifiers modifiers) {
  QPointer<CNumCtrl> self(this);
  skipNextChar_ = false;
  if (dropped_) {
    if (vk == kVkReturn && calcDropDown_) {
      CommitCalculator();
      return;
    }
    if (!FireKeyDown(vk, modifiers)) return;
    if (calcWnd_ && (vk == kVkEscape || vk == kVkDelete || vk == kVkF4)) calcWnd_->KeyDown(vk);
    return;
  }
  switch (vk) {
    case kVkBack:
      if (!BackspaceKey() && self) BeepIfAllowed();
      return;
    case kVkDelete:
      if (!CanEdit() || !DeleteSelection()) {
        if (self) BeepIfAllowed();
      }
      return;
    case kVkEscape:
      if (AllowEscape() && HasBoundField()) ReadFromDataSource();
      break;
    case kVkAdd:
    case kVkSubtract:
      if (spinKeys_ && !Locked()) {
        Spin(vk == kVkAdd);
        if (!self) return;
        repaint();
        skipNextChar_ = true;
        return;
      }
      break;
    case kVkF4:
      if (calcDropDown_) OpenCalculator(true);
      break;
    default:
      break;
  }
  if (self) CEditBase::OnKeyDown(vk, modifiers);
}

void CNumCtrl::OnChar(int code) {
  QPointer<CNumCtrl> self(this);
  CEditBase::OnChar(code);
  if (!self) return;
  const int c = LastChar();
  if (dropped_) {
    if (calcWnd_ && c != 0) calcWnd_->Character(c);
    return;
  }
  if (c < 28) return;  // cancelled, or a control character
  if (skipNextChar_) {
    skipNextChar_ = false;
    return;
  }
  const int position = HasSelection() ? SelLow() : GetCaretPos();
  const QChar character = AnsiChar(c);
  if (AcceptChar(character, position)) return;
  if (!self) return;
  emit InvalidChar(QString(character), static_cast<short>(position));
  if (self) BeepIfAllowed();
}

// ---- buttons ---------------------------------------------------------------

Rect CNumCtrl::ButtonArea() const {
  Rect area = ClientRect();
  area.left = area.right - (calcDropDown_ ? kCalculatorButtonWidth : 0) - (EllipsesButton() ? EllipsesButtonWidth() : 0) -
              (spinButton_ ? spinButtonWidth_ : 0);
  if ((calcDropDown_ || EllipsesButton() || spinButton_) && BorderStyle() == 1 && Appearance() == 0) {
    area.left += 1;
    area.right += 1;
    area.bottom += 1;
  }
  return area;
}

Rect CNumCtrl::CalculatorButtonRect() const {
  if (!calcDropDown_) return Rect{};
  Rect r = ButtonArea();
  r.left = r.right - kCalculatorButtonWidth;
  return r;
}

Rect CNumCtrl::EllipsesButtonRect() const {
  if (!EllipsesButton()) return Rect{};
  Rect r = ButtonArea();
  r.right -= calcDropDown_ ? kCalculatorButtonWidth : 0;
  r.left = r.right - EllipsesButtonWidth();
  return r;
}

Rect CNumCtrl::SpinRect() const {
  if (!spinButton_) return Rect{};
  Rect r = ButtonArea();
  r.right -= (calcDropDown_ ? kCalculatorButtonWidth : 0) + (EllipsesButton() ? EllipsesButtonWidth() : 0);
  r.left = r.right - spinButtonWidth_;
  return r;
}

Rect CNumCtrl::SpinUpRect() const {
  Rect r = SpinRect();
  r.bottom -= r.Height() / 2;
  return r;
}

Rect CNumCtrl::SpinDownRect() const {
  Rect r = SpinRect();
  r.top += r.Height() / 2;
  return r;
}

QColor CNumCtrl::GlyphColor(bool enabled) const {
  return enabled ? GetCurrentForeColor() : ColorOf(kSystemGrayText, palette());
}

void CNumCtrl::DrawButtons(QPainter& p) {
  const FrameColors colors = Frame();
  if (calcDropDown_) {
    const Rect r = CalculatorButtonRect();
    DrawButtonFace(p, r, calculator_.drawn, colors);
    const int shift = calculator_.drawn ? 1 : 0;
    const int x = r.left + r.Width() / 2 - 2 + shift, y = r.top + r.Height() / 2 - 1 + shift;
    for (int row = 0; row < 3; ++row) FillSolidRect(p, x + row, y + row, 5 - 2 * row, 1, GlyphColor(isEnabled()));
  }
  if (EllipsesButton()) DrawEllipsesButton(p, EllipsesButtonRect(), ellipses_.drawn);
  if (spinButton_) {
    const QColor glyph = GlyphColor(isEnabled() && spinButtonEnabled_);
    const Rect up = SpinUpRect();
    DrawButtonFace(p, up, spinUp_.drawn, colors);
    const int shiftUp = spinUp_.drawn ? 1 : 0;
    const int cx = up.left + up.Width() / 2 - 1 + shiftUp, cy = up.bottom - up.Height() / 2 - 1 + shiftUp;
    FillSolidRect(p, cx - 2, cy, 5, 1, glyph);
    FillSolidRect(p, cx, cy - 2, 1, 5, glyph);
    for (int dx : {-1, 1}) {
      for (int dy : {-1, 1}) FillSolidRect(p, cx + dx, cy + dy, 1, 1, kGlyphGrey);
    }
    const Rect down = SpinDownRect();
    DrawButtonFace(p, down, spinDown_.drawn, colors);
    const int less = spinDown_.drawn ? 0 : 1;
    const int mx = down.left + down.Width() / 2 - less, my = down.bottom - down.Height() / 2 - less;
    FillSolidRect(p, mx - 2, my, 5, 1, glyph);
    FillSolidRect(p, mx - 2, my + 1, 5, 1, kGlyphGrey);
  }
}

void CNumCtrl::UpdateCursor(QPoint at) {
  if (ButtonArea().Width() > 0 && ButtonArea().Contains(at)) {
    setCursor(Qt::ArrowCursor);
    return;
  }
  CEditBase::UpdateCursor(at);
}

void CNumCtrl::ButtonDown(QPoint at) {
  if (!isEnabled() || !ButtonArea().Contains(at)) return;
  auto press = [this](Press& button) {
    button.pressed = button.drawn = true;
    repaint();
  };
  if (EllipsesButton() && EllipsesButtonEnabled() && EllipsesButtonRect().Contains(at)) press(ellipses_);
  if (spinButtonEnabled_ && spinButton_ && (SpinUpRect().Contains(at) || SpinDownRect().Contains(at))) {
    press(SpinUpRect().Contains(at) ? spinUp_ : spinDown_);
    firstRepeat_ = true;
    spinTick_ = CurrentClock().Ticks();
    ++repeatChain_;
    ScheduleRepeat(kFirstRepeatDelay);
  }
  if (calcDropDown_ && CalculatorButtonRect().Contains(at)) {
    press(calculator_);
    OpenCalculator(false);
  }
}

void CNumCtrl::ScheduleRepeat(int ms) {
  const int chain = repeatChain_;
  CurrentClock().After(std::max(ms, 1), this, [this, chain] {
    if (chain == repeatChain_) RepeatSpin();
  });
}

void CNumCtrl::RepeatSpin() {
  // The repetition ends for good once the button is up or the pointer
  // has left it.
  if (!(spinUp_.pressed || spinDown_.pressed) || !(spinUp_.drawn || spinDown_.drawn)) return;
  const int delay = firstRepeat_ ? kFirstRepeatDelay : kRepeatDelay;
  const qint64 elapsed = CurrentClock().Ticks() - spinTick_;
  if (elapsed >= delay) {
    firstRepeat_ = false;
    spinTick_ = CurrentClock().Ticks();
    QPointer<CNumCtrl> self(this);
    if (!Locked()) Spin(spinUp_.pressed);
    if (!self) return;
    ScheduleRepeat(kRepeatDelay);
    return;
  }
  ScheduleRepeat(static_cast<int>(delay - elapsed));
}

void CNumCtrl::mousePressEvent(QMouseEvent* event) {
  CEditBase::mousePressEvent(event);
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) tip_->HideAndSuppress();
  if (event->button() == Qt::LeftButton) ButtonDown(event->position().toPoint());
}

void CNumCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  CEditBase::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) ButtonDown(event->position().toPoint());
}

void CNumCtrl::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  tip_->MouseMoved();
  // Dragged from the calculator button onto the calculator: it takes the mouse.
  if (calculator_.pressed && dropped_ && calcWnd_ && !CalculatorButtonRect().Contains(at) &&
      calcWnd_->geometry().contains(mapToGlobal(at))) {
    calculator_.pressed = calculator_.drawn = false;
    update();
    CaptureToCalculator();
  }
  const struct {
    Press* button;
    Rect rect;
  } buttons[] = {{&ellipses_, EllipsesButtonRect()},
                 {&spinUp_, SpinUpRect()},
                 {&spinDown_, SpinDownRect()},
                 {&calculator_, CalculatorButtonRect()}};
  for (const auto& b : buttons) {
    if (!b.button->pressed) continue;
    const bool inside = b.rect.Contains(at);
    if (inside != b.button->drawn) {
      b.button->drawn = inside;
      repaint();
    }
  }
  CEditBase::mouseMoveEvent(event);
}

void CNumCtrl::mouseReleaseEvent(QMouseEvent* event) {
  CEditBase::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton) return;
  tip_->HideTip();
  const QPoint at = event->position().toPoint();
  QPointer<CNumCtrl> self(this);
  auto release = [&](Press& button, const Rect& rect) {
    if (!button.pressed) return false;
    button.pressed = false;
    const bool inside = rect.Contains(at);
    button.drawn = false;
    update();
    return inside;
  };
  if (release(ellipses_, EllipsesButtonRect())) {
    emit EllipsesClick();
    if (!self) return;
  }
  if (release(spinUp_, SpinUpRect()) && !Locked()) {
    SpinUp();
    if (!self) return;
  }
  if (release(spinDown_, SpinDownRect()) && !Locked()) {
    SpinDown();
    if (!self) return;
  }
  const bool calculatorPressed = calculator_.pressed;
  release(calculator_, CalculatorButtonRect());
  if (calculatorPressed && dropped_ && calcWnd_ && QWidget::mouseGrabber() != calcWnd_) CaptureToCalculator();
}

// ---- status text ------------------------------------------------------------

void CNumCtrl::SetStatusBarControlName(const QString& v) {
  Store(statusBarControlName_, v, SetKind::Keep);
  BindStatusBar();
  UpdateStatusBar();
}

void CNumCtrl::SetStatusBarPropName(const QString& v) {
  Store(statusBarPropName_, v, SetKind::Keep);
  BindStatusBar();
  UpdateStatusBar();
}

void CNumCtrl::SetStatusBarText(const QString& v) {
  Store(statusBarText_, v, SetKind::Keep);
  UpdateStatusBar();
}

void CNumCtrl::SetStatusBarRestoreText(const QString& v) {
  Store(statusBarRestoreText_, v, SetKind::Keep);
  UpdateStatusBar();
}

void CNumCtrl::BindStatusBar() { statusBar_ = FindControlByName(statusBarControlName_); }

void CNumCtrl::UpdateStatusBar() {
  if (!statusBarControlName_.isEmpty() && !statusBar_) BindStatusBar();
  if (!statusBar_) return;
  const bool focused = HasFocusNow();
  QString text;
  if (focused) {
    text = statusBarText_;
    if (statusBarRestoreText_.isEmpty()) {
      QVariant current;
      GetPropertyByName(statusBar_, statusBarPropName_, current);
      savedStatusText_ = current.typeId() == QMetaType::QString ? current.toString() : QString();
      statusTextSaved_ = true;
    }
  } else {
    // Nothing to give back before the field first had the focus.
    if (statusBarRestoreText_.isEmpty() && !statusTextSaved_) return;
    text = statusBarRestoreText_.isEmpty() ? savedStatusText_ : statusBarRestoreText_;
  }
  QPointer<CNumCtrl> self(this);
  short cancel = 0;
  emit StatusBarUpdate(focused ? 1 : 0, text, cancel);
  if (self && cancel == 0 && statusBar_) PutPropertyByName(statusBar_, statusBarPropName_, QVariant(text));
}


// ---- the calculator -----------------------------------------------------------

float CNumCtrl::CalcWidth() const { return static_cast<float>(TwipsOfPixels(calc_.width, true)); }

void CNumCtrl::SetCalcWidth(float twips) {
  if (twips < 0) ThrowErrorById(380);
  Store(calc_.width, PixelsOfTwips(twips, true), SetKind::Keep);
  if (dropped_) PlaceCalculator();
}

float CNumCtrl::CalcHeight() const { return static_cast<float>(TwipsOfPixels(calc_.height, false)); }

void CNumCtrl::SetCalcHeight(float twips) {
  if (twips <= 0) ThrowErrorById(380);
  Store(calc_.height, PixelsOfTwips(twips, false), SetKind::Keep);
  if (dropped_) PlaceCalculator();
}

QString CNumCtrl::CalcDispText() const {
  if (calcWnd_) return calcWnd_->DisplayText();
  CalcEngine fresh;
  return fresh.DisplayText(calc_.errorText);
}

std::size_t CNumCtrl::CalcButtonIndex(short index) {
  if (index < 0 || index >= kCalcButtonCount) ThrowErrorById(381);
  return static_cast<std::size_t>(index);
}

QString CNumCtrl::CalcBtnText(short index) const { return calc_.btnText[CalcButtonIndex(index)]; }

void CNumCtrl::SetCalcBtnText(short index, const QString& v) {
  Store(calc_.btnText[CalcButtonIndex(index)], v, SetKind::Calc);
}

void CNumCtrl::OpenCalculator(bool withCapture) {
  if (dropped_) return;
  QPointer<CNumCtrl> self(this);
  if (!calcWnd_) calcWnd_ = new CCalcWnd(this);
  const auto x = ToDouble(engine_.ValueAsVariant(), FixedStyle());
  calcWnd_->Load(x.value_or(0.0));
  emit DropDown();
  if (!self || !calcWnd_) return;
  PlaceCalculator();
  calcWnd_->show();
  calcWnd_->raise();
  tip_->SetToolText(0, QString());
  dropped_ = true;
  update();
  if (withCapture) CaptureToCalculator();
}

void CNumCtrl::PlaceCalculator() {
  if (!calcWnd_) return;
  const QRect c(mapToGlobal(QPoint(0, 0)), size());
  const QScreen* s = screen();
  const QRect area = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
  // Edges as the layout counts them: right and bottom just outside.
  const int cLeft = c.left(), cTop = c.top(), cRight = c.left() + c.width(), cBottom = c.top() + c.height();
  const int sLeft = area.left(), sTop = area.top(), sRight = area.left() + area.width(),
            sBottom = area.top() + area.height();
  const int w = calc_.width > 0 ? calc_.width : c.width();
  const int h = calc_.height;
  int left = cLeft, right = cLeft + w;
  const int top = (cBottom + h + 1 <= sBottom || cTop - h - 1 <= sTop) ? cBottom + 1 : cTop - h - 1;
  if (right > sRight && cLeft - w - 1 > sLeft) {
    right = cRight;
    left = cRight - w;
  }
  calcWnd_->setGeometry(left, top, right - left, h);
}

void CNumCtrl::CaptureToCalculator() {
  if (!calcWnd_) return;
  if (QWidget::mouseGrabber() == this) releaseMouse();
  calcWnd_->setCursor(Qt::ArrowCursor);
  calcWnd_->grabMouse();
}

void CNumCtrl::CloseCalculator() {
  if (!dropped_) return;
  if (calcWnd_) {
    if (QWidget::mouseGrabber() == calcWnd_) calcWnd_->releaseMouse();
    calcWnd_->hide();
  }
  dropped_ = false;
  tip_->SetToolText(0, toolTipText_);
  update();
  emit CloseUp();
}

void CNumCtrl::CommitCalculator() {
  if (!dropped_ || !calcWnd_) return;
  QPointer<CNumCtrl> self(this);
  if (!calcWnd_->Press(kCalcEqual) || !self) return;
  TransferCalculator();
  if (self) CloseCalculator();
}

void CNumCtrl::TransferCalculator() {
  // A result in error never reaches the field.
  if (Locked() || !calcWnd_ || calcWnd_->Engine().GetState() == CalcEngine::kError) return;
  double x = calcWnd_->Engine().Value();
  TruncateToDecimals(x, engine_.mask.DecimalPlaces());
  QVariant value(x);
  if (!engine_.SetValueFromVariant(value)) return;
  QPointer<CNumCtrl> self(this);
  ShowChange(std::nullopt);
  if (!self) return;
  ResetCaret();
  UpdateCaret();
  NotifyChange();
}

bool CNumCtrl::FireCalcBtnClick(short button) {
  QPointer<CNumCtrl> self(this);
  emit CalcBtnClick(button);
  return !self.isNull();
}

// ---- tool tips ---------------------------------------------------------------

void CNumCtrl::SetToolTipText(const QString& v) {
  Store(toolTipText_, v, SetKind::Keep);
  tip_->SetToolText(0, v);
}

void CNumCtrl::StoreMilliseconds(qint32& member, qint32 ms) {
  if (ms < 0) ThrowErrorById(380);
  Store(member, ms, SetKind::Keep);
}

bool CNumCtrl::FireToolTipBegin() {
  QPointer<CNumCtrl> self(this);
  short cancel = 0;
  emit ToolTipBegin(cancel);
  return self && cancel == 0;
}

void CNumCtrl::FireToolTipEnd() { emit ToolTipEnd(); }

void CNumCtrl::ExtentChanged() {
  tip_->RemoveAllTools();
  tip_->AddTool(0, dropped_ ? QString() : toolTipText_, rect());
}

void CNumCtrl::FirstShown() {
  tip_->Start();
  BindStatusBar();
}

// ---- data binding ----------------------------------------------------------------

RowSource* CNumCtrl::DataSource() const { return binding_->Source(); }

void CNumCtrl::SetDataSource(RowSource* source) {
  binding_->Attach(source);
  UpdateBoundKind();
  AfterSet(SetKind::Keep);
  if (source) ReadFromDataSource();
}

QStringList CNumCtrl::DataFieldNames() const { return binding_->ColumnNames(); }

bool CNumCtrl::HasBoundField() const { return binding_->FindColumn(dataField_) >= 0; }

void CNumCtrl::UpdateBoundKind() {
  const int type = binding_->ColumnType(dataField_);
  engine_.boundKind.reset();
  if (type >= 0) engine_.boundKind = KindOfColumnType(type);
}

void CNumCtrl::SetDataField(const QString& v) {
  const int type = v.isEmpty() ? -1 : binding_->ColumnType(v);
  if (type >= 0 && (type < kColumnInteger || type > kColumnCurrency)) ThrowErrorById(31000);
  Store(dataField_, v, SetKind::Keep);
  UpdateBoundKind();
  ReadFromDataSource();
}

void CNumCtrl::ReadFromDataSource() {
  QPointer<CNumCtrl> self(this);
  QVariant value = binding_->ReadValue(dataField_);
  reading_ = true;
  short changed = 0;
  emit DataRead(value, changed);
  if (!self) return;
  const PutSelection before = SelectionBeforePut();
  if (!engine_.SetValueFromVariant(value)) {
    FireError(13);
    if (self) reading_ = false;
    return;
  }
  ShowPut(before);
  if (!self) return;
  ResetCaret();
  UpdateCaret();
  DiscardUndo();
  NotifyChange();
  if (!self) return;
  dataChanged_ = changed != 0;
  reading_ = false;
}

RowStatus CNumCtrl::WriteToDataSource() {
  if (!dataChanged_) return kRowOk;
  QPointer<CNumCtrl> self(this);
  QVariant value;
  if (!engine_.TextToVariant(engine_.ValueText(), true, &value)) {
    emit DataError(kBadType, engine_.ValueText());
    return kRowAborted;
  }
  short cancel = 0;
  emit BeforeUpdate(value, cancel);
  if (!self || cancel != 0) return kRowOk;
  const RowStatus status = binding_->WriteValue(dataField_, value);
  if (status == kRowOk) {
    dataChanged_ = false;
    emit AfterUpdate();
  }
  return status;
}

void CNumCtrl::FireError(int number) {
  QPointer<CNumCtrl> self(this);
  const NumError error(number);
  QString description = error.Description();
  short cancelDisplay = 0;
  emit Error(static_cast<short>(number), description, static_cast<int>(error.Status()), QStringLiteral("QuorMaskNum"),
             QString(), 0, cancelDisplay);
  if (!self || cancelDisplay != 0) return;
  QMessageBox box(QMessageBox::Critical, QStringLiteral("QuorMaskNum"), description, QMessageBox::Ok, window());
  ShowModal(box);
}

// ---- methods -------------------------------------------------------------------

void CNumCtrl::AboutBox() { ShowAboutBox(); }

}  // namespace numbox
