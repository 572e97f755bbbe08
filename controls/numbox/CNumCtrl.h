#pragma once
// The numeric masked-edit field QuorMaskNum. The edit base shows and edits
// the text; the value engine (NumEngine, with the display engine NumMask)
// owns the number. This class joins them: it takes typed characters and
// keys to the engine, shows what the engine lays out, draws and tracks its
// buttons (spin, ellipses, calculator) with the spin auto-repeat, checks
// the value when the focus leaves, mirrors a status text into another
// widget, and raises the field's events to the host.
//
// Hosts drive the field through the members below and its signals. A
// signal handler may delete the field: every step that follows a signal
// first checks that the field still exists and otherwise ends quietly.

#include "numbox/CEditBase.h"
#include "numbox/NumEngine.h"

#include <QPointer>

namespace numbox {

class CNumCtrl : public CEditBase {
  Q_OBJECT

 public:
  explicit CNumCtrl(QWidget* parent = nullptr);

  // What follows a load of the properties (and the making of a new field):
  // the stored text becomes the value, the display is laid out and the
  // caret goes home.
  void PropertiesLoaded();

  // ---- value members (a refused value raises 13) ----------------------------
  // The value text ("-1234.5", "." whatever the locale).
  QString Text() const { return engine_.ValueText(); }
  void SetText(const QString& text);
  // The value in the value kind; Empty for an empty field.
  QVariant Value();
  // Null is taken as 0 and turned into the Long 0 in the caller's variant.
  void SetValue(QVariant& value);
  void SetValue(const QVariant& value);
  QString InputText() const { return engine_.DisplayText(); }
  QString FormatText() const;
  bool IsEmpty() const { return IsTextEmpty(); }
  // The null text is showing (the field is empty and has no focus).
  bool IsNullShown() const override;
  bool MaskError() const { return IsMaskError(); }
  bool DataChanged() const { return dataChanged_; }
  void SetDataChanged(bool v) { dataChanged_ = v; }
  QString SelText() const;
  void SetSelText(const QString& text);
  QString Format() const { return format_; }
  void SetFormat(const QString& format);

  // ---- mask settings (a change lays the value out again) --------------------
  short MaskType() const { return engine_.mask.MaskType; }
  void SetMaskType(short v) { StoreRanged(engine_.mask.MaskType, v, 0, 1, SetKind::Reformat); }
  short MaskDecimalPlaces() const { return engine_.mask.MaskDecimalPlaces; }
  void SetMaskDecimalPlaces(short v) { StoreRanged(engine_.mask.MaskDecimalPlaces, v, -1, 9, SetKind::Reformat); }
  bool MaskDecimalFixed() const { return engine_.mask.MaskDecimalFixed; }
  void SetMaskDecimalFixed(bool v) { Store(engine_.mask.MaskDecimalFixed, v, SetKind::Reformat); }
  short MaskWholePlaces() const { return engine_.mask.MaskWholePlaces; }
  void SetMaskWholePlaces(short v) { StoreRanged(engine_.mask.MaskWholePlaces, v, -1, 32767, SetKind::Keep); }
  bool MaskShowThousandSep() const { return engine_.mask.MaskShowThousandSep; }
  void SetMaskShowThousandSep(bool v) { Store(engine_.mask.MaskShowThousandSep, v, SetKind::Reformat); }
  short MaskThousandDigits() const { return engine_.mask.MaskThousandDigits; }
  void SetMaskThousandDigits(short v) { StoreRanged(engine_.mask.MaskThousandDigits, v, -1, 9, SetKind::Reformat); }
  QString MaskThousandSep() const { return engine_.mask.MaskThousandSep; }
  void SetMaskThousandSep(const QString& v) { Store(engine_.mask.MaskThousandSep, v, SetKind::Reformat); }
  QString MaskDecimalChar() const { return engine_.mask.MaskDecimalChar; }
  void SetMaskDecimalChar(const QString& v);
  bool MaskShowCurrency() const { return engine_.mask.MaskShowCurrency; }
  void SetMaskShowCurrency(bool v) { Store(engine_.mask.MaskShowCurrency, v, SetKind::Reformat); }
  QString MaskCurrencySymbol() const { return engine_.mask.MaskCurrencySymbol; }
  void SetMaskCurrencySymbol(const QString& v) { Store(engine_.mask.MaskCurrencySymbol, v, SetKind::Reformat); }
  short MaskNegFormat() const { return engine_.mask.MaskNegFormat; }
  void SetMaskNegFormat(short v) { StoreRanged(engine_.mask.MaskNegFormat, v, 0, 11, SetKind::Reformat); }
  short MaskPosFormat() const { return engine_.mask.MaskPosFormat; }
  void SetMaskPosFormat(short v) { StoreRanged(engine_.mask.MaskPosFormat, v, 0, 4, SetKind::Reformat); }
  bool MaskAllowNegative() const { return engine_.mask.MaskAllowNegative; }
  void SetMaskAllowNegative(bool v) { Store(engine_.mask.MaskAllowNegative, v, SetKind::Keep); }
  bool MaskAllowLeadZeros() const { return engine_.mask.MaskAllowLeadZeros; }
  void SetMaskAllowLeadZeros(bool v) { Store(engine_.mask.MaskAllowLeadZeros, v, SetKind::Reformat); }
  bool MaskZeroIfNull() const { return engine_.mask.MaskZeroIfNull; }
  void SetMaskZeroIfNull(bool v) { Store(engine_.mask.MaskZeroIfNull, v, SetKind::Reformat); }

  // ---- value kind, validation and spin ---------------------------------------
  short DataType() const;
  void SetDataType(short v);
  short ValidateType() const { return engine_.ValidateType; }
  void SetValidateType(short v) { StoreRanged(engine_.ValidateType, v, 0, 5, SetKind::Keep); }
  QString ValidateRangeLow() const { return engine_.ValidateRangeLow; }
  void SetValidateRangeLow(const QString& v) { StoreNumberText(engine_.ValidateRangeLow, v); }
  QString ValidateRangeHigh() const { return engine_.ValidateRangeHigh; }
  void SetValidateRangeHigh(const QString& v) { StoreNumberText(engine_.ValidateRangeHigh, v); }
  QString SpinValue() const { return engine_.SpinValue; }
  void SetSpinValue(const QString& v) { StoreNumberText(engine_.SpinValue, v); }

  // ---- other settings ----------------------------------------------------------
  bool AllowEdit() const { return allowEdit_; }
  void SetAllowEdit(bool v) { Store(allowEdit_, v, SetKind::Repaint); }
  bool ClipLiterals() const { return clipLiterals_; }
  void SetClipLiterals(bool v) { Store(clipLiterals_, v, SetKind::Keep); }
  OleColor NegForeColor() const { return negForeColor_; }
  void SetNegForeColor(OleColor v) { Store(negForeColor_, v, SetKind::Negative); }
  OleColor NegBackColor() const { return negBackColor_; }
  void SetNegBackColor(OleColor v) { Store(negBackColor_, v, SetKind::Negative); }
  bool SpinButton() const { return spinButton_; }
  void SetSpinButton(bool v) { Store(spinButton_, v, SetKind::Repaint); }
  bool SpinButtonEnabled() const { return spinButtonEnabled_; }
  void SetSpinButtonEnabled(bool v) { Store(spinButtonEnabled_, v, SetKind::Repaint); }
  short SpinButtonWidth() const { return spinButtonWidth_; }
  void SetSpinButtonWidth(short v) { StoreRanged(spinButtonWidth_, v, 0, 32767, SetKind::Repaint); }
  bool SpinKeys() const { return spinKeys_; }
  void SetSpinKeys(bool v) { Store(spinKeys_, v, SetKind::Keep); }
  bool CalcDropDown() const { return calcDropDown_; }
  void SetCalcDropDown(bool v) { Store(calcDropDown_, v, SetKind::Repaint); }

  // ---- status text mirrored into another widget's property ------------------
  QString StatusBarControlName() const { return statusBarControlName_; }
  void SetStatusBarControlName(const QString& v);
  QString StatusBarPropName() const { return statusBarPropName_; }
  void SetStatusBarPropName(const QString& v);
  QString StatusBarText() const { return statusBarText_; }
  void SetStatusBarText(const QString& v);
  QString StatusBarRestoreText() const { return statusBarRestoreText_; }
  void SetStatusBarRestoreText(const QString& v);
  QObject* StatusBarControl() const { return statusBar_; }
  void SetStatusBarControl(QObject* control) { statusBar_ = control; }

  // ---- methods -------------------------------------------------------------------
  void Copy() { CopySel(); }
  void Cut() { CutSel(); }
  void Delete() { DeleteSel(); }
  void Paste() { PasteText(); }
  void Undo() { UndoEdit(); }
  // Fires OnValidate, then checks the value: 0 or the failing outcome.
  short Validate();
  // 1 steps up, 0 down, anything else nothing; spins also while Locked.
  void DoSpinClick(short direction);
  void DoEllipsesClick() { emit EllipsesClick(); }

  // The rectangles of the buttons (empty when not shown).
  Rect ButtonArea() const;
  Rect CalculatorButtonRect() const;
  Rect EllipsesButtonRect() const;
  Rect SpinRect() const;
  Rect SpinUpRect() const;
  Rect SpinDownRect() const;

 signals:
  void Change();
  void InvalidChar(const QString& character, short position);
  void SpinClick(int direction);
  void BeforeLostFocus(short& cancel);
  void OnValidate(const QString& text, short& valid);
  void DataError(short errorType, const QString& errorText);
  void EllipsesClick();
  void StatusBarUpdate(short restore, QString& displayText, short& cancel);
  void GotFocus();
  void LostFocus();

 protected:
  // ---- the field's operations ------------------------------------------------
  bool RebuildDisplay();
  void RefreshWindowText();
  void RefreshAll();
  // The change notification: marks the data changed and fires Change.
  void NotifyChange();
  bool AcceptChar(QChar c, int position);
  bool BackspaceKey();
  void SpinUp() { Spin(true); }
  void SpinDown() { Spin(false); }
  void BindStatusBar();
  void UpdateStatusBar();

  // The calculator drop-down and the data source join here; without them
  // the calculator never drops down and no field is bound.
  virtual void OpenCalculator(bool withCapture) { Q_UNUSED(withCapture); }
  virtual bool CalculatorDroppedDown() const { return false; }
  virtual void CommitCalculator() {}
  virtual bool HasBoundField() const { return false; }
  virtual void ReadFromDataSource() {}

  NumEngine engine_;

  // ---- the edit base's operations, as the field does them ---------------------
  void OnEditTextChanged() override;
  void DeleteSel() override { DeleteSelection(); }
  bool HandlesInput() const override { return true; }
  bool CanEdit() const override { return !Locked() && allowEdit_ && !CalculatorDroppedDown(); }
  bool CanToggleInsert() const override { return true; }
  void CopySel() override;
  void CutSel() override;
  void PasteText() override;
  bool ReplaceSel(const QString& text) override;
  void UndoEdit() override;
  Rect GetButtonsRect() const override { return ButtonArea(); }
  void DrawButtons(QPainter& p) override;
  OleColor GetNegBackColor() const override { return negBackColor_; }
  OleColor GetNegForeColor() const override { return negForeColor_; }
  bool IsNegative() const override { return engine_.IsNegative(); }
  void OnUndoRecorded() override { undoValueText_ = shownValueText_; }
  void AfterSet(SetKind kind) override;

  bool ConsumesBeforeDispatch(int vk) const override;
  bool WantsShortcutOverride(const QKeyEvent* event) const override;
  void OnKeyDown(int vk, Qt::KeyboardModifiers modifiers) override;
  void OnChar(int code) override;
  void OnSetFocus() override;
  void OnKillFocus(Qt::FocusReason reason) override;
  void UpdateCursor(QPoint at) override;

  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // Shows a changed value: the text, Change, then the caret.
  void ShowChange(std::optional<int> caret);
  bool DeleteSelection();
  void Spin(bool up);
  void ButtonDown(QPoint at);
  void RepeatSpin();
  void ScheduleRepeat(int ms);
  void StoreNumberText(QString& member, const QString& text);
  QString FormattedText() const;
  QColor GlyphColor(bool enabled) const;

  // Settings.
  QString format_;
  bool allowEdit_ = true;
  bool clipLiterals_ = false;
  OleColor negForeColor_ = kIgnoreColor, negBackColor_ = kIgnoreColor;
  bool spinButton_ = false;
  bool spinButtonEnabled_ = true;
  short spinButtonWidth_ = 13;
  bool spinKeys_ = true;
  bool calcDropDown_ = false;
  QString statusBarControlName_, statusBarPropName_, statusBarText_, statusBarRestoreText_;

  // State.
  bool putting_ = false;        // the field itself puts the edit text
  bool reading_ = false;        // a value read from the data source is applied
  bool dataChanged_ = false;
  bool nullTextShown_ = false;  // the edit text is the null text
  QString shownValueText_;      // the value text behind the edit text
  QString undoValueText_;       // the value text behind the undo text
  bool skipNextChar_ = false;
  int savedSelStart_ = 0, savedSelEnd_ = 0;
  QPointer<QObject> statusBar_;
  QString savedStatusText_;
  bool statusTextSaved_ = false;

  // Buttons: pressed, and drawn pressed (the pointer is inside).
  struct Press {
    bool pressed = false;
    bool drawn = false;
  };
  Press ellipses_, spinUp_, spinDown_, calculator_;
  qint64 spinTick_ = 0;
  bool firstRepeat_ = false;
  int repeatChain_ = 0;  // tells a stale scheduled step from the live one
};

// The control as windows place it.
using QuorMaskNum = CNumCtrl;

}  // namespace numbox
