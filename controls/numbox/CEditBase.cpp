#include "numbox/CEditBase.h"

#include "numbox/NumServices.h"
#include "numbox/NumValue.h"
#include "numbox/Units.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace numbox {

namespace {

struct KeyCode {
  int qtKey;
  int vk;
};

// Keys whose virtual-key code is not their own character code.
constexpr KeyCode kKeyCodes[] = {
    {Qt::Key_Backspace, kVkBack},   {Qt::Key_Tab, kVkTab},       {Qt::Key_Backtab, kVkTab},
    {Qt::Key_Return, kVkReturn},    {Qt::Key_Enter, kVkReturn},  {Qt::Key_Shift, kVkShift},
    {Qt::Key_Control, kVkControl},  {Qt::Key_Alt, kVkMenu},      {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},         {Qt::Key_Escape, kVkEscape}, {Qt::Key_Space, kVkSpace},
    {Qt::Key_PageUp, kVkPrior},     {Qt::Key_PageDown, kVkNext}, {Qt::Key_End, kVkEnd},
    {Qt::Key_Home, kVkHome},        {Qt::Key_Left, kVkLeft},     {Qt::Key_Up, kVkUp},
    {Qt::Key_Right, kVkRight},      {Qt::Key_Down, kVkDown},     {Qt::Key_Print, 44},
    {Qt::Key_Insert, kVkInsert},    {Qt::Key_Delete, kVkDelete}, {Qt::Key_Semicolon, 186},
    {Qt::Key_Equal, 187},           {Qt::Key_Plus, 187},         {Qt::Key_Comma, 188},
    {Qt::Key_Minus, 189},           {Qt::Key_Period, 190},       {Qt::Key_Slash, 191},
    {Qt::Key_QuoteLeft, 192},       {Qt::Key_BracketLeft, 219},  {Qt::Key_Backslash, 220},
    {Qt::Key_BracketRight, 221},    {Qt::Key_Apostrophe, 222},
};

// Keys of the numeric keypad.
constexpr KeyCode kKeypadCodes[] = {
    {Qt::Key_Asterisk, kVkMultiply}, {Qt::Key_Plus, kVkAdd},     {Qt::Key_Minus, kVkSubtract},
    {Qt::Key_Period, kVkDecimal},    {Qt::Key_Comma, kVkDecimal}, {Qt::Key_Slash, kVkDivide},
    {Qt::Key_Enter, kVkReturn},      {Qt::Key_Return, kVkReturn},
};

struct CursorOf {
  short pointer;
  Qt::CursorShape shape;
};

constexpr CursorOf kCursors[] = {
    {0, Qt::IBeamCursor},    {1, Qt::ArrowCursor},     {2, Qt::CrossCursor},   {3, Qt::IBeamCursor},
    {4, Qt::ArrowCursor},    {5, Qt::SizeAllCursor},   {6, Qt::SizeBDiagCursor}, {7, Qt::SizeVerCursor},
    {8, Qt::SizeFDiagCursor}, {9, Qt::SizeHorCursor},  {10, Qt::UpArrowCursor}, {11, Qt::WaitCursor},
    {12, Qt::ForbiddenCursor}, {13, Qt::BusyCursor},   {14, Qt::WhatsThisCursor}, {15, Qt::SizeAllCursor},
};

// The small caret pictures of styles 3, 4 and 5, five pixels wide and
// three high: a triangle pointing up, a bar, a small diamond.
constexpr const char* kCaretPictures[3][3] = {
    {"..#..", ".###.", "#####"},
    {".....", "#####", "#####"},
    {"..#..", ".###.", "..#.."},
};

short ShiftState(Qt::KeyboardModifiers modifiers) {
  return static_cast<short>(((modifiers & Qt::ShiftModifier) ? 1 : 0) | ((modifiers & Qt::ControlModifier) ? 2 : 0) |
                            ((modifiers & Qt::AltModifier) ? 4 : 0));
}

bool IsArrow(int vk) { return vk == kVkLeft || vk == kVkUp || vk == kVkRight || vk == kVkDown; }

// The character code a key press produces, as the Windows-1252 code, or
// −1 when it produces none.
int CharCodeOf(const QKeyEvent* event, int vk) {
  const Qt::KeyboardModifiers mods = event->modifiers();
  if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)) {
    const int key = event->key();
    return key >= Qt::Key_A && key <= Qt::Key_Z ? key - Qt::Key_A + 1 : -1;
  }
  if (vk == kVkDelete) return -1;
  const QString text = event->text();
  // A character key with Alt held is an access key of the window: it types
  // nothing, whether or not a button owns it (AltGr is no Alt).
  if ((mods & (Qt::AltModifier | Qt::MetaModifier)) && !text.isEmpty() && text[0].isPrint()) return -1;
  if (text.isEmpty()) {
    switch (vk) {
      case kVkReturn: return 13;
      case kVkBack: return 8;
      case kVkEscape: return 27;
      default: return -1;
    }
  }
  const QChar c = text[0] == '\n' ? QChar('\r') : text[0];
  const int code = AnsiCode(c);
  return code < 0 ? '?' : code;
}

}  // namespace

int VirtualKeyOf(const QKeyEvent* event) {
  const int key = event->key();
  if (event->modifiers() & Qt::KeypadModifier) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return kVkNumpad0 + (key - Qt::Key_0);
    for (const KeyCode& k : kKeypadCodes) {
      if (k.qtKey == key) return k.vk;
    }
  }
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return kVkF1 + (key - Qt::Key_F1);
  for (const KeyCode& k : kKeyCodes) {
    if (k.qtKey == key) return k.vk;
  }
  return 0;
}

CEditBase::CEditBase(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setMouseTracking(true);
  setCursor(Qt::IBeamCursor);
}

CEditBase::~CEditBase() = default;

// ---- properties ------------------------------------------------------------

void CEditBase::StoreRanged(short& member, short value, short low, short high, SetKind kind) {
  if (value < low || value > high) ThrowErrorById(380);
  Store(member, value, kind);
}

void CEditBase::StoreRangedIfChanged(short& member, short value, short low, short high, SetKind kind) {
  if (value < low || value > high) ThrowErrorById(380);
  if (value != member) Store(member, value, kind);
}

void CEditBase::AfterSet(SetKind kind) {
  modified_ = true;
  switch (kind) {
    case SetKind::Repaint:
    case SetKind::Reformat:
      update();
      break;
    case SetKind::RepaintUnfocused:
      if (!focused_) update();
      break;
    case SetKind::RepaintNull:
      if (IsNullShown()) update();
      break;
    case SetKind::Caret:
      UpdateCaret();
      break;
    case SetKind::Keep:
    case SetKind::Negative:
    case SetKind::Calc:
      break;
  }
}

void CEditBase::SetMousePointer(short v) {
  if (!((v >= 0 && v <= 15) || v == 99)) ThrowErrorById(380);
  Store(mousePointer_, v, SetKind::Keep);
  UpdateCursor(mapFromGlobal(QCursor::pos()));
}

void CEditBase::SetAlignment(short v) {
  if (v < 0 || v > 1) ThrowErrorById(380);
  if (v == alignment_) return;
  alignment_ = v;
  anchor_ = selEnd_ = caret_ = 0;
  scroll_ = v == 1 ? EndPos() : 0;
  AfterSet(SetKind::Caret);
  update();
}

void CEditBase::SetEnabled(bool v) {
  enabled_ = v;
  setEnabled(v);
  AfterSet(SetKind::Repaint);
}

void CEditBase::SetFont(const FontDesc& v) {
  font_ = v;
  setFont(v.ToQFont());
  AfterSet(SetKind::Repaint);
}

void CEditBase::ClearFont() {
  font_.reset();
  setFont(QFont());
  AfterSet(SetKind::Repaint);
}

QSize CEditBase::Extent() const {
  if (extent_ && PixelsOfHimetric(*extent_) == size()) return *extent_;
  return HimetricOfPixels(size());
}

void CEditBase::SetExtent(const QSize& himetric) {
  extent_ = himetric;
  resize(PixelsOfHimetric(himetric));
}

void CEditBase::SetSelStart(short start) {
  if (start < 0) ThrowErrorById(380);
  SetCaret(start, false);
  modified_ = true;
}

void CEditBase::SetSelLength(short length) {
  if (length < 0) ThrowErrorById(380);
  SetSel(caret_, caret_ + length);
  modified_ = true;
}

// ---- edit text, caret and selection ------------------------------------------

void CEditBase::SetEditText(const QString& text) {
  if (undoPending_) SaveUndoPoint();
  editText_ = text;
  const int len = EndPos();
  anchor_ = std::min(anchor_, len);
  selEnd_ = std::min(selEnd_, len);
  caret_ = std::min(caret_, len);
  KeepScrollInRange();
  OnEditTextChanged();
  update();
}

void CEditBase::RecordUndoText() {
  undoText_ = editText_;
  undoCaret_ = caret_;
  OnUndoRecorded();
}

void CEditBase::SaveUndoPoint() {
  if (!undoPending_) return;
  undoAvailable_ = true;
  undoPending_ = false;
  RecordUndoText();
}

void CEditBase::KeepScrollInRange() {
  // A text that fits is shown whole; a longer one keeps its scroll position.
  if (TextWidth(editText_) < GetTextRect().Width()) {
    scroll_ = alignment_ == 1 ? EndPos() : 0;
  } else {
    scroll_ = std::clamp(scroll_, 0, EndPos());
  }
}

void CEditBase::SetCaret(int pos, bool extend) {
  const int len = EndPos();
  pos = std::clamp(pos, 0, len);
  const int c = caret_;
  const Rect r = GetTextRect();
  int cw = 0;
  const int x = GetCharPos(pos, &cw, false);
  if (pos > c && x >= r.right) {
    const int d = ScrollStep() + pos - c;
    if (alignment_ == 0) {
      scroll_ = len - pos >= d ? scroll_ + d : FitScrollIndex();
    } else {
      scroll_ = std::min(d + pos, len);
    }
  } else if (pos < c && x <= r.left + cw) {
    if (alignment_ == 0) {
      scroll_ = std::max(pos - ScrollStep(), 0);
    } else {
      scroll_ = pos < ScrollStep() ? FitScrollIndex() : scroll_ - ScrollStep();
    }
  }
  scroll_ = std::clamp(scroll_, 0, len);
  caret_ = pos;
  UpdateCaret();
  selEnd_ = pos;
  if (!extend) anchor_ = pos;
  InvalidateText();
}

void CEditBase::SetSel(int start, int end) {
  const int len = EndPos();
  if (start < 0 || start > len || end < 0 || end > len) {
    SetCaret(alignment_ == 1 ? len : 0, false);
  } else if (start != end) {
    SetCaret(end, false);
    anchor_ = start;
    selEnd_ = end;
    InvalidateText();
  } else {
    SetCaret(start, false);
  }
}

void CEditBase::ResetCaret() {
  if (alignment_ == 0 || HandlesInput()) {
    caret_ = 0;
    scroll_ = alignment_ == 1 ? EndPos() : 0;
  } else {
    caret_ = scroll_ = EndPos();
  }
  anchor_ = selEnd_ = caret_;
}

// ---- layout ----------------------------------------------------------------

int CEditBase::GetBorderWidth() const {
  if (borderStyle_ != 1) return 0;
  return appearance_ == 1 ? 2 : 1;
}

Rect CEditBase::ClientRect() const {
  const int bw = GetBorderWidth();
  return Rect{0, 0, width(), height()}.Shrunk(bw);
}

Rect CEditBase::GetTextRect() const {
  Rect r = ClientRect();
  if (borderStyle_ == 1) r = r.Shrunk(1);
  r.right -= 1;
  const Rect b = GetButtonsRect();
  if (b.Width() > 0) r.right -= b.Width() + (borderStyle_ == 1 && appearance_ == 0 ? 0 : 1);
  return r;
}

QFont CEditBase::PaintFont() const { return IsNullShown() ? nullFont_.ToQFont() : font(); }

int CEditBase::TextWidth(const QString& text) const { return QFontMetrics(PaintFont()).horizontalAdvance(text); }

int CEditBase::GetCharPos(int pos, int* charWidth, bool display) const {
  const QFontMetrics fm(PaintFont());
  const Rect r = GetTextRect();
  const int len = EndPos();
  pos = std::clamp(pos, 0, len);
  if (charWidth) *charWidth = pos < len ? fm.horizontalAdvance(editText_[pos]) : 0;
  if (display && !focused_) {
    // Without the focus the whole text is placed by the display alignment.
    const short a = displayAlignment_ == 3 ? (alignment_ == 1 ? 2 : 0) : displayAlignment_;
    const int w = fm.horizontalAdvance(editText_);
    if (a == 0) return r.left;
    if (a == 1) return r.left + r.Width() / 2 - w / 2;
    return r.right - w;
  }
  const int s = std::clamp(scroll_, 0, len);
  if (alignment_ == 0) {
    return pos <= s ? r.left - fm.horizontalAdvance(editText_.mid(pos, s - pos))
                    : r.left + fm.horizontalAdvance(editText_.mid(s, pos - s));
  }
  return pos <= s ? r.right - fm.horizontalAdvance(editText_.mid(pos, s - pos))
                  : r.right + fm.horizontalAdvance(editText_.mid(s, pos - s));
}

int CEditBase::CharFromPoint(int x) const {
  const QFontMetrics fm(PaintFont());
  const Rect r = GetTextRect();
  const int len = EndPos();
  const int s = std::clamp(scroll_, 0, len);
  // The caret goes to the character boundary nearest to the point.
  if (alignment_ == 0) {
    for (int k = len - s; k >= 1; --k) {
      const int t = r.left + fm.horizontalAdvance(editText_.mid(s, k)) -
                    fm.horizontalAdvance(editText_[s + k - 1]) / 2;
      if (t <= x) return s + k;
    }
    return s;
  }
  for (int k = 0; k < s; ++k) {
    const int t = r.right - fm.horizontalAdvance(editText_.mid(s - k, k)) -
                  fm.horizontalAdvance(editText_[s - k - 1]) / 2;
    if (x >= t) return s - k;
  }
  return 0;
}

int CEditBase::ScrollStep() const {
  const QFontMetrics fm(font());
  const int quarter = static_cast<int>(GetTextRect().Width() * 0.25);
  return std::max(quarter / std::max(fm.averageCharWidth(), 1), 1);
}

int CEditBase::FitScrollIndex() const {
  const QFontMetrics fm(font());
  const int w = GetTextRect().Width();
  const int len = EndPos();
  if (alignment_ == 1) {
    for (int n = 0; n < len; ++n) {
      if (fm.horizontalAdvance(editText_.left(n + 1)) >= w) return n;
    }
    return len;
  }
  for (int i = len; i > 0; --i) {
    if (fm.horizontalAdvance(editText_.mid(i - 1)) >= w) return i;
  }
  return 0;
}

int CEditBase::NextWordStart() const {
  const int len = EndPos();
  int i = caret_ + 1;
  if (i >= len) return i;
  while (i < len && editText_[i] != ' ') ++i;
  while (i < len && editText_[i] == ' ') ++i;
  return i;
}

int CEditBase::PrevWordStart() const {
  int i = caret_ - 1;
  if (i <= 0) return 0;
  while (i > 0 && editText_[i] == ' ') --i;
  if (i == 0) return 0;
  while (i > 0 && editText_[i - 1] != ' ') --i;
  return i;
}

void CEditBase::SelectWordAt(int x) {
  const int len = EndPos();
  if (len == 0) return;
  int n = CharFromPoint(x);
  if (n > 0) {
    while (n > 0 && n < len && editText_[n] == ' ') --n;
    while (n > 0 && editText_[n - 1] != ' ') --n;
  }
  int i = n;
  while (i < len && editText_[i] != ' ') ++i;
  while (i < len - 1 && editText_[i + 1] == ' ') ++i;
  SetSel(n, i);
}

// ---- caret -----------------------------------------------------------------

void CEditBase::UpdateCaret() {
  if (!focused_) {
    caretShown_ = false;
    return;
  }
  const bool insert = insertMode_ || !CanToggleInsert();
  int style = insert ? caretStyle_ : caretStyleOvertype_;
  const QPixmap& picture = insert ? caretPicture_ : caretPictureOvertype_;
  const QFontMetrics fm(font());
  const int h = fm.height() + std::max(fm.leading(), 0);
  const int len = EndPos();
  const int w = caret_ >= len ? (alignment_ == 1 ? 2 : fm.averageCharWidth())
                              : fm.horizontalAdvance(editText_[caret_]);
  if (style == 6 && picture.isNull()) style = 0;
  const Rect r = GetTextRect();
  int x = GetCharPos(caret_, nullptr, false);
  if (x + w - 1 > r.right) x = r.right - w + 1;
  update(caretRect_);
  caretShape_ = style;
  caretShapePicture_ = style == 6 ? picture : QPixmap();
  caretRect_ = QRect(x, r.top, style == 0 ? 2 : w, h);
  caretShown_ = true;
  caretBlinkOn_ = true;
  const int flash = QApplication::cursorFlashTime();
  if (flash > 0) caretBlink_.start(flash / 2, this);
  update(caretRect_);
}

void CEditBase::DrawCaret(QPainter& p) const {
  if (!caretShown_ || !caretBlinkOn_ || caretRect_.isEmpty()) return;
  // The caret inverts the pixels of its shape, as a system caret does.
  QImage shape(caretRect_.size(), QImage::Format_ARGB32_Premultiplied);
  shape.fill(Qt::transparent);
  const int w = caretRect_.width(), h = caretRect_.height();
  auto copyPicture = [&](const QImage& small) {
    const int ox = w / 2 - small.width() / 2, oy = h - small.height();
    for (int y = 0; y < small.height(); ++y) {
      for (int x = 0; x < small.width(); ++x) {
        if (qGray(small.pixel(x, y)) > 127 && ox + x >= 0 && ox + x < w && oy + y >= 0) {
          shape.setPixel(ox + x, oy + y, qRgb(255, 255, 255));
        }
      }
    }
  };
  if (caretShape_ == 0 || caretShape_ == 1) {
    shape.fill(Qt::white);
  } else if (caretShape_ == 2) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if ((x + y) % 2 == 0) shape.setPixel(x, y, qRgb(255, 255, 255));
      }
    }
  } else if (caretShape_ >= 3 && caretShape_ <= 5) {
    QImage small(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) {
        small.setPixel(x, y, kCaretPictures[caretShape_ - 3][y][x] == '#' ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
      }
    }
    copyPicture(small);
  } else {
    copyPicture(caretShapePicture_.toImage());
  }
  p.save();
  p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  p.drawImage(caretRect_.topLeft(), shape);
  p.restore();
}

void CEditBase::timerEvent(QTimerEvent* event) {
  if (event->timerId() == caretBlink_.timerId()) {
    caretBlinkOn_ = !caretBlinkOn_;
    update(caretRect_);
    return;
  }
  QWidget::timerEvent(event);
}

// ---- overridable editing operations ------------------------------------------

void CEditBase::DeleteSel() {
  const int len = EndPos();
  if (!HasSelection() && caret_ >= len) return;
  const int lo = HasSelection() ? SelLow() : caret_;
  const int hi = HasSelection() ? SelHigh() : caret_ + 1;
  SetEditText(editText_.left(lo) + editText_.mid(hi));
  SetCaret(lo, false);
}

void CEditBase::CopySel() {
  if (!HasSelection()) return;
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(CopiedText());
}

void CEditBase::CutSel() {
  if (!HasSelection()) return;
  QPointer<CEditBase> self(this);
  CopySel();
  if (self) DeleteSel();
}

void CEditBase::PasteText() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  const QString text = clipboard ? clipboard->text() : QString();
  if (!text.isEmpty()) ReplaceSel(text);
}

void CEditBase::DeleteSelBeforeReplacing() {
  if (!HasSelection()) return;
  textChangingInternally_ = true;
  DeleteSel();
  textChangingInternally_ = false;
}

bool CEditBase::ReplaceSel(const QString& text) {
  DeleteSelBeforeReplacing();
  const int at = anchor_;
  undoPending_ = true;
  SetEditText(editText_.left(at) + text + editText_.mid(at));
  SetCaret(at + static_cast<int>(text.size()), false);
  return true;
}

void CEditBase::UndoEdit() {
  if (!undoAvailable_) return;
  const QString text = undoText_;
  const int caret = undoCaret_;
  undoPending_ = true;
  QPointer<CEditBase> self(this);
  SetEditText(text);
  if (self) SetCaret(caret, false);
}

void CEditBase::BeepIfAllowed() {
  if (maskErrorBeep_) Beep(kBeepExclamation);
}

// ---- keys ------------------------------------------------------------------

bool CEditBase::ConsumesBeforeDispatch(int vk) const { return (vk == kVkReturn && tabOnEnter_) || IsArrow(vk); }

bool CEditBase::WantsShortcutOverride(const QKeyEvent* event) const {
  const int vk = VirtualKeyOf(event);
  const Qt::KeyboardModifiers mods = event->modifiers();
  if (ConsumesBeforeDispatch(vk)) return true;
  if (mods & Qt::AltModifier) return false;
  if (mods & Qt::ControlModifier) {
    return vk == 'C' || vk == 'V' || vk == 'X' || vk == 'Z' || vk == kVkHome || vk == kVkEnd || vk == kVkInsert;
  }
  switch (vk) {
    case kVkBack: case kVkDelete: case kVkHome: case kVkEnd: case kVkInsert:
      return true;
    default:
      return !event->text().isEmpty() && event->text()[0].isPrint();
  }
}

void CEditBase::KeyPressed(QKeyEvent* event) {
  const int vk = VirtualKeyOf(event);
  const bool consumed = ConsumesBeforeDispatch(vk);
  QPointer<CEditBase> self(this);
  OnKeyDown(vk, event->modifiers());
  if (!self) return;
  if (!consumed) {
    const int code = CharCodeOf(event, vk);
    if (code >= 0) {
      OnChar(code);
      if (!self) return;
    }
  }
  // Enter and Escape that the field does not take go on to the window
  // (its default and cancel buttons).
  event->setAccepted(consumed || (vk != kVkReturn && vk != kVkEscape));
}

bool CEditBase::FireKeyDown(int vk, Qt::KeyboardModifiers modifiers) {
  QPointer<CEditBase> self(this);
  short code = static_cast<short>(vk);
  emit KeyDown(code, ShiftState(modifiers));
  return !self.isNull();
}

void CEditBase::OnKeyDown(int vk, Qt::KeyboardModifiers modifiers) {
  QPointer<CEditBase> self(this);
  const bool shift = modifiers & Qt::ShiftModifier;
  const bool ctrl = modifiers & Qt::ControlModifier;
  const int len = EndPos();
  auto refuse = [this] { BeepIfAllowed(); };
  switch (vk) {
    case kVkReturn:
      if (tabOnEnter_) MoveToNextControl();
      break;
    case kVkEnd:
      SetCaret(EndPos(), shift);
      undoPending_ = true;
      break;
    case kVkHome:
      SetCaret(HomePos(), shift);
      undoPending_ = true;
      break;
    case kVkLeft:
    case kVkUp:
      if (caret_ > 0) {
        SetCaret(ctrl ? PrevWordStart() : PrevCharPos(), shift);
      } else if (HasSelection() && !shift) {
        SetCaret(0, false);
      }
      undoPending_ = true;
      break;
    case kVkRight:
    case kVkDown:
      if (caret_ < len) {
        SetCaret(ctrl ? NextWordStart() : NextCharPos(), shift);
      } else if (HasSelection() && !shift) {
        SetCaret(len, false);
      }
      undoPending_ = true;
      break;
    case kVkInsert:
      if (allowInsertModeChange_ && CanToggleInsert()) {
        insertMode_ = !insertMode_;
        UpdateCaret();
      }
      break;
    case kVkDelete:
      if (!CanEdit()) return refuse();
      if (shift) {
        CutSel();
      } else {
        DeleteSel();
      }
      undoPending_ = true;
      break;
    case 'C':
      if (ctrl) CopySel();
      break;
    case 'V':
    case 'X':
    case 'Z':
      if (!ctrl) break;
      if (!CanEdit()) return refuse();
      if (vk == 'V') {
        PasteText();
        undoPending_ = true;
      } else if (vk == 'X') {
        CutSel();
        undoPending_ = true;
      } else {
        UndoEdit();
      }
      break;
    default:
      break;
  }
  if (!self) return;
  FireKeyDown(vk, modifiers);
}

void CEditBase::OnChar(int code) {
  QPointer<CEditBase> self(this);
  short keyAscii = static_cast<short>(code);
  lastChar_ = 0;
  emit KeyPress(keyAscii);
  if (!self) return;
  lastChar_ = keyAscii;
  if (HandlesInput()) return;
  if (keyAscii != 8 && keyAscii < 28) return;
  if (!CanEdit()) return BeepIfAllowed();
  if (keyAscii == 8) {
    if (HasSelection()) {
      DeleteSel();
    } else if (caret_ > 0) {
      const int at = caret_ - 1;
      SetEditText(editText_.left(at) + editText_.mid(at + 1));
      SetCaret(at, false);
    }
    return;
  }
  DeleteSelBeforeReplacing();
  QString text = editText_;
  const QChar c = AnsiChar(keyAscii);
  if (insertMode_ || caret_ >= text.size()) {
    text.insert(caret_, c);
  } else {
    text[caret_] = c;
  }
  SetEditText(text);
  SetCaret(caret_ + 1, false);
}

bool CEditBase::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (WantsShortcutOverride(key)) {
        key->accept();
        return true;
      }
      break;
    }
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      const bool tab = (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
                       !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
      if (tab) break;  // the window's focus chain
      KeyPressed(key);
      return true;
    }
    case QEvent::KeyRelease: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (!key->isAutoRepeat()) {
        short code = static_cast<short>(VirtualKeyOf(key));
        emit KeyUp(code, ShiftState(key->modifiers()));
      }
      return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      return MouseEvent(static_cast<QMouseEvent*>(event));
    default:
      break;
  }
  return QWidget::event(event);
}

bool CEditBase::MouseEvent(QMouseEvent* event) {
  // The field's own handling first, then the stock events.
  const QEvent::Type type = event->type();
  const QPoint at = event->position().toPoint();
  const short shift = ShiftState(event->modifiers());
  auto code = [](Qt::MouseButtons buttons) {
    return static_cast<short>(((buttons & Qt::LeftButton) ? 1 : 0) | ((buttons & Qt::RightButton) ? 2 : 0) |
                              ((buttons & Qt::MiddleButton) ? 4 : 0));
  };
  QPointer<CEditBase> self(this);
  const bool handled = QWidget::event(event);
  if (!self) return handled;
  switch (type) {
    case QEvent::MouseButtonPress:
      if (event->button() == Qt::LeftButton) leftPressed_ = true;
      emit MouseDown(code(event->button()), shift, at.x(), at.y());
      break;
    case QEvent::MouseButtonDblClick:
      // The second press of a double click is the double click itself.
      emit DblClick();
      break;
    case QEvent::MouseMove:
      emit MouseMove(code(event->buttons()), shift, at.x(), at.y());
      break;
    case QEvent::MouseButtonRelease: {
      const bool click = event->button() == Qt::LeftButton && leftPressed_;
      if (event->button() == Qt::LeftButton) leftPressed_ = false;
      emit MouseUp(code(event->button()), shift, at.x(), at.y());
      if (self && click) emit Click();
      break;
    }
    default:
      break;
  }
  return handled;
}

// ---- focus -----------------------------------------------------------------

void CEditBase::focusInEvent(QFocusEvent*) {
  focused_ = true;
  OnSetFocus();
}

void CEditBase::focusOutEvent(QFocusEvent* event) {
  if (!focused_) return;  // a focus change that never reached this widget
  focused_ = false;
  OnKillFocus(event->reason());
}

void CEditBase::OnSetFocus() {
  if (autoSelect_) SetSel(0, EndPos());
  RecordUndoText();
  // The first edit after the focus arrives can be undone.
  undoPending_ = true;
  InvalidateOnFocusChange();
  UpdateCaret();
}

void CEditBase::OnKillFocus(Qt::FocusReason) {
  InvalidateOnFocusChange();
  caretShown_ = false;
  caretBlink_.stop();
}

// ---- mouse -----------------------------------------------------------------

void CEditBase::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  if (GetTextRect().Contains(at)) {
    SetCaret(CharFromPoint(at.x()), event->modifiers() & Qt::ShiftModifier);
    mouseSelecting_ = true;
  }
}

void CEditBase::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  UpdateCursor(at);
  if (!mouseSelecting_) return;
  const Rect r = GetTextRect();
  int target = at.x() < r.left    ? caret_ - ScrollStep()
               : at.x() > r.right ? caret_ + ScrollStep()
                                  : CharFromPoint(at.x());
  target = std::clamp(target, 0, EndPos());
  if (target != caret_) {
    SetCaret(target, true);
    repaint();
  }
}

void CEditBase::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) mouseSelecting_ = false;
}

void CEditBase::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  if (GetTextRect().Contains(at)) SelectWordAt(at.x());
}

void CEditBase::UpdateCursor(QPoint) {
  if (mousePointer_ == 99) {
    if (!mouseIcon_.isNull()) {
      setCursor(QCursor(mouseIcon_));
      return;
    }
    setCursor(Qt::IBeamCursor);
    return;
  }
  for (const CursorOf& c : kCursors) {
    if (c.pointer == mousePointer_) setCursor(c.shape);
  }
}

void CEditBase::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  KeepScrollInRange();
  UpdateCaret();
  ExtentChanged();
}

void CEditBase::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_) return;
  shown_ = true;
  FirstShown();
}

// ---- painting ----------------------------------------------------------------

bool CEditBase::IsNullShown() const { return !focused_ && IsTextEmpty() && !nullText_.isEmpty(); }

OleColor CEditBase::RuleColor(bool text) const {
  // The colour rules in order: the first whose condition holds and whose
  // colour is set wins; a disabled field's text is grey (below).
  const struct {
    bool applies;
    OleColor text, back;
  } rules[] = {
      {locked_, readOnlyForeColor_, readOnlyBackColor_},
      {focused_, focusForeColor_, focusBackColor_},
      {!focused_ && IsMaskError(), maskErrorForeColor_, maskErrorBackColor_},
      {IsNullShown(), nullForeColor_, nullBackColor_},
      {IsNegative(), GetNegForeColor(), GetNegBackColor()},
  };
  for (const auto& rule : rules) {
    const OleColor color = text ? rule.text : rule.back;
    if (rule.applies && color != kIgnoreColor) return color;
  }
  return text ? foreColor_ : backColor_;
}

QColor CEditBase::GetCurrentForeColor() const {
  if (!isEnabled()) return ColorOf(kSystemGrayText, palette());
  return ToColor(RuleColor(true));
}

QColor CEditBase::GetCurrentBackColor() const { return ToColor(RuleColor(false)); }

void CEditBase::DrawBorder(QPainter& p, const Rect& r) const {
  if (borderStyle_ != 1) return;
  const FrameColors colors = Frame();
  if (appearance_ == 0) {
    Draw3dRect(p, r, colors.frame, colors.frame);
  } else {
    DrawSunkenBorder(p, r, colors.shadow, colors.frame, colors.face, colors.highlight);
  }
}

void CEditBase::DrawEditText(QPainter& p) {
  const QFont f = PaintFont();
  const QFontMetrics fm(f);
  p.setFont(f);
  Rect r = GetTextRect();
  r.right += 1;
  const QColor back = GetCurrentBackColor();
  const QColor fore = GetCurrentForeColor();
  if (borderStyle_ == 1) Draw3dRect(p, r.Shrunk(-1), back, back);
  FillSolidRect(p, r.left, r.top, r.Width(), r.Height(), back);
  r.right -= 1;
  const Rect b = GetButtonsRect();
  if (b.Width() > 0) {
    const int top = borderStyle_ == 1 && appearance_ == 0 ? b.top - 1 : b.top;
    FillSolidRect(p, b.left - 1, top, 1, b.bottom - top, Frame().frame);
  }
  const int cellHeight = std::min(r.Height(), fm.height());
  const int lo = SelLow(), hi = SelHigh();
  const bool drawSelection = HasSelection() && (focused_ || (!hideSelection_ && !selectionSuppressed_));
  struct Run {
    QString text;
    QColor fore, back;
  };
  std::vector<Run> runs;
  if (drawSelection) {
    runs = {{editText_.left(lo), fore, back},
            {editText_.mid(lo, hi - lo), ToColor(selForeColor_), ToColor(selBackColor_)},
            {editText_.mid(hi), fore, back}};
  } else {
    runs = {{editText_, fore, back}};
  }
  p.save();
  p.setClipRect(r.ToQRect());
  int x = GetCharPos(0, nullptr, true);
  for (const Run& run : runs) {
    if (run.text.isEmpty()) continue;
    const int w = fm.horizontalAdvance(run.text);
    FillSolidRect(p, x, r.top, w, cellHeight, run.back);
    p.setPen(run.fore);
    p.drawText(x, r.top + fm.ascent(), run.text);
    x += w;
  }
  p.restore();
}

void CEditBase::DrawEllipsesButton(QPainter& p, const Rect& r, bool pressed) const {
  const FrameColors colors = Frame();
  DrawButtonFace(p, r, pressed, colors);
  const Rect content = pressed ? Rect{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1} : r;
  const bool enabled = isEnabled() && ellipsesButtonEnabled_;
  const QPixmap& picture = enabled ? ellipsesButtonPic_ : ellipsesButtonPicDisabled_;
  if (!picture.isNull()) {
    const Rect c = content.Shrunk(1).Shrunk(1, false, false, true, true);
    p.save();
    p.setClipRect(c.ToQRect());
    const QSize size = picture.deviceIndependentSize().toSize();
    p.drawPixmap(c.left + (c.Width() - size.width()) / 2, c.top + (c.Height() - size.height()) / 2, picture);
    p.restore();
    return;
  }
  const QColor dots = enabled ? colors.frame : ColorOf(kSystemGrayText, palette());
  const int x0 = content.left + (content.right - content.left) / 2 - 4;
  const int y0 = content.bottom + (content.top - content.bottom) / 3;
  for (int i = 0; i < 3; ++i) FillSolidRect(p, x0 + 3 * i, y0, 2, 2, dots);
}

void CEditBase::paintEvent(QPaintEvent*) {
  QPainter p(this);
  DrawBorder(p, Rect{0, 0, width(), height()});
  DrawEditText(p);
  DrawButtons(p);
  DrawCaret(p);
}

QSize CEditBase::sizeHint() const {
  const QFontMetrics fm(font());
  const int frame = 2 * (GetBorderWidth() + (borderStyle_ == 1 ? 1 : 0));
  return QSize(fm.averageCharWidth() * 12 + frame + GetButtonsRect().Width(), fm.height() + frame);
}

QSize CEditBase::minimumSizeHint() const {
  const QFontMetrics fm(font());
  return QSize(fm.averageCharWidth() * 2, fm.height() + 2 * GetBorderWidth());
}

// ---- host services -----------------------------------------------------------

void CEditBase::MoveToNextControl() {
  QWidget* top = window();
  for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
    if (w->window() == top && !w->isWindow() && w->isVisibleTo(top) && w->isEnabled() &&
        (w->focusPolicy() & Qt::TabFocus)) {
      w->setFocus(Qt::TabFocusReason);
      return;
    }
  }
  if (isVisibleTo(top) && isEnabled() && (focusPolicy() & Qt::TabFocus)) setFocus(Qt::TabFocusReason);
}

QString CEditBase::ControlNameOf(const QWidget* control) {
  if (!control) return QString();
  QString name = control->objectName();
  const QVariant index = control->property("index");
  bool ok = false;
  const int n = index.toInt(&ok);
  if (index.isValid() && ok && n != -1) name += QString("(%1)").arg(n);
  return name;
}

QList<QWidget*> CEditBase::OtherControls() const {
  // The window's own controls: not this field, and not the windows of its
  // own (the calculator, the tip) or of any other control.
  QList<QWidget*> controls;
  QWidget* top = window();
  for (QWidget* w : top->findChildren<QWidget*>()) {
    if (w != this && w->window() == top) controls << w;
  }
  return controls;
}

QWidget* CEditBase::FindControlByName(const QString& name) const {
  if (name.isEmpty()) return nullptr;
  for (QWidget* w : OtherControls()) {
    if (ControlNameOf(w) == name) return w;
  }
  return nullptr;
}

void CEditBase::ListControlNames(QStringList& names) const {
  for (QWidget* w : OtherControls()) names << ControlNameOf(w);
}

bool CEditBase::GetPropertyByName(const QObject* object, const QString& name, QVariant& out) {
  out = QVariant();
  if (!object) return true;
  out = object->property(name.toUtf8().constData());
  return out.isValid();
}

bool CEditBase::PutPropertyByName(QObject* object, const QString& name, const QVariant& value) {
  if (!object) return true;
  const QByteArray key = name.toUtf8();
  if (object->metaObject()->indexOfProperty(key.constData()) < 0 && !object->dynamicPropertyNames().contains(key)) {
    return false;
  }
  object->setProperty(key.constData(), value);
  return object->property(key.constData()).isValid();
}

bool CEditBase::FormatByHost(const QVariant& value, const QString& format, QString& out) {
  if (format.isEmpty()) return false;
  if (HostFormat* host = InstalledHostFormat()) return host->Format(value, format, out);
  if (auto text = Convert(value, Kind::String, UserStyle())) out = text->toString();
  return false;
}

bool CEditBase::FormatTextByHost(const QString& text, const QString& format, QString& out) {
  return FormatByHost(QVariant(text), format, out);
}

}  // namespace numbox
