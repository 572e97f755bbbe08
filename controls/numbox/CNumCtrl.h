#pragma once
// The numeric masked-edit field QuorMaskNum. The edit base shows and edits
// the text; the value engine (NumEngine, with the display engine NumMask)
// owns the number. This class joins them: it takes typed characters and
// keys to the engine, shows what the engine lays out, draws and tracks its
// buttons (spin, ellipses, calculator) with the spin auto-repeat, checks
// the value when the focus leaves, mirrors a status text into another
// widget, and raises the field's events to the host. It owns its
// calculator drop-down, its tool tip and its binding to a row source, and
// stores its properties as the bytes hosts keep (PropertyExchange).
//
// Hosts drive the field through the members below (or by name,
// NumMembers.h) and its signals. A signal handler may delete the field:
// every step that follows a signal first checks that the field still
// exists and otherwise ends quietly.

#include "numbox/CCalcWnd.h"
#include "numbox/CEditBase.h"
#include "numbox/CTipWnd.h"
#include "numbox/NumEngine.h"
#include "numbox/RowSource.h"

#include <QByteArray>
#include <QPointer>
#include <QVariantMap>

#include <memory>

namespace numbox {

class CCursorBinding;

class CNumCtrl : public CEditBase {
  Q_OBJECT

 public:
  explicit CNumCtrl(QWidget* parent = nullptr);
  ~CNumCtrl() override;

  // ---- stored properties (the layout data of hosts) --------------------------
  // The field's properties as the bytes of its property stream.
  QByteArray Save() const;
  // Takes the properties of a stream. A stream that cannot be read (cut
  // short, holding a picture, ...) raises PropertyStreamError and leaves
  // the field as it was.
  void Load(const QByteArray& bytes);
  // Every property back to its default (the size stays).
  void Reset();
  // The same properties as named values, and back; a missing name takes
  // its default.
  QVariantMap SaveToBag() const;
  void LoadFromBag(const QVariantMap& bag);

  // What follows a load of the properties (and the making of a new field):
  // the tip text is handed on, the stored text becomes the value (with
  // Change when it is taken), the display is laid out and the caret goes
  // home.
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
  // The text the field shows without the focus: the value laid out by Format
  // through the host's Format, or the display text without a Format.
  QString FormatText() const;
  bool IsEmpty() const { return IsTextEmpty(); }
  bool MaskError() const { return IsMaskError(); }
  bool DataChanged() const { return dataChanged_; }
  void SetDataChanged(bool v) { Store(dataChanged_, v, SetKind::Keep); }
  QString SelText() const { return SelectedEditText(); }
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
  QString ToolTipText() const { return toolTipText_; }
  void SetToolTipText(const QString& v);
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

  // ---- the calculator ------------------------------------------------------------
  // Width and height in twips, the unit of the host's layout (kept in
  // pixels). A width of 0 makes the calculator as wide as the field.
  float CalcWidth() const;
  void SetCalcWidth(float twips);
  float CalcHeight() const;
  void SetCalcHeight(float twips);
  bool CalcVisible() const { return dropped_; }
  QString CalcDispText() const;
  OleColor CalcBackColor() const { return calc_.backColor; }
  void SetCalcBackColor(OleColor v) { Store(calc_.backColor, v, SetKind::Calc); }
  OleColor CalcDispBackColor() const { return calc_.dispBackColor; }
  void SetCalcDispBackColor(OleColor v) { Store(calc_.dispBackColor, v, SetKind::Calc); }
  OleColor CalcDispForeColor() const { return calc_.dispForeColor; }
  void SetCalcDispForeColor(OleColor v) { Store(calc_.dispForeColor, v, SetKind::Calc); }
  FontDesc CalcDispFont() const { return calc_.dispFont; }
  void SetCalcDispFont(const FontDesc& v) { Store(calc_.dispFont, v, SetKind::Calc); }
  OleColor CalcBtnForeColor() const { return calc_.btnForeColor; }
  void SetCalcBtnForeColor(OleColor v) { Store(calc_.btnForeColor, v, SetKind::Calc); }
  OleColor CalcBtnBackColor() const { return calc_.btnBackColor; }
  void SetCalcBtnBackColor(OleColor v) { Store(calc_.btnBackColor, v, SetKind::Calc); }
  FontDesc CalcBtnFont() const { return calc_.btnFont; }
  void SetCalcBtnFont(const FontDesc& v) { Store(calc_.btnFont, v, SetKind::Calc); }
  OleColor CalcBtnClrForeColor() const { return calc_.btnClrForeColor; }
  void SetCalcBtnClrForeColor(OleColor v) { Store(calc_.btnClrForeColor, v, SetKind::Calc); }
  OleColor CalcBtnMemForeColor() const { return calc_.btnMemForeColor; }
  void SetCalcBtnMemForeColor(OleColor v) { Store(calc_.btnMemForeColor, v, SetKind::Calc); }
  OleColor CalcBtnOpForeColor() const { return calc_.btnOpForeColor; }
  void SetCalcBtnOpForeColor(OleColor v) { Store(calc_.btnOpForeColor, v, SetKind::Calc); }
  FontDesc CalcMemFont() const { return calc_.memFont; }
  void SetCalcMemFont(const FontDesc& v) { Store(calc_.memFont, v, SetKind::Calc); }
  QString CalcMemText() const { return calc_.memText; }
  void SetCalcMemText(const QString& v) { Store(calc_.memText, v, SetKind::Calc); }
  OleColor CalcMemForeColor() const { return calc_.memForeColor; }
  void SetCalcMemForeColor(OleColor v) { Store(calc_.memForeColor, v, SetKind::Calc); }
  OleColor CalcMemBackColor() const { return calc_.memBackColor; }
  void SetCalcMemBackColor(OleColor v) { Store(calc_.memBackColor, v, SetKind::Calc); }
  QString CalcErrorText() const { return calc_.errorText; }
  void SetCalcErrorText(const QString& v) { Store(calc_.errorText, v, SetKind::Calc); }
  // The caption of a button (0..22; another index raises 381).
  QString CalcBtnText(short index) const;
  void SetCalcBtnText(short index, const QString& v);
  // The calculator window, once it has been made.
  CCalcWnd* Calculator() const { return calcWnd_; }

  // ---- tool tips -----------------------------------------------------------------
  // The tip's settings are kept by the tip; times are milliseconds (a
  // negative time raises 380).
  bool ToolTips() const { return tip_->ToolTips(); }
  void SetToolTips(bool v) { Store(tip_->enabled_, v, SetKind::Keep); }
  qint32 ToolTipDelay() const { return tip_->Delay(); }
  void SetToolTipDelay(qint32 v) { StoreMilliseconds(tip_->delay_, v); }
  qint32 ToolTipTimeout() const { return tip_->Timeout(); }
  void SetToolTipTimeout(qint32 v) { StoreMilliseconds(tip_->timeout_, v); }
  OleColor ToolTipBackColor() const { return tip_->BackColor(); }
  void SetToolTipBackColor(OleColor v) { Store(tip_->backColor_, v, SetKind::Keep); }
  OleColor ToolTipForeColor() const { return tip_->ForeColor(); }
  void SetToolTipForeColor(OleColor v) { Store(tip_->foreColor_, v, SetKind::Keep); }
  FontDesc ToolTipFont() const { return tip_->TipFont(); }
  void SetToolTipFont(const FontDesc& v) { Store(tip_->font_, v, SetKind::Keep); }
  CTipWnd* Tip() const { return tip_; }

  // ---- data binding -----------------------------------------------------------------
  // The source the field is bound to (not owned; hand nullptr before the
  // source goes). Setting it binds the field anew and reads its value.
  RowSource* DataSource() const;
  void SetDataSource(RowSource* source);
  QString DataField() const { return dataField_; }
  void SetDataField(const QString& v);
  // Reads the bound column's value into the field (DataRead, then Change twice).
  void ReadFromDataSource();
  // Writes a changed value to the bound column (BeforeUpdate, AfterUpdate).
  RowStatus WriteToDataSource();
  // The columns the field can be bound to.
  QStringList DataFieldNames() const;

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
  void SetStatusBarControl(QObject* control) { Store(statusBar_, control, SetKind::Keep); }

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
  // Raises CalcBtnClick; the calculator itself is not operated.
  void DoCalcBtnClick(short button) { emit CalcBtnClick(button); }
  // Shows the about box through the library's modal show.
  void AboutBox();

  // The rectangles of the buttons (empty when not shown).
  Rect ButtonArea() const;
  Rect CalculatorButtonRect() const;
  Rect EllipsesButtonRect() const;
  Rect SpinRect() const;
  Rect SpinUpRect() const;
  Rect SpinDownRect() const;

 signals:
  // The field's events. Arguments passed by reference may be changed by a
  // handler connected directly; the field reads them back.
  void ToolTipEnd();
  void ToolTipBegin(short& cancel);
  void EllipsesClick();
  void AfterUpdate();
  void BeforeLostFocus(short& cancel);
  void Change();
  void StatusBarUpdate(short restore, QString& displayText, short& cancel);
  void InvalidChar(const QString& character, short position);
  void DataRead(QVariant& newValue, short& dataChanged);
  void BeforeUpdate(QVariant& newValue, short& cancel);
  void DataError(short errorType, const QString& errorText);
  void SpinClick(int direction);
  void CloseUp();
  void DropDown();
  void OnValidate(const QString& text, short& valid);
  void CalcBtnClick(short button);
  // A value read from the data source that the field cannot take; unless
  // a handler sets cancelDisplay, the description is shown to the user.
  void Error(short number, QString& description, int scode, const QString& source, const QString& helpFile,
             int helpContext, short& cancelDisplay);
  // Focus changes, as the host's extender reports them.
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

  // ---- the calculator drop-down ----------------------------------------------------
  // Opens it below (or above) the field with the field's value; with
  // `withCapture` the calculator takes the mouse at once, otherwise when
  // the pointer reaches it or the button is released.
  void OpenCalculator(bool withCapture);
  // Enter, F4, a click elsewhere, leaving the field: "=", then the result
  // into the field, then close.
  void CommitCalculator();
  // Escape: closes without touching the field.
  void CloseCalculator();
  void PlaceCalculator();
  void CaptureToCalculator();
  // Writes the calculator's result into the field (Change twice).
  void TransferCalculator();
  bool FireCalcBtnClick(short button);
  bool HasBoundField() const;
  // Tool-tip events; false when cancelled or the field is gone.
  bool FireToolTipBegin();
  void FireToolTipEnd();
  // The stock Error event, then the message unless a handler cancels it.
  void FireError(int number);

  NumEngine engine_;

  // ---- the edit base's operations, as the field does them ---------------------
  void OnEditTextChanged() override;
  void DeleteSel() override { DeleteSelection(); }
  bool HandlesInput() const override { return true; }
  bool CanEdit() const override { return !Locked() && allowEdit_ && !dropped_; }
  bool CanToggleInsert() const override { return true; }
  QString CopiedText() const override;
  void PasteText() override;
  bool ReplaceSel(const QString& text) override;
  void UndoEdit() override;
  Rect GetButtonsRect() const override { return ButtonArea(); }
  void DrawButtons(QPainter& p) override;
  OleColor GetNegBackColor() const override { return negBackColor_; }
  OleColor GetNegForeColor() const override { return negForeColor_; }
  bool IsNegative() const override { return engine_.IsNegative(); }
  // The field is empty also while its edit text is the null text.
  bool IsTextEmpty() const override { return nullTextShown_ || CEditBase::IsTextEmpty(); }
  void OnUndoRecorded() override { undoValueText_ = shownValueText_; }
  void AfterSet(SetKind kind) override;
  void ExtentChanged() override;
  void FirstShown() override;

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
  friend class CCalcWnd;
  friend class CTipWnd;
  friend class CCursorBinding;
  friend class PropertyExchange;

  void UpdateBoundKind();
  // Shows a changed value: the text, Change, then the caret.
  void ShowChange(std::optional<int> caret);
  // A value put from outside the field (Text, Value, the data source)
  // replaces all of its text, so no selection may cover part of the new
  // text by accident: one that covered the whole old text covers the whole
  // new text, any other collapses at its caret. This holds for the selection
  // shown while the field has the focus and for the one kept for its return.
  struct PutSelection {
    bool whole = false;      // the selection covered the whole text
    bool fromStart = false;  // ... with its anchor at the start
  };
  PutSelection SelectionBeforePut() const;
  // Shows the put value (the text, the selection, then Change).
  void ShowPut(PutSelection before);
  bool DeleteSelection();
  void Spin(bool up);
  void ButtonDown(QPoint at);
  void RepeatSpin();
  void ScheduleRepeat(int ms);
  void StoreNumberText(QString& member, const QString& text);
  void StoreMilliseconds(qint32& member, qint32 ms);
  // A calculator button's index into the captions; outside 0..22 raises 381.
  static std::size_t CalcButtonIndex(short index);
  QColor GlyphColor(bool enabled) const;

  // Settings.
  QString format_;
  QString toolTipText_;
  Flag allowEdit_ = Flag::Default(true);
  Flag clipLiterals_ = Flag::Default(false);
  QString dataField_;
  OleColor negForeColor_ = kIgnoreColor, negBackColor_ = kIgnoreColor;
  Flag spinButton_ = Flag::Default(false);
  Flag spinButtonEnabled_ = Flag::Default(true);
  short spinButtonWidth_ = 13;
  Flag spinKeys_ = Flag::Default(true);
  Flag calcDropDown_ = Flag::Default(true);
  CalcSettings calc_;
  QString statusBarControlName_, statusBarPropName_, statusBarText_, statusBarRestoreText_;

  // The calculator window, the tool tip and the binding.
  QPointer<CCalcWnd> calcWnd_;
  bool dropped_ = false;
  CTipWnd* tip_ = nullptr;
  std::unique_ptr<CCursorBinding> binding_;

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
