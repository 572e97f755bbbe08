#include "numbox/CNumCtrl.h"

#include "numbox/NumServices.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

namespace numbox {

namespace {

constexpr int kCalculatorButtonWidth = 13;
constexpr int kFirstRepeatDelay = 500;
constexpr int kRepeatDelay = 100;
const QColor kGlyphGrey(0x80, 0x80, 0x80);

bool IsDigit(QChar c) { return c >= '0' && c <= '9'; }

}  // namespace

CNumCtrl::CNumCtrl(QWidget* parent) : CEditBase(parent) { PropertiesLoaded(); }

void CNumCtrl::PropertiesLoaded() {
  if (!engine_.SetValueFromText(engine_.StoredText())) engine_.SetValueText(QString());
  RebuildDisplay();
  RefreshWindowText();
  DiscardUndo();
  ResetCaret();
}

// ---- value members -----------------------------------------------------------

void CNumCtrl::SetText(const QString& text) {
  if (!engine_.SetValueFromText(text)) ThrowErrorById(13);
  RefreshWindowText();
  NotifyChange();
}

QVariant CNumCtrl::Value() { return engine_.ValueAsVariant(); }

void CNumCtrl::SetValue(QVariant& value) {
  if (!engine_.SetValueFromVariant(value)) ThrowErrorById(13);
  ShowChange(GetCaretPos());
}

void CNumCtrl::SetValue(const QVariant& value) {
  QVariant copy = value;
  SetValue(copy);
}

QString CNumCtrl::FormatText() const { return FormattedText(); }

QString CNumCtrl::SelText() const {
  const QString edit = GetEditText();
  return edit.mid(SelLow(), SelHigh() - SelLow());
}

void CNumCtrl::SetSelText(const QString& text) { ReplaceSel(text); }

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

QString CNumCtrl::FormattedText() const {
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
    shown = FormattedText();
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

bool CNumCtrl::IsNullShown() const { return CEditBase::IsNullShown() || (nullTextShown_ && !HasFocusNow()); }

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

void CNumCtrl::CopySel() {
  if (clipLiterals_) {
    CEditBase::CopySel();
    return;
  }
  if (!HasSelection()) return;
  if (QClipboard* clipboard = QGuiApplication::clipboard()) {
    clipboard->setText(engine_.ValueCharsOf(SelLow(), SelHigh()));
  }
}

void CNumCtrl::CutSel() {
  if (!HasSelection()) return;
  QPointer<CNumCtrl> self(this);
  CopySel();
  if (self) DeleteSel();
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
  if (calcDropDown_ && CalculatorDroppedDown()) {
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
  if (vk == kVkEscape) return !(calcDropDown_ && !CalculatorDroppedDown() && !AllowEscape());
  return CEditBase::ConsumesBeforeDispatch(vk);
}

bool CNumCtrl::WantsShortcutOverride(const QKeyEvent* event) const {
  if (calcDropDown_ && VirtualKeyOf(event) == kVkF4) return true;
  return CEditBase::WantsShortcutOverride(event);
}

void CNumCtrl::OnKeyDown(int vk, Qt::KeyboardModifiers modifiers) {
  QPointer<CNumCtrl> self(this);
  skipNextChar_ = false;
  if (calcDropDown_ && CalculatorDroppedDown()) {
    if (vk == kVkReturn) {
      CommitCalculator();
      return;
    }
    FireKeyDown(vk, modifiers);
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
  if (c < 28) return;  // cancelled, or a control character
  if (skipNextChar_) {
    skipNextChar_ = false;
    return;
  }
  if (calcDropDown_ && CalculatorDroppedDown()) return;
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
  return enabled ? GetCurrentForeColor() : ColorOf(0x80000011, palette());
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
  if (event->button() == Qt::LeftButton) ButtonDown(event->position().toPoint());
}

void CNumCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  CEditBase::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) ButtonDown(event->position().toPoint());
}

void CNumCtrl::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
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
  release(calculator_, CalculatorButtonRect());
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

}  // namespace numbox
