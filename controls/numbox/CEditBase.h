#pragma once
// The edit engine of the numeric field: a single-line edit widget that
// owns the text it shows and edits (the edit text), the caret, the
// selection, insert and overtype mode, horizontal scrolling, one undo
// step, the keyboard and mouse editing rules, focus handling, painting
// with its colour rules and border, and the services that reach into the
// host window (next control in the focus chain, controls and properties
// by name, the host's Format). It is never placed on its own: CNumCtrl
// derives from it and replaces most of its virtual operations.
//
// Positions are character indexes into the edit text; coordinates are
// pixels in the widget. The border is drawn by the widget itself, inside
// its rectangle, so the "client" area is the widget less the border.

#include "numbox/Frames.h"
#include "numbox/PropTypes.h"

#include <QBasicTimer>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <optional>

class QKeyEvent;

namespace numbox {

// The classic virtual-key codes that KeyDown and KeyUp report.
enum VirtualKey : int {
  kVkBack = 8, kVkTab = 9, kVkReturn = 13, kVkShift = 16, kVkControl = 17, kVkMenu = 18,
  kVkEscape = 27, kVkSpace = 32, kVkPrior = 33, kVkNext = 34, kVkEnd = 35, kVkHome = 36,
  kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40, kVkInsert = 45, kVkDelete = 46,
  kVkNumpad0 = 96, kVkMultiply = 106, kVkAdd = 107, kVkSubtract = 109, kVkDecimal = 110,
  kVkDivide = 111, kVkF1 = 112, kVkF4 = 115,
};
// The virtual-key code of a key event (0 when it has none).
int VirtualKeyOf(const QKeyEvent* event);

class CEditBase : public QWidget {
  Q_OBJECT
  Q_PROPERTY(uint BackColor READ BackColor WRITE SetBackColor)
  Q_PROPERTY(uint ForeColor READ ForeColor WRITE SetForeColor)
  Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)

 public:
  explicit CEditBase(QWidget* parent = nullptr);
  ~CEditBase() override;

  // ---- properties --------------------------------------------------------
  bool MaskErrorBeep() const { return maskErrorBeep_; }
  void SetMaskErrorBeep(bool v) { Store(maskErrorBeep_, v, SetKind::Keep); }
  bool InsertMode() const { return insertMode_; }
  void SetInsertMode(bool v) { Store(insertMode_, v, SetKind::Caret); }
  bool AllowInsertModeChange() const { return allowInsertModeChange_; }
  void SetAllowInsertModeChange(bool v) { Store(allowInsertModeChange_, v, SetKind::Keep); }
  short CaretStyle() const { return caretStyle_; }
  void SetCaretStyle(short v) { StoreRangedIfChanged(caretStyle_, v, 0, 6, SetKind::Caret); }
  short CaretStyleOvertype() const { return caretStyleOvertype_; }
  void SetCaretStyleOvertype(short v) { StoreRangedIfChanged(caretStyleOvertype_, v, 0, 6, SetKind::Caret); }
  QPixmap CaretPicture() const { return caretPicture_; }
  void SetCaretPicture(const QPixmap& v) { Store(caretPicture_, v, SetKind::Caret); }
  QPixmap CaretPictureOvertype() const { return caretPictureOvertype_; }
  void SetCaretPictureOvertype(const QPixmap& v) { Store(caretPictureOvertype_, v, SetKind::Caret); }
  short MousePointer() const { return mousePointer_; }
  void SetMousePointer(short v);
  QPixmap MouseIcon() const { return mouseIcon_; }
  void SetMouseIcon(const QPixmap& v) { Store(mouseIcon_, v, SetKind::Keep); }
  short DisplayAlignment() const { return displayAlignment_; }
  void SetDisplayAlignment(short v) { StoreRangedIfChanged(displayAlignment_, v, 0, 3, SetKind::RepaintUnfocused); }
  short Alignment() const { return alignment_; }
  void SetAlignment(short v);
  short BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(short v) { StoreRanged(borderStyle_, v, 0, 1, SetKind::Repaint); }
  short Appearance() const { return appearance_; }
  void SetAppearance(short v) { StoreRanged(appearance_, v, 0, 1, SetKind::Repaint); }
  bool AllowNull() const { return allowNull_; }
  void SetAllowNull(bool v) { Store(allowNull_, v, SetKind::Keep); }
  bool AllowEscape() const { return allowEscape_; }
  void SetAllowEscape(bool v) { Store(allowEscape_, v, SetKind::Keep); }
  QString NullText() const { return nullText_; }
  void SetNullText(const QString& v) { Store(nullText_, v, SetKind::RepaintNull); }
  // The font of the null text.
  FontDesc NullFont() const { return nullFont_; }
  void SetNullFont(const FontDesc& v) { Store(nullFont_, v, SetKind::Keep); }
  OleColor NullForeColor() const { return nullForeColor_; }
  void SetNullForeColor(OleColor v) { Store(nullForeColor_, v, SetKind::RepaintNull); }
  OleColor NullBackColor() const { return nullBackColor_; }
  void SetNullBackColor(OleColor v) { Store(nullBackColor_, v, SetKind::RepaintNull); }
  OleColor FocusForeColor() const { return focusForeColor_; }
  void SetFocusForeColor(OleColor v) { Store(focusForeColor_, v, SetKind::Repaint); }
  OleColor FocusBackColor() const { return focusBackColor_; }
  void SetFocusBackColor(OleColor v) { Store(focusBackColor_, v, SetKind::Repaint); }
  OleColor MaskErrorForeColor() const { return maskErrorForeColor_; }
  void SetMaskErrorForeColor(OleColor v) { Store(maskErrorForeColor_, v, SetKind::Repaint); }
  OleColor MaskErrorBackColor() const { return maskErrorBackColor_; }
  void SetMaskErrorBackColor(OleColor v) { Store(maskErrorBackColor_, v, SetKind::Repaint); }
  OleColor ReadOnlyForeColor() const { return readOnlyForeColor_; }
  void SetReadOnlyForeColor(OleColor v) { Store(readOnlyForeColor_, v, SetKind::Keep); }
  OleColor ReadOnlyBackColor() const { return readOnlyBackColor_; }
  void SetReadOnlyBackColor(OleColor v) { Store(readOnlyBackColor_, v, SetKind::Repaint); }
  OleColor SelForeColor() const { return selForeColor_; }
  void SetSelForeColor(OleColor v) { Store(selForeColor_, v, SetKind::Repaint); }
  OleColor SelBackColor() const { return selBackColor_; }
  void SetSelBackColor(OleColor v) { Store(selBackColor_, v, SetKind::Repaint); }
  OleColor ForeColor() const { return foreColor_; }
  void SetForeColor(OleColor v) { Store(foreColor_, v, SetKind::Repaint); }
  OleColor BackColor() const { return backColor_; }
  void SetBackColor(OleColor v) { Store(backColor_, v, SetKind::Repaint); }
  // The field's own Enabled setting (its window may still be disabled
  // with a disabled parent).
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  // The stock font: the host's font until one is set.
  FontDesc Font() const { return font_ ? *font_ : FontDesc::FromQFont(font()); }
  bool HasOwnFont() const { return font_.has_value(); }
  void SetFont(const FontDesc& v);
  // Back to the host's font.
  void ClearFont();
  // The field's size in HIMETRIC units (0.01 mm); a size that was loaded
  // stays as loaded while the widget keeps the size it gave.
  QSize Extent() const;
  void SetExtent(const QSize& himetric);
  bool EllipsesButton() const { return ellipsesButton_; }
  void SetEllipsesButton(bool v) { Store(ellipsesButton_, v, SetKind::Repaint); }
  bool EllipsesButtonEnabled() const { return ellipsesButtonEnabled_; }
  void SetEllipsesButtonEnabled(bool v) { Store(ellipsesButtonEnabled_, v, SetKind::Repaint); }
  short EllipsesButtonWidth() const { return ellipsesButtonWidth_; }
  void SetEllipsesButtonWidth(short v) { StoreRanged(ellipsesButtonWidth_, v, 0, 32767, SetKind::Repaint); }
  QPixmap EllipsesButtonPic() const { return ellipsesButtonPic_; }
  void SetEllipsesButtonPic(const QPixmap& v) { Store(ellipsesButtonPic_, v, SetKind::Repaint); }
  QPixmap EllipsesButtonPicDisabled() const { return ellipsesButtonPicDisabled_; }
  void SetEllipsesButtonPicDisabled(const QPixmap& v) { Store(ellipsesButtonPicDisabled_, v, SetKind::Repaint); }
  bool KeepFocusOnError() const { return keepFocusOnError_; }
  void SetKeepFocusOnError(bool v) { Store(keepFocusOnError_, v, SetKind::Keep); }
  bool Locked() const { return locked_; }
  void SetLocked(bool v) { Store(locked_, v, SetKind::Repaint); }
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool v) { Store(autoSelect_, v, SetKind::Keep); }
  bool AutoTab() const { return autoTab_; }
  void SetAutoTab(bool v) { Store(autoTab_, v, SetKind::Keep); }
  bool TabOnEnter() const { return tabOnEnter_; }
  void SetTabOnEnter(bool v) { Store(tabOnEnter_, v, SetKind::Keep); }
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool v) { Store(hideSelection_, v, SetKind::RepaintUnfocused); }
  QVariant TagVariant() const { return tagVariant_; }
  void SetTagVariant(const QVariant& v) { Store(tagVariant_, v, SetKind::Keep); }
  QString UndoText() const { return undoText_; }
  void SetUndoText(const QString& v) { Store(undoText_, v, SetKind::Keep); }
  // Whether a property set has completed since the field was made or
  // its properties were last loaded.
  bool IsModified() const { return modified_; }
  void SetModified(bool v) { modified_ = v; }

  // ---- edit text, caret and selection --------------------------------------
  QString GetEditText() const { return editText_; }
  void SetEditText(const QString& text);
  void SaveUndoPoint();
  void DiscardUndo() { undoAvailable_ = false; }
  bool UndoAvailable() const { return undoAvailable_; }
  void SetCaret(int pos, bool extend);
  void SetSel(int start, int end);
  void ResetCaret();
  int GetCaretPos() const { return caret_; }
  int GetSelAnchor() const { return anchor_; }
  int GetSelEnd() const { return selEnd_; }
  int SelLow() const { return std::min(anchor_, selEnd_); }
  int SelHigh() const { return std::max(anchor_, selEnd_); }
  bool HasSelection() const { return anchor_ != selEnd_; }
  // The selected part of the edit text.
  QString SelectedEditText() const { return editText_.mid(SelLow(), SelHigh() - SelLow()); }

  // The selection members of hosts: SelStart is the anchor, SelLength the
  // distance to the active end. Negative values raise 380.
  short SelStart() const { return static_cast<short>(anchor_); }
  void SetSelStart(short start);
  short SelLength() const { return static_cast<short>(SelHigh() - SelLow()); }
  void SetSelLength(short length);

  // ---- layout --------------------------------------------------------------
  int GetBorderWidth() const;
  Rect ClientRect() const;
  Rect GetTextRect() const;
  // Where the character at `pos` starts (x), and its width when asked.
  int GetCharPos(int pos, int* charWidth, bool display) const;
  int CharFromPoint(int x) const;
  int ScrollStep() const;
  int FitScrollIndex() const;
  int NextWordStart() const;
  int PrevWordStart() const;
  void SelectWordAt(int x);
  QFont PaintFont() const;
  bool HasFocusNow() const { return focused_; }

  // ---- painting ------------------------------------------------------------
  QColor GetCurrentForeColor() const;
  QColor GetCurrentBackColor() const;
  QColor ToColor(OleColor value) const { return ColorOf(value, palette()); }
  // The null text is showing: the field is empty, has no focus and has a null text.
  bool IsNullShown() const;
  FrameColors Frame() const { return FrameColors::FromPalette(palette()); }
  // The caret's rectangle while it shows (empty otherwise).
  QRect CaretRect() const { return caretShown_ ? caretRect_ : QRect(); }

  // ---- host services --------------------------------------------------------
  // Moves the focus to the next widget of the window's focus chain that is
  // visible, enabled and takes Tab focus; wraps around, possibly to this one.
  void MoveToNextControl();
  // A widget's name: its objectName, with "(N)" when its "index" property is N (not -1).
  static QString ControlNameOf(const QWidget* control);
  // The first other widget of the window with that name (case-sensitive).
  QWidget* FindControlByName(const QString& name) const;
  void ListControlNames(QStringList& names) const;
  QList<QWidget*> OtherControls() const;
  // Qt properties by name; no object answers true and does nothing.
  static bool GetPropertyByName(const QObject* object, const QString& name, QVariant& out);
  static bool PutPropertyByName(QObject* object, const QString& name, const QVariant& value);
  // The host's Format of a value (or of a text): false for an empty format,
  // and false with the plain text when the host installed no Format.
  static bool FormatByHost(const QVariant& value, const QString& format, QString& out);
  static bool FormatTextByHost(const QString& text, const QString& format, QString& out);

  void BeepIfAllowed();

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  // The stock events. Key codes travel by reference: a handler connected
  // directly may change them (KeyPress with 0 drops the character).
  void KeyDown(short& keyCode, short shift);
  void KeyPress(short& keyAscii);
  void KeyUp(short& keyCode, short shift);
  void Click();
  void DblClick();
  // Button: 1 left, 2 right, 4 middle; x and y in pixels.
  void MouseDown(short button, short shift, int x, int y);
  void MouseMove(short button, short shift, int x, int y);
  void MouseUp(short button, short shift, int x, int y);

 protected:
  // How a property set refreshes the field after storing.
  enum class SetKind { Keep, Repaint, RepaintUnfocused, RepaintNull, Caret, Reformat, Negative, Calc };

  template <class T, class V>
  void Store(T& member, const V& value, SetKind kind) {
    member = value;
    AfterSet(kind);
  }
  // A value outside low..high raises 380.
  void StoreRanged(short& member, short value, short low, short high, SetKind kind);
  // The same, but a value equal to the one held does nothing (not even mark the field modified).
  void StoreRangedIfChanged(short& member, short value, short low, short high, SetKind kind);
  virtual void AfterSet(SetKind kind);

  // ---- overridable operations ----------------------------------------------
  virtual void OnEditTextChanged() {}
  virtual void DeleteSel();
  virtual bool HandlesInput() const { return false; }
  virtual bool CanEdit() const { return !locked_; }
  virtual bool CanToggleInsert() const { return !HandlesInput(); }
  // What a copy puts on the clipboard: the selected edit text.
  virtual QString CopiedText() const { return SelectedEditText(); }
  void CopySel();
  void CutSel();
  virtual void PasteText();
  virtual bool ReplaceSel(const QString& text);
  virtual void UndoEdit();
  virtual bool IsTextEmpty() const { return editText_.isEmpty(); }
  virtual Rect GetButtonsRect() const { return Rect{}; }
  virtual void DrawButtons(QPainter&) {}
  virtual bool IsMaskError() const { return maskError_; }
  virtual OleColor GetNegBackColor() const { return kIgnoreColor; }
  virtual OleColor GetNegForeColor() const { return kIgnoreColor; }
  virtual bool IsNegative() const { return false; }
  // Called whenever the undo text is recorded, so that a derived class can
  // keep what goes with it.
  virtual void OnUndoRecorded() {}
  // The field's size has changed.
  virtual void ExtentChanged() {}
  // The field is shown for the first time.
  virtual void FirstShown() {}

  int NextCharPos() const { return caret_ < editText_.size() ? caret_ + 1 : caret_; }
  int PrevCharPos() const { return std::max(caret_ - 1, 0); }
  int EndPos() const { return static_cast<int>(editText_.size()); }
  int HomePos() const { return 0; }

  // ---- keys and focus, as the edit engine handles them ---------------------
  // Whether a key goes straight to OnKeyDown and produces no character.
  virtual bool ConsumesBeforeDispatch(int vk) const;
  // The key-down rules; ends with KeyDown (the host sees it after the edit).
  virtual void OnKeyDown(int vk, Qt::KeyboardModifiers modifiers);
  // Fires KeyDown; false when a handler deleted the field.
  bool FireKeyDown(int vk, Qt::KeyboardModifiers modifiers);
  // The character rules: KeyPress first (the host may change or cancel
  // the character), then the edit. `code` is the Windows-1252 code.
  virtual void OnChar(int code);
  virtual void OnSetFocus();
  virtual void OnKillFocus(Qt::FocusReason reason);
  void UpdateCaret();
  void InvalidateOnFocusChange() { update(); }
  void InvalidateText() { update(); }

  // The character the last KeyPress left, 0 when cancelled.
  int LastChar() const { return lastChar_; }
  void SetMaskErrorFlag(bool v) { maskError_ = v; }
  bool textChangingInternally_ = false;
  bool selectionSuppressed_ = false;

  // Painting.
  void DrawBorder(QPainter& p, const Rect& r) const;
  void DrawEditText(QPainter& p);
  void DrawEllipsesButton(QPainter& p, const Rect& r, bool pressed) const;

  bool event(QEvent* event) override;
  // Mouse events: the field's handling, then the stock mouse events.
  bool MouseEvent(QMouseEvent* event);
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // The cursor over a point: the arrow over buttons, else by MousePointer.
  virtual void UpdateCursor(QPoint at);

  // Whether the field takes a key before the window's shortcuts do.
  virtual bool WantsShortcutOverride(const QKeyEvent* event) const;

 private:
  friend class PropertyExchange;

  void KeyPressed(QKeyEvent* event);
  // Removes the selection that typed or pasted text replaces, without a
  // change notice of its own.
  void DeleteSelBeforeReplacing();
  void KeepScrollInRange();
  // Keeps the edit text and the caret as what Undo goes back to.
  void RecordUndoText();
  OleColor RuleColor(bool text) const;
  int TextWidth(const QString& text) const;

  // Properties.
  Flag maskErrorBeep_ = Flag::Default(true);
  Flag insertMode_ = Flag::Default(true);
  Flag allowInsertModeChange_ = Flag::Default(true);
  short caretStyle_ = 0;
  short caretStyleOvertype_ = 1;
  QPixmap caretPicture_, caretPictureOvertype_;
  short mousePointer_ = 0;
  QPixmap mouseIcon_;
  short displayAlignment_ = 3;
  short alignment_ = 1;
  short borderStyle_ = 1;
  short appearance_ = 1;
  Flag allowNull_ = Flag::Default(true);
  Flag allowEscape_ = Flag::Default(true);
  QString nullText_;
  FontDesc nullFont_ = FontDesc::SansSerif(90000, 400, true);
  OleColor nullForeColor_ = kIgnoreColor, nullBackColor_ = kIgnoreColor;
  OleColor focusForeColor_ = kIgnoreColor, focusBackColor_ = kIgnoreColor;
  OleColor maskErrorForeColor_ = 0x0000FF, maskErrorBackColor_ = kIgnoreColor;
  OleColor readOnlyForeColor_ = kIgnoreColor, readOnlyBackColor_ = kSystemButtonFace;
  OleColor selForeColor_ = kSystemHighlightText, selBackColor_ = kSystemHighlight;
  OleColor foreColor_ = kSystemWindowText, backColor_ = kSystemWindow;
  Flag ellipsesButton_ = Flag::Default(false);
  Flag ellipsesButtonEnabled_ = Flag::Default(true);
  short ellipsesButtonWidth_ = 16;
  QPixmap ellipsesButtonPic_, ellipsesButtonPicDisabled_;
  Flag keepFocusOnError_ = Flag::Default(false);
  Flag locked_ = Flag::Default(false);
  Flag autoSelect_ = Flag::Default(false);
  Flag autoTab_ = Flag::Default(false);
  Flag tabOnEnter_ = Flag::Default(false);
  Flag hideSelection_ = Flag::Default(true);
  QVariant tagVariant_;
  Flag enabled_ = Flag::Default(true);
  std::optional<FontDesc> font_;
  std::optional<QSize> extent_;
  bool modified_ = false;

  // State.
  bool maskError_ = false;
  QString editText_;
  QString undoText_;
  int undoCaret_ = 0;
  bool undoPending_ = false;
  bool undoAvailable_ = false;
  int anchor_ = 0, selEnd_ = 0, caret_ = 0, scroll_ = 0;
  bool mouseSelecting_ = false;
  int lastChar_ = 0;
  bool focused_ = false;
  bool shown_ = false;
  bool leftPressed_ = false;  // a left press in the field, for Click

  // The caret, drawn by the widget.
  QRect caretRect_;
  int caretShape_ = 0;  // the style in force
  QPixmap caretShapePicture_;
  bool caretShown_ = false;
  bool caretBlinkOn_ = true;
  QBasicTimer caretBlink_;
  void DrawCaret(QPainter& p) const;
};

}  // namespace numbox
